#!/usr/bin/env bash
# The Windows build in one command: installs what is missing, builds the third-party libraries
# (cached), cross-builds the 64-bit Windows VST3 and the test suite (Release, build/windows) and
# runs the tests under wine with a virtual display.
#
#   bash scripts/windows/test.sh [ctest arguments...]
#
# The module: build/windows/Tarvolt_artefacts/Release/VST3/Tarvolt.vst3
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
bash scripts/setup.sh linux windows
deps=$(bash scripts/windows/build-deps.sh)
bash scripts/build.sh build/windows Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/x86_64-w64-mingw32.cmake" \
    -DTARVOLT_WINDOWS_DEPS="$deps"
test -f build/windows/Tarvolt_artefacts/Release/VST3/Tarvolt.vst3/Contents/x86_64-win/Tarvolt.vst3
bash scripts/with-display.sh bash scripts/windows/ctest.sh build/windows "$@"
