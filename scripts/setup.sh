#!/usr/bin/env bash
# Installs the Debian packages Tarvolt needs. Idempotent: when everything is
# already there it prints nothing and touches nothing.
#
#   scripts/setup.sh [GROUP...]     groups are files in scripts/packages/ (default: linux)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(linux)

wanted=()
for g in "${groups[@]}"; do
    list="$here/packages/$g.txt"
    [ -f "$list" ] || { echo "setup: unknown package group '$g'" >&2; exit 2; }
    while read -r pkg _; do
        case "$pkg" in ''|'#'*) continue ;; esac
        wanted+=("$pkg")
    done <"$list"
done

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q >/dev/null
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
