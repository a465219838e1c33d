#!/usr/bin/env bash
# Installs whichever packages of debian-packages.txt are missing (with sudo when not root).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t wanted < <(grep -vE '^\s*(#|$)' debian-packages.txt)
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
