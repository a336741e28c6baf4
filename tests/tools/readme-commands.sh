#!/usr/bin/env bash
# Runs the README's commands as a newcomer would after `bash scripts/run.sh`: every fenced `sh`
# block, in order, in a temporary folder that holds what run.sh leaves in the repository (the
# build's tools and bundles as build/release, the demo in out/, an empty docs/), with a
# throw-away home folder. Fails, naming the block, when a command in one fails. Blocks whose
# first line is the comment "# not run by the README test" (they install, need root or a sound
# card, or take minutes) are skipped and listed; an unmarked block that looks as if it installs
# something (sudo, apt-get, cmake --install, the set-up, run and test scripts) fails unrun, so
# that a missing mark cannot write outside the temporary folder. The tree itself is not written to.
#
#   tests/tools/readme-commands.sh README.md BUILD_FOLDER
set -euo pipefail
readme=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
build=$(cd "$2" && pwd)
marker="# not run by the README test"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/build" "$work/home" "$work/out" "$work/docs" "$work/blocks"
ln -s "$build" "$work/build/release"
(cd "$work/out" && "$build/bin/tarvolt-render" --demo --quiet >/dev/null)

# One file per block: blocks/001.sh, blocks/002.sh, ...
awk -v dir="$work/blocks" '
    /^```sh[[:space:]]*$/ { n++; file = sprintf("%s/%03d.sh", dir, n); inside = 1; printf "" > file; next }
    /^```/ && inside { inside = 0; close(file); next }
    inside { print >> file }
' "$readme"

ran=0 skipped=0 failed=0 lv2=0
for block in "$work"/blocks/*.sh; do
    [ -e "$block" ] || break
    name="README block $(basename "$block" .sh) ($(grep -m1 -v '^#' "$block" | cut -c1-60)...)"
    if head -n1 "$block" | grep -q "^$marker"; then
        echo "skipped: $name"
        skipped=$((skipped + 1))
        continue
    fi
    if grep -Eq 'sudo|apt-get|cmake --install|scripts/(setup|run|test)\.sh|scripts/windows/' "$block"; then
        echo "FAILED:  $name: looks as if it installs; start it with \"$marker\" if so" >&2
        failed=$((failed + 1))
        continue
    fi
    if (cd "$work" && env -u XDG_CONFIG_HOME HOME="$work/home" bash -euo pipefail "$block") >"$work/log" 2>&1; then
        echo "ran:     $name"
        ran=$((ran + 1))
        grep -q "lv2apply" "$block" && lv2=1
    else
        echo "FAILED:  $name" >&2
        sed 's/^/    /' "$block" >&2
        echo "  output:" >&2
        tail -n 20 "$work/log" | sed 's/^/    /' >&2
        failed=$((failed + 1))
    fi
done

echo "$ran blocks ran, $skipped skipped, $failed failed"
[ "$lv2" = 1 ] || { echo "the LV2 example through lv2apply did not run" >&2; exit 1; }
[ "$failed" = 0 ]
