#!/usr/bin/env bash
# The shipping (Release) build: plug-in, tools and the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/build.sh build/release Release
test -f build/release/Tarvolt_artefacts/Release/VST3/Tarvolt.vst3/Contents/x86_64-linux/Tarvolt.so
bash scripts/with-display.sh ctest --test-dir build/release --output-on-failure --timeout 600 -j2
