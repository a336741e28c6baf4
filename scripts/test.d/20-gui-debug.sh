#!/usr/bin/env bash
# The editor's tests once more in a Debug build, where every framework assertion is live and fails
# the test that hit it (layout and painting down to the smallest and up to the largest size,
# typed value entry, the window's own set-up).
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/build.sh build/debug Debug -DTARVOLT_BUILD_TOOLS=OFF -DTARVOLT_BUILD_BENCH=OFF -- tarvolt_tests_gui
bash scripts/with-display.sh build/debug/tests/gui/tarvolt_tests_gui
