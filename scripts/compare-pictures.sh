#!/usr/bin/env bash
# Proves that the editor's pictures did not change: builds the snapshot tool of an earlier commit
# in a git worktree, paints the same set of pictures with it and with this tree's tool, and
# compares the PNG files byte for byte.
#
#   scripts/compare-pictures.sh [COMMIT] [--keep DIR]     (COMMIT defaults to HEAD)
#
# The set: the editor at its default size, the smallest and the largest window and one between,
# pictures at whole and fractional pixel densities, the main panel alone, the live view empty and
# playing the demo drums, power off, High quality with the stereo link, a dry mix, no clip, lit
# meters and several knob and selector settings, in both display modes where they differ. The README's two pictures are
# among them and must also match docs/editor.png and docs/editor-live.png, when this tree's tool
# paints them. This tree's tool is built in build/release; the earlier one in
# build/compare/<commit>. Prints one line per difference and a summary; the exit status is 1
# when any picture differs, 2 when something could not be run. --keep DIR keeps both sets there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

commit=HEAD keep=
while [ $# -gt 0 ]; do
    case "$1" in
        --keep) keep=${2:?--keep needs a folder}; shift ;;
        -*) echo "compare-pictures: unknown option $1" >&2; exit 2 ;;
        *) commit=$1 ;;
    esac
    shift
done
sha=$(git rev-parse --verify --quiet "$commit^{commit}") || { echo "compare-pictures: no commit $commit" >&2; exit 2; }
short=${sha:0:12}

base="$root/build/compare/$short"
if [ ! -x "$base/build/bin/tarvolt-snapshot" ]; then
    echo "compare-pictures: building the snapshot tool of $short"
    rm -rf "$base/src"
    git worktree prune
    mkdir -p "$base"
    git worktree add --detach --force "$base/src" "$sha" >/dev/null 2>&1
    # The earlier commit's own build script, so that it builds as it did then.
    (cd "$base/src" && bash scripts/build.sh ../build Release -DTARVOLT_BUILD_TESTS=OFF \
        -DTARVOLT_BUILD_BENCH=OFF -- tarvolt-snapshot) >/dev/null
    git worktree remove --force "$base/src"
fi
echo "compare-pictures: building this tree's snapshot and render tools"
bash scripts/build.sh build/release Release -- tarvolt-snapshot tarvolt-render >/dev/null
old="$base/build/bin/tarvolt-snapshot"
new="$root/build/release/bin/tarvolt-snapshot"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/old" "$work/new"

# The demo's dry drums, as the README's live picture plays them.
# The render tool renders its demo with --demo since it takes several input files.
render="$root/build/release/bin/tarvolt-render" demo_option=()
"$render" --help | grep -q -- '--demo' && demo_option=(--demo)
(cd "$work/in" && "$render" "${demo_option[@]}" -o tarvolt-demo.wav --quiet >/dev/null)
demo="$work/in/tarvolt-demo-dry.wav"

# name|arguments...
cases=(
    "default|"
    "readme-editor|--levels 0.8,0.85"
    "readme-live|--live '$demo' --until 4"
    "readme-tight|--size 805x500 --set mode=Tight --set attack=9 --scale 2"
    "smallest-2x|--size 500x311 --scale 2"
    "fractional-density|--size 805x500 --scale 1.25"
    "fractional-density-live|--live '$demo' --until 3.5 --scale 1.5"
    "middle|--size 805x500"
    "largest|--size 1700x1056"
    "panel|--panel"
    "panel-small|--panel --size 500x283"
    "panel-wide|--panel --size 1400x500 --levels 0.3,0.6"
    "live-empty|--display live"
    "live-empty-off|--display live --set power=off"
    "live-middle-2x|--live '$demo' --until 3 --size 805x500 --scale 2"
    "live-largest|--live '$demo' --size 1700x1056 --set clip=80 --set output=-6"
    "live-smallest|--live '$demo' --until 2.5 --size 500x311 --set quality=High --set link=On"
    "power-off|--set power=off"
    "power-off-levels|--set power=off --levels 0.9,1"
    "quality-link|--set quality=High --set link=On"
    "dry-mix|--set mix=0"
    "no-clip|--set clip=0"
    "levels|--levels 0.8,0.85"
    "levels-full-small|--levels 1,1 --size 500x311"
    "knobs-low|--set attack=-12 --set sustain=-12 --set sensitivity=0 --set punch=0 --set output=-12"
    "knobs-high|--set attack=12 --set sustain=12 --set sensitivity=100 --set punch=100 --set clip=100 --set output=12"
    "smooth-low|--set mode=Smooth --set focus=Low --set mix=37.5 --set clip=60"
    "tight-high-2x|--set mode=Tight --set focus=High --set punch=80 --size 1256x780 --scale 2"
)

differ=0 total=0
for c in "${cases[@]}"; do
    IFS='|' read -r name args <<<"$c"
    for side in old new; do
        tool=$old
        [ "$side" = new ] && tool=$new
        if ! eval "\"$tool\" -o \"$work/$side/$name.png\" $args" >/dev/null 2>"$work/$side.err"; then
            echo "compare-pictures: the $side tool failed on $name: $(cat "$work/$side.err")" >&2
            exit 2
        fi
    done
    total=$((total + 1))
    if ! cmp -s "$work/old/$name.png" "$work/new/$name.png"; then
        differ=$((differ + 1))
        echo "differs: $name"
    fi
done

# The README's pictures as committed.
for pair in "readme-editor|docs/editor.png" "readme-live|docs/editor-live.png"; do
    IFS='|' read -r name file <<<"$pair"
    total=$((total + 1))
    if ! cmp -s "$work/new/$name.png" "$root/$file"; then
        differ=$((differ + 1))
        echo "differs: $file"
    fi
done

if [ -n "$keep" ]; then
    mkdir -p "$keep"
    cp -r "$work/old" "$work/new" "$keep/"
fi
echo "compare-pictures: $((total - differ)) of $total pictures identical to $short"
[ "$differ" = 0 ]
