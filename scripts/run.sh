#!/usr/bin/env bash
# The main job: installs what is missing, builds Tarvolt (Release), installs the plug-in into
# the user's plug-in folders and renders the built-in drum demo through it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh linux
bash scripts/build.sh build/release Release
bash scripts/install-user.sh build/release
mkdir -p out
echo "Rendering the demo:"
(cd out && "$root/build/release/bin/tarvolt-render" --demo "$@")
echo "Listen: out/tarvolt-demo-dry.wav (before) and out/tarvolt-demo.wav (after)."
