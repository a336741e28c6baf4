#!/usr/bin/env bash
# Wine must hold the addresses a Windows process expects at fixed places (the shared user data
# page at 0x7ffe0000 among them) before anything else is mapped into the process: its
# preloader (Debian's wine64-preloader) reserves them first. Without it the Linux heap, whose
# start the kernel spreads over 1 GB, covers that page in about one start of several thousand
# and wine dies at once with status 1 ("failed to map the shared user data: c0000018").
#
# Here that collision is made to happen at every start: a library preloaded into every process
# of the run maps the page as soon as it is loaded. Wine must still run a program, and the
# library must have found the page taken. The same run without the preloader shows that the
# fixture does cause the fault.
#
#   WineAddressSpaceTest.sh <wine-run.sh> <wine prefix>
set -euo pipefail
wine_run=$1 prefix=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cat >"$work/occupy.c" <<'EOF'
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>

__attribute__((constructor)) static void occupySharedUserDataPage(void)
{
    void* const page = (void*) 0x7ffe0000;
    void* const got = mmap(page, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    FILE* log = fopen(getenv("OCCUPY_LOG"), "a");
    if (log != NULL)
    {
        fputs(got == page ? "occupied\n" : "taken already\n", log);
        fclose(log);
    }
}
EOF
cc -shared -fPIC -O2 "$work/occupy.c" -o "$work/occupy.so"

run_with_page_taken() { # [environment...]: runs a program, output in output.txt; prints the status
    local status=0
    env "$@" OCCUPY_LOG="$work/occupy.log" LD_PRELOAD="$work/occupy.so" \
        "$wine_run" --prefix "$prefix" cmd /c echo started >"$work/output.txt" 2>&1 || status=$?
    echo "$status"
}

# The fixture does cause the fault: with the preloader skipped (wine's own switch for its
# second stage) the start dies.
status=$(run_with_page_taken WINELOADERNOEXEC=1 WINEDEBUG=-all,err+virtual)
[ "$status" != 0 ] && grep -q "shared user data" "$work/output.txt" ||
    fail "without the preloader the start did not fail as expected (status $status): $(cat "$work/output.txt")"

rm -f "$work/occupy.log"
status=$(run_with_page_taken)
grep -q started "$work/output.txt" ||
    fail "wine did not run the program (status $status) with the page taken: $(cat "$work/output.txt")"
[ "$status" = 0 ] || fail "wine ended with status $status: $(cat "$work/output.txt")"
grep -qx "taken already" "$work/occupy.log" ||
    fail "no process of the run found the page reserved: $(tr '\n' ' ' <"$work/occupy.log")"
echo "wine reserved the shared user data page before the process could map anything there"
