#!/usr/bin/env bash
# Installs whichever packages of debian-packages.txt are missing (with sudo when not root): those
# of [play], which everything needs, and those of the set named.
# Usage: install-deps.sh play|test|bench|deb
set -euo pipefail
cd "$(dirname "$0")/.."
set_name=${1:-play}
if ! grep -qx "\[$set_name\]" debian-packages.txt; then
    echo "usage: install-deps.sh play|test|bench|deb" >&2
    exit 2
fi
mapfile -t wanted < <(awk -v set="[$set_name]" '
    /^\[/ { section = $0; next }
    /^[[:space:]]*(#|$)/ { next }
    section == "[play]" || section == set { print $1 }' debian-packages.txt)
missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
