#!/usr/bin/env bash
# Downloads and unpacks one Debian source package with apt-get source, without touching the
# machine's apt configuration: the deb-src entries are derived at run time from the binary
# archives apt already uses (same sites, suites and components) and live in a private apt
# state folder that is removed afterwards.
#
#   scripts/windows/fetch-debian-source.sh <source package> <version or ""> <destination folder>
#
# Prints the path of the unpacked source tree. With an empty version (or when that exact
# version cannot be fetched any more) the newest version that can be fetched is taken.
set -euo pipefail
package=$1 version=$2 dest=$3

mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
state=$(mktemp -d "$dest/.apt.XXXXXX")
trap 'rm -rf "$state"' EXIT
mkdir -p "$state/lists/partial" "$state/cache" "$state/download"

# Debian's binary archives as apt sees them, turned into source entries. apt knows them only
# once its lists were downloaded, so a machine that never ran apt-get update gets one first.
derive_sources() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
        'Created-By: Packages' 'Target-Of: deb' 'Origin: Debian' |
        sort -u | while read -r uri release component; do
            [ -n "$uri" ] && echo "deb-src $uri $release $component"
        done >"$state/sources.list"
    [ -s "$state/sources.list" ]
}
if ! derive_sources; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q >/dev/null
    derive_sources || {
        echo "fetch-debian-source: apt knows no Debian archive to derive a deb-src entry from" >&2
        exit 1
    }
fi

apt_private=(
    -o "Dir::Etc::SourceList=$state/sources.list"
    -o "Dir::Etc::SourceParts=$state/none"
    -o "Dir::State::Lists=$state/lists"
    -o "Dir::Cache=$state/cache"
    -o "APT::Sandbox::User=root"
    -q
)
apt-get "${apt_private[@]}" update >"$state/update.log" 2>&1 || {
    cat "$state/update.log" >&2
    echo "fetch-debian-source: apt-get update of the source indices failed" >&2
    exit 1
}

fetch() { # <version>
    (cd "$state/download" && apt-get "${apt_private[@]}" source "$package=$1") >>"$state/source.log" 2>&1
}
# The wanted version first, then whatever the archive offers, newest first: a mirror may lack
# a file of one version (or a security update may have replaced it) while another is complete.
candidates=$(apt-cache "${apt_private[@]}" showsrc "$package" 2>/dev/null |
    sed -n 's/^Version: //p' | sort -u | sort -r -V)
fetched=""
for candidate in $version $candidates; do
    if fetch "$candidate"; then fetched=$candidate; break; fi
done
if [ -z "$fetched" ]; then
    cat "$state/source.log" >&2
    echo "fetch-debian-source: apt-get source $package failed for every version ($version $candidates)" >&2
    exit 1
fi
[ -z "$version" ] || [ "$fetched" = "$version" ] ||
    echo "fetch-debian-source: $package $version is not to be had; took $fetched" >&2

# apt-get source leaves the .dsc, the tarballs and one unpacked folder.
tree=$(find "$state/download" -mindepth 1 -maxdepth 1 -type d | head -n1)
[ -n "$tree" ] || { echo "fetch-debian-source: nothing was unpacked for $package" >&2; exit 1; }
target="$dest/$(basename "$tree")"
rm -rf "$target"
mv "$tree" "$target"
echo "$target"
