#!/usr/bin/env bash
# The 64-bit Windows VST3, cross-built, and its tests under wine.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/windows/test.sh
