#!/usr/bin/env bash
# The two ways Tarvolt gets installed, into throw-away folders: the user install of the main
# job (VST3 into ~/.vst3, LV2 into ~/.lv2, nothing else touched) and the packagers' install
# target (lib/vst3, lib/lv2, bin/ and a desktop entry under a prefix), and the installed
# standalone application starting up.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build/release
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "install check failed: $*" >&2; exit 1; }

# User install, twice (the second run replaces the first), next to a bundle of another vendor
# and a stale Tarvolt file that must go.
home="$scratch/home"
mkdir -p "$home/.lv2/Other.lv2" "$home/.vst3/Tarvolt.vst3"
echo keep >"$home/.lv2/Other.lv2/manifest.ttl"
echo stale >"$home/.vst3/Tarvolt.vst3/stale.txt"
HOME="$home" bash scripts/install-user.sh "$build" >"$scratch/first.log"
HOME="$home" bash scripts/install-user.sh "$build" >"$scratch/second.log"
grep -q "installed $home/.vst3/Tarvolt.vst3" "$scratch/second.log" || fail "no VST3 line: $(cat "$scratch/second.log")"
grep -q "installed $home/.lv2/Tarvolt.lv2" "$scratch/second.log" || fail "no LV2 line: $(cat "$scratch/second.log")"
test -f "$home/.vst3/Tarvolt.vst3/Contents/x86_64-linux/Tarvolt.so" || fail "VST3 module missing"
test -f "$home/.lv2/Tarvolt.lv2/manifest.ttl" || fail "LV2 manifest missing"
test -f "$home/.lv2/Tarvolt.lv2/libTarvolt.so" || fail "LV2 binary missing"
test ! -e "$home/.vst3/Tarvolt.vst3/stale.txt" || fail "old bundle contents survived"
test "$(cat "$home/.lv2/Other.lv2/manifest.ttl")" = keep || fail "another bundle was touched"
test -z "$(find "$home" -name '.*.installing')" || fail "staging folder left behind"

# Packagers' install.
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in lib/vst3/Tarvolt.vst3/Contents/x86_64-linux/Tarvolt.so lib/lv2/Tarvolt.lv2/manifest.ttl \
    lib/lv2/Tarvolt.lv2/libTarvolt.so bin/Tarvolt share/applications/tarvolt.desktop; do
    test -e "$prefix/$f" || fail "cmake --install did not install $f"
done
test -x "$prefix/bin/Tarvolt" || fail "the standalone is not executable"
grep -q '^Exec=Tarvolt$' "$prefix/share/applications/tarvolt.desktop" || fail "desktop entry without Exec"
# The installed standalone opens its window and keeps running (it is stopped after 5 s).
status=0
bash scripts/with-display.sh timeout 5 "$prefix/bin/Tarvolt" >"$scratch/standalone.log" 2>&1 || status=$?
[ "$status" = 124 ] || fail "the standalone ended early (status $status): $(tail -5 "$scratch/standalone.log")"
echo "user install and cmake --install lay out VST3, LV2, standalone and desktop entry as expected"
