#!/usr/bin/env bash
# scripts/windows/wine-run.sh with test programs that end badly, under a stand-in for wine that
# plays a scripted outcome per start ("dies" = status 1 and no output, "fails" = a test began
# and failed, "passes"):
#
#   outcomes             started  status  restart noted
#   dies passes          2        0       yes
#   dies dies            2        1       yes
#   fails passes         1        1       no
#   passes               1        0       no
#   dies (no --gtest_)   1        1       no
#
#   WineRunRestartTest.sh <wine-run.sh>
set -euo pipefail
wine_run=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

mkdir -p "$work/bin" "$work/prefix"
touch "$work/prefix/system.reg"
cat >"$work/bin/wine" <<'EOF'
#!/usr/bin/env bash
# Plays the next outcome of $OUTCOMES and counts the starts in $STARTS.
echo start >>"$STARTS"
read -ra outcomes <<<"$OUTCOMES"
case ${outcomes[$(($(wc -l <"$STARTS") - 1))]} in
    dies) exit 1 ;;
    fails) echo "[ RUN      ] Suite.Case"; echo "[  FAILED  ] Suite.Case"; exit 1 ;;
    passes) echo "[ RUN      ] Suite.Case"; echo "[       OK ] Suite.Case"; exit 0 ;;
esac
EOF
chmod +x "$work/bin/wine"

check() { # <outcomes> <program arguments> <expected starts> <expected status> <restart noted: yes|no>
    local outcomes=$1 args=$2 starts=$3 status=$4 noted=$5 got=0
    rm -f "$work/starts" "$work/restarts" "$work/stderr"
    # shellcheck disable=SC2086 # the arguments are split on purpose
    PATH="$work/bin:$PATH" OUTCOMES=$outcomes STARTS="$work/starts" TARVOLT_WINE_RESTARTS="$work/restarts" \
        "$wine_run" --prefix "$work/prefix" program.exe $args >/dev/null 2>"$work/stderr" || got=$?
    local case="[$outcomes] with '$args'"
    [ "$(wc -l <"$work/starts")" = "$starts" ] || fail "$case: started $(wc -l <"$work/starts") times, expected $starts"
    [ "$got" = "$status" ] || fail "$case: status $got, expected $status"
    if [ "$noted" = yes ]; then
        grep -q "program.exe --gtest_filter=Suite.Case died before its first test began (status 1" "$work/restarts" ||
            fail "$case: the restart is not noted: $(cat "$work/restarts" 2>/dev/null)"
        grep -q "starting it once more" "$work/stderr" || fail "$case: the restart is not in the log"
    else
        [ ! -s "$work/restarts" ] || fail "$case: a restart was noted: $(cat "$work/restarts")"
    fi
    if [ "$status" != 0 ] && [ "$args" != "" ]; then
        grep -q "program.exe --gtest_filter=Suite.Case ended with status $status" "$work/stderr" ||
            fail "$case: the status is not in the log: $(cat "$work/stderr")"
    fi
}

check "dies passes" --gtest_filter=Suite.Case 2 0 yes
check "dies dies" --gtest_filter=Suite.Case 2 1 yes
check "fails passes" --gtest_filter=Suite.Case 1 1 no
check "passes" --gtest_filter=Suite.Case 1 0 no
check "dies passes" "" 1 1 no
echo "a test program that died before its first test began is started once more, and said so"
