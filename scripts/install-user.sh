#!/usr/bin/env bash
# Copies the built plug-in bundles into the user's plug-in folders. Only Tarvolt's own
# bundles are replaced; nothing else in those folders is touched.
#   scripts/install-user.sh <build folder>
set -euo pipefail
build=$1
artefacts="$build/Tarvolt_artefacts/Release"

install_bundle() { # <bundle> <destination folder>
    local bundle=$1 dest=$2 name
    name=$(basename "$bundle")
    [ -d "$bundle" ] || return 0
    mkdir -p "$dest"
    local staging="$dest/.$name.installing"
    rm -rf "$staging"
    cp -R "$bundle" "$staging"
    rm -rf "${dest:?}/$name"
    mv "$staging" "$dest/$name"
    echo "installed $dest/$name"
}

install_bundle "$artefacts/VST3/Tarvolt.vst3" "$HOME/.vst3"
