#!/usr/bin/env bash
# The check for aligned wide vector moves on the stack (scripts/windows/check-vector-moves.sh),
# on a fixture that holds every kind of move it must report and moves it must let pass:
# - assembled as is, the check fails and names exactly the aligned ymm/zmm stack moves;
# - assembled with the build's compiler flags, every aligned move becomes an unaligned one and
#   the check passes (so the build really passes the assembler its unaligned-move option);
# - a file objdump cannot read fails the check.
#
#   VectorMoveCheckTest.sh <check script> <compiler> "<the build's compiler flags>"
# OBJDUMP names the Windows objdump.
set -euo pipefail
check=$1 compiler=$2
read -ra build_flags <<<"${3:-}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cat >"$work/moves.s" <<'EOF'
	.text
	vmovaps %ymm0, 32(%rsp)
	vmovapd 64(%rbp), %ymm1
	vmovdqa %ymm2, (%rsp)
	vmovdqa64 %zmm3, 128(%rsp,%rax,1)
	vmovdqa32 -64(%rbp), %zmm4
	vmovaps %zmm5, 64(%rsp){%k1}
	vmovaps %xmm6, 16(%rsp)
	vmovaps %ymm7, (%rax)
	vmovdqa64 %zmm8, (%rbx)
	vmovups %ymm9, 32(%rsp)
	vmovaps %ymm10, %ymm11
EOF
expected='vmovaps %ymm0,0x20(%rsp)
vmovapd 0x40(%rbp),%ymm1
vmovdqa %ymm2,(%rsp)
vmovdqa64 %zmm3,0x80(%rsp,%rax,1)
vmovdqa32 -0x40(%rbp),%zmm4
vmovaps %zmm5,0x40(%rsp){%k1}'

"$compiler" -c "$work/moves.s" -o "$work/aligned.o"
if bash "$check" "$work/aligned.o" 2>"$work/report.txt"; then
    fail "the check passed an object with aligned ymm/zmm moves on the stack"
fi
reported=$(grep -E '^ +[0-9a-f]+:' "$work/report.txt" | cut -f2)
[ "$reported" = "$expected" ] || fail "reported
$reported
expected
$expected"

"$compiler" "${build_flags[@]}" -c "$work/moves.s" -o "$work/built.o"
bash "$check" "$work/built.o" ||
    fail "assembled with the build's flags ('${build_flags[*]}') the moves stay aligned" \
        "(a build folder first configured before the toolchain file passed the option keeps its old" \
        "flags: configure it afresh)"

if bash "$check" "$work/missing.o" 2>/dev/null; then
    fail "the check passed a file it could not read"
fi
echo "the check reports the 6 aligned wide stack moves, and none once assembled with the build's flags"
