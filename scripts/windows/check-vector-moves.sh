#!/usr/bin/env bash
# Fails when a Windows image or object holds an aligned 32- or 64-byte vector move (vmovaps,
# vmovapd, vmovdqa, vmovdqa32, vmovdqa64 on a ymm or zmm register) addressed relative to the
# stack or frame pointer, and prints the offending instructions.
#
#   scripts/windows/check-vector-moves.sh <image or object>...
#
# Windows only keeps the stack 16-byte aligned and MinGW's GCC cannot realign it for wider
# vectors, so such a move faults on a stack slot that is 16- but not 32-byte aligned: a crash
# in the host. The Windows build assembles every aligned move as an unaligned one
# (-Wa,-muse-unaligned-vector-move in the toolchain file); this keeps it so.
set -euo pipefail
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
[ $# -gt 0 ] || { echo "usage: $0 <image or object>..." >&2; exit 2; }

status=0
for image in "$@"; do
    # objdump fails loudly on a file it cannot read, which fails the check too.
    disassembly=$("$objdump" -d --no-show-raw-insn "$image")
    found=$(grep -E $'\tvmov(aps|apd|dqa|dqa32|dqa64)[[:space:]]' <<<"$disassembly" |
        grep -E '%[yz]mm[0-9]+' | grep -E '\(%r[sb]p[,)]' || true)
    if [ -n "$found" ]; then
        echo "$image: aligned 32/64-byte vector moves on the stack:" >&2
        echo "$found" >&2
        status=1
    fi
done
exit $status
