#!/usr/bin/env bash
# Runs the Windows build's tests (CTest, every program under wine) in the build's private wine
# prefix. Run it under a display (scripts/with-display.sh): the framework opens windows.
#
#   scripts/windows/ctest.sh <build folder> [ctest arguments...]
#
# Wine's services stay up for the whole run, so each of the many short test programs starts in
# a fraction of a second instead of starting them anew.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
shift
prefix=$(sed -n 's/^TARVOLT_WINE_PREFIX:PATH=//p' "$build/CMakeCache.txt")
[ -n "$prefix" ] || { echo "windows ctest: $build is not a Windows build folder" >&2; exit 2; }

# A keeper process holds wine's services (explorer, services, ...) up for the whole run: started
# by it, they do not inherit the output pipe of some test program, which would keep CTest
# waiting on that pipe until they exit. It waits for input on a pipe nobody writes to.
keep=$(mktemp -u "${TMPDIR:-/tmp}/tarvolt-wine-keeper.XXXXXX")
mkfifo "$keep"
exec 8<>"$keep"
rm -f "$keep"
"$here/wine-run.sh" --prefix "$prefix" cmd /c "set /p unused=" <&8 >/dev/null 2>&1 &
keeper=$!
finish() {
    kill "$keeper" 2>/dev/null || true
    WINEPREFIX=$prefix wineserver --wait || true
}
trap finish EXIT

# Every run starts without user presets from the last one.
rm -rf "$prefix"/drive_c/users/*/AppData/Roaming/OrvaneAudio

ctest --test-dir "$build" --output-on-failure --timeout 600 -j2 "$@"
