#!/bin/sh
# The installed "tapdash" command. The game reads its pictures from, and writes "temp.tmp" into,
# its working directory, so it runs in a play folder of the player's own, seeded from the
# installed pictures and sample runners. A file the player changed or added is never touched;
# one the player left as it was installed is refreshed when the installed copy changes (after an
# upgrade). installed.md5 keeps the checksum of each file as it was last copied.
set -eu
here=$(dirname "$(readlink -f "$0")")
pictures="$here/@launcher_to_pictures@"
data="${XDG_DATA_HOME:-$HOME/.local/share}/tapdash"
play="$data/play"
record="$data/installed.md5"
mkdir -p "$play"
[ -f "$record" ] || : >"$record"
checksum() { md5sum <"$1" | cut -d' ' -f1; }
for installed in "$pictures"/*; do
    name=${installed##*/}
    new=$(checksum "$installed")
    last=$(awk -v name="$name" '$2 == name { print $1 }' "$record")
    if [ ! -e "$play/$name" ] || { [ "$new" != "$last" ] && [ "$(checksum "$play/$name")" = "$last" ]; }; then
        cp "$installed" "$play/$name"
        last=$new
    elif [ "$(checksum "$play/$name")" = "$new" ]; then
        last=$new
    fi
    [ -z "$last" ] || printf '%s  %s\n' "$last" "$name"
done >"$record.new"
mv "$record.new" "$record"
cd "$play"
exec "$here/@launcher_to_program@" "$@"
