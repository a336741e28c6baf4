#!/usr/bin/env bash
# Proves that the audio did not change: builds the render tool of an earlier commit in a git
# worktree, renders the same inputs with it and with this tree's tool, and compares the files
# byte for byte.
#
#   scripts/compare-renders.sh [COMMIT] [--quick]     (COMMIT defaults to HEAD)
#
# The matrix: every factory preset and the defaults at 48 kHz in both qualities with the stereo
# link off and on; block sizes 1, 33, 100, 4096 and 65536; 22.05, 44.1 and 96 kHz; a mono input.
# The presets run once more with each further instruction set's kernels (generic, AVX2, AVX-512,
# those this machine runs), where both tools have the --instruction-set option.
# The inputs are the render tool's synthetic drums, relabelled to other rates and to mono by
# rewriting the WAV header (the samples stay the same). This tree's tool is built in
# build/release; the earlier one in build/compare/<commit>. Prints one line per difference and
# a summary; the exit status is 1 when any render differs, 2 when something could not be run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

commit=HEAD quick=0
for arg in "$@"; do
    case "$arg" in
        --quick) quick=1 ;;
        -*) echo "compare-renders: unknown option $arg" >&2; exit 2 ;;
        *) commit=$arg ;;
    esac
done
sha=$(git rev-parse --verify --quiet "$commit^{commit}") || { echo "compare-renders: no commit $commit" >&2; exit 2; }
short=${sha:0:12}

base="$root/build/compare/$short"
if [ ! -x "$base/build/bin/tarvolt-render" ]; then
    echo "compare-renders: building the render tool of $short"
    rm -rf "$base/src"
    git worktree prune
    mkdir -p "$base"
    git worktree add --detach --force "$base/src" "$sha" >/dev/null 2>&1
    # The earlier commit's own build script, so that it builds as it did then.
    (cd "$base/src" && bash scripts/build.sh ../build Release -DTARVOLT_BUILD_TESTS=OFF \
        -DTARVOLT_BUILD_BENCH=OFF -- tarvolt-render) >/dev/null
    git worktree remove --force "$base/src"
fi
echo "compare-renders: building this tree's render tool"
bash scripts/build.sh build/release Release -- tarvolt-render >/dev/null
old="$base/build/bin/tarvolt-render"
new="$root/build/release/bin/tarvolt-render"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/old" "$work/new"

# The demo's dry drums (stereo, 32-bit float, 48 kHz), from either tool's demo option.
demo() {
    local tool=$1 dir=$2
    if "$tool" --help | grep -q -- '--demo'; then
        (cd "$dir" && "$tool" --demo -o demo.wav --quiet >/dev/null)
    else
        (cd "$dir" && "$tool" -o demo.wav --quiet >/dev/null)
    fi
}
demo "$new" "$work/in"
mv "$work/in/demo-dry.wav" "$work/in/drums-48000.wav"
rm -f "$work/in/demo.wav"

# A copy of a WAV file with its header saying another rate, or mono (the stereo frames then read
# as twice as many mono samples).
relabel() {
    perl -e '
        my ($in, $out, $rate, $channels) = @ARGV;
        open(my $f, "<:raw", $in) or die; local $/; my $d = <$f>; close $f;
        my $p = 12;
        while ($p + 8 <= length $d) {
            my ($id, $size) = unpack("A4 V", substr($d, $p, 8));
            if ($id eq "fmt") {
                my $bits = unpack("v", substr($d, $p + 22, 2));
                $channels = unpack("v", substr($d, $p + 10, 2)) if $channels == 0;
                my $align = $channels * $bits / 8;
                substr($d, $p + 10, 2) = pack("v", $channels);
                substr($d, $p + 12, 4) = pack("V", $rate);
                substr($d, $p + 16, 4) = pack("V", $rate * $align);
                substr($d, $p + 20, 2) = pack("v", $align);
                last;
            }
            $p += 8 + $size + ($size % 2);
        }
        open(my $o, ">:raw", $out) or die; print $o $d; close $o;
    ' "$@"
}
for rate in 22050 44100 96000; do
    relabel "$work/in/drums-48000.wav" "$work/in/drums-$rate.wav" "$rate" 0
done
relabel "$work/in/drums-48000.wav" "$work/in/drums-mono-48000.wav" 48000 1

# name|input|arguments...
cases=()
presets=("" "Punchy Kicks" "Snare Snap" "Loop Tightener" "Bass Knock" "Smooth Rooms" "Aggro Parallel" "Tame Pokey"
    "Guitar Push")
for quality in Standard High; do
    for link in Off On; do
        for preset in "${presets[@]}"; do
            args=(--set "quality=$quality" --set "link=$link")
            [ -z "$preset" ] || args=(--preset "$preset" "${args[@]}")
            cases+=("${preset:-defaults}-$quality-link$link|drums-48000|${args[*]@Q}")
        done
        [ "$quick" = 1 ] && continue
        for block in 1 33 100 4096 65536; do
            cases+=("block$block-$quality-link$link|drums-48000|--block $block --set quality=$quality --set link=$link")
        done
        for rate in 22050 44100 96000; do
            cases+=("rate$rate-$quality-link$link|drums-$rate|--preset 'Snare Snap' --set quality=$quality --set link=$link")
        done
        cases+=("mono-$quality-link$link|drums-mono-48000|--set quality=$quality --set link=$link")
    done
done

# The presets again with each instruction set's kernels.
if "$old" --help | grep -q -- '--instruction-set' && "$new" --help | grep -q -- '--instruction-set'; then
    for set in generic avx2 avx512; do
        "$new" --instruction-set "$set" -o "$work/probe.wav" --demo --quiet >/dev/null 2>&1 \
            || "$new" --instruction-set "$set" -o "$work/probe.wav" --quiet >/dev/null 2>&1 || continue
        for quality in Standard High; do
            for link in Off On; do
                for preset in "${presets[@]}"; do
                    args=(--instruction-set "$set" --set "quality=$quality" --set "link=$link")
                    [ -z "$preset" ] || args=(--preset "$preset" "${args[@]}")
                    cases+=("$set-${preset:-defaults}-$quality-link$link|drums-48000|${args[*]@Q}")
                done
            done
        done
    done
fi

differ=0 total=0
for c in "${cases[@]}"; do
    IFS='|' read -r name input args <<<"$c"
    for side in old new; do
        tool=$old
        [ "$side" = new ] && tool=$new
        if ! eval "\"$tool\" \"$work/in/$input.wav\" -o \"$work/$side/$name.wav\" --quiet $args" >/dev/null 2>"$work/$side.err"; then
            echo "compare-renders: the $side tool failed on $name: $(cat "$work/$side.err")" >&2
            exit 2
        fi
    done
    total=$((total + 1))
    if ! cmp -s "$work/old/$name.wav" "$work/new/$name.wav"; then
        differ=$((differ + 1))
        echo "differs: $name"
    fi
done
echo "compare-renders: $((total - differ)) of $total renders identical to $short"
[ "$differ" = 0 ]
