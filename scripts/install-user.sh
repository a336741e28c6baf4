#!/usr/bin/env bash
# Copies the built plug-in bundles into the user's plug-in folders: the VST3 into ~/.vst3 and
# the LV2 into ~/.lv2. Only Tarvolt's own bundles are replaced; nothing else in those folders
# is touched. Each bundle is copied next to its destination first and then moved into place.
#   scripts/install-user.sh <build folder>
set -euo pipefail
build=$1
artefacts="$build/Tarvolt_artefacts/Release"

install_bundle() { # <bundle> <destination folder>
    local bundle=$1 dest=$2 name
    name=$(basename "$bundle")
    if [ ! -d "$bundle" ]; then
        echo "not built, not installed: $bundle" >&2
        return 1
    fi
    mkdir -p "$dest"
    local staging="$dest/.$name.installing"
    rm -rf "$staging"
    cp -R "$bundle" "$staging"
    rm -rf "${dest:?}/$name"
    mv "$staging" "$dest/$name"
    echo "installed $dest/$name"
}

install_bundle "$artefacts/VST3/Tarvolt.vst3" "$HOME/.vst3"
install_bundle "$artefacts/LV2/Tarvolt.lv2" "$HOME/.lv2"
echo "standalone application: $artefacts/Standalone/Tarvolt"
