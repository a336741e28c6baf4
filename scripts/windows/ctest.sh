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

# A keeper process holds wine's services (explorer, services, ...) up for the whole run. They
# must be started by it, before any test: started by a test program they would inherit its
# output pipe and keep CTest waiting on that pipe until they exit. The keeper says "ready" once
# it runs (wine has started its services by then) and then waits for input nobody sends.
keep=$(mktemp -d "${TMPDIR:-/tmp}/tarvolt-wine-keeper.XXXXXX")
mkfifo "$keep/input"
exec 8<>"$keep/input"
"$here/wine-run.sh" --prefix "$prefix" cmd /c "echo ready& set /p unused=" <&8 >"$keep/output" 2>&1 &
keeper=$!
finish() {
    kill "$keeper" 2>/dev/null || true
    timeout 60 env WINEPREFIX="$prefix" wineserver --wait || env WINEPREFIX="$prefix" wineserver --kill || true
    rm -rf "$keep"
}
trap finish EXIT
for _ in $(seq 1200); do
    grep -q ready "$keep/output" && break
    kill -0 "$keeper" 2>/dev/null || break
    sleep 0.1
done
grep -q ready "$keep/output" || { echo "windows ctest: wine did not start" >&2; cat "$keep/output" >&2; exit 1; }

# Every run starts without user presets from the last one.
rm -rf "$prefix"/drive_c/users/*/AppData/Roaming/OrvaneAudio

# Test programs that wine could not start at the first try are started once more
# (scripts/windows/wine-run.sh); the run lists them, passed or not.
export TARVOLT_WINE_RESTARTS="$keep/restarts.log"
status=0
ctest --test-dir "$build" --output-on-failure --timeout 600 -j2 "$@" || status=$?
if [ -s "$TARVOLT_WINE_RESTARTS" ]; then
    echo "windows ctest: $(wc -l <"$TARVOLT_WINE_RESTARTS") test program start(s) failed in wine and were tried again:"
    cat "$TARVOLT_WINE_RESTARTS"
fi
exit "$status"
