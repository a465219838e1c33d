#!/bin/sh
# The installed "tapdash" command. The game reads its pictures from, and writes "temp.tmp" into,
# its working directory, so it runs in a play folder of the player's own, seeded from the
# installed pictures and sample runners. Pictures already there are kept, so a player may
# replace them or add runner files of their own.
set -eu
prefix=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
play="${XDG_DATA_HOME:-$HOME/.local/share}/tapdash/play"
mkdir -p "$play"
for picture in "$prefix/share/tapdash/"*; do
    [ -e "$play/${picture##*/}" ] || cp "$picture" "$play/"
done
cd "$play"
exec "$prefix/libexec/tapdash/tapdash"
