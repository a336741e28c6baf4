#!/usr/bin/env bash
# Runs a cross-built Windows program under wine, headless and quiet. The build's emulator
# (CMAKE_CROSSCOMPILING_EMULATOR), so CTest and test discovery start every program through it.
#
#   scripts/windows/wine-run.sh [--prefix DIR] program.exe [arguments...]
#   scripts/windows/wine-run.sh [--prefix DIR] --init     only create the prefix if it is new
#
# --prefix gives the wine prefix (the Windows "machine": C: drive, registry, user folders);
# without it $WINEPREFIX or wine's default applies. The program sees the prefix's path on the
# build machine as TARVOLT_WINE_PREFIX. A new prefix is created on first use, once, even when
# several programs start at the same time.
set -euo pipefail
if [ "${1:-}" = "--prefix" ]; then
    export WINEPREFIX=$2
    shift 2
fi
export WINEDEBUG=${WINEDEBUG:--all}
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
exec wine "$@"
