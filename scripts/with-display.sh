#!/usr/bin/env bash
# Runs a command with a virtual X display (Xvfb) and a small window manager on it, so GUI
# code can create real windows. Uses the current display instead when TARVOLT_USE_DISPLAY=1.
set -euo pipefail
if [ "${TARVOLT_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
        sleep 0.1
    done
    status=0
    "$@" || status=$?
    kill $wm 2>/dev/null || true
    exit $status
' with-display "$@"
