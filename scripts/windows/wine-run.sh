#!/usr/bin/env bash
# Runs a cross-built Windows program under wine, headless. The build's emulator
# (CMAKE_CROSSCOMPILING_EMULATOR), so CTest and test discovery start every program through it.
#
#   scripts/windows/wine-run.sh [--prefix DIR] program.exe [arguments...]
#   scripts/windows/wine-run.sh [--prefix DIR] --init     only create the prefix if it is new
#
# --prefix gives the wine prefix (the Windows "machine": C: drive, registry, user folders);
# without it $WINEPREFIX or wine's default applies. The program sees the prefix's path on the
# build machine as TARVOLT_WINE_PREFIX. A new prefix is created on first use, once, even when
# several programs start at the same time.
#
# Wine's errors in starting a process (loader, memory, wineserver, process and thread set-up,
# exceptions) are let through; everything else it says stays off. Test programs are watched
# (run_test_program below).
set -euo pipefail
if [ "${1:-}" = "--prefix" ]; then
    export WINEPREFIX=$2
    shift 2
fi
export WINEDEBUG=${WINEDEBUG:--all,err+module,err+virtual,err+server,err+process,err+thread,err+seh}
export WINEARCH=win64
# No installer prompts for wine's .NET and HTML engines, which nothing here uses.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

prefix=${WINEPREFIX:-$HOME/.wine}
# Tests find the prefix's files on the build machine through this (tests/windows/WinePrefix.h).
export TARVOLT_WINE_PREFIX=$prefix
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            wineboot --init >/dev/null 2>&1
            wineserver --wait
        fi
    ) 9>"$prefix.lock"
fi
[ "${1:-}" = "--init" ] && exit 0

# Runs a test program and exits with its status, never silently: a failure status follows its
# output on stderr. When wine fails to start a process at all (as it did now and then without
# its preloader: tests/windows/WineAddressSpaceTest.sh), the process ends within milliseconds
# and prints nothing, while gtest prints its first lines before any test begins. Such a start
# is tried once more, and said so on stderr and in $TARVOLT_WINE_RESTARTS (listed by
# scripts/windows/ctest.sh after the run). A program that printed anything is judged as it is.
run_test_program() {
    local name attempt status output
    name="$(basename "$1")${2:+ $2}"
    output=$(mktemp)
    for attempt in 1 2; do
        status=0
        wine "$@" | tee "$output" || status=${PIPESTATUS[0]}
        [ "$status" = 0 ] && break
        echo "wine-run: $name ended with status $status" >&2
        if [ "$attempt" = 1 ] && [ ! -s "$output" ]; then
            local note="wine-run: $name died before its first test began (status $status, no output): starting it once more"
            echo "$note" >&2
            [ -z "${TARVOLT_WINE_RESTARTS:-}" ] || echo "$note" >>"$TARVOLT_WINE_RESTARTS"
            continue
        fi
        break
    done
    rm -f "$output"
    exit "$status"
}

# Test programs are the ones given --gtest_ arguments (runs and test discovery).
for arg in "$@"; do
    case $arg in --gtest_*) run_test_program "$@" ;; esac
done
exec wine "$@"
