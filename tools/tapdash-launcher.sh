#!/bin/sh
# The installed "tapdash" command. The game reads its pictures from, and writes "temp.tmp" into,
# its working directory, so it runs in a play folder of the player's own, seeded from the
# installed pictures and sample runners. A file the player changed or added is never touched;
# one the player left as it was installed is refreshed when the installed copy changes (after an
# upgrade). installed.md5 keeps the checksum of each file as it was last copied.
# The folder is kept by the rules the game keeps its own files by: only a regular file, no link
# and no larger than a picture the game reads, is read; every file is written under a hidden
# temporary name and renamed into place, never through a link; a link or anything else odd in the
# play folder is the player's and left alone. Two launchers at once take turns (a lock on the data
# folder). Trouble with the folder is said once, and the game starts all the same.
set -u
here=$(dirname "$(readlink -f "$0")")
pictures="$here/@launcher_to_pictures@"
program="$here/@launcher_to_program@"
largest=$((4 * 4096 * 4096 + 65536)) # the largest picture file the game reads
mode=$(printf '%o' $((0666 & ~$(umask))))

told=""
trouble() {
    [ -n "$told" ] || printf 'tapdash: %s; the game starts all the same\n' "$1" >&2
    told=yes
}

# plain FILE [CAP]: a regular file, not a link, of at most CAP bytes
plain() { [ -f "$1" ] && [ ! -L "$1" ] && [ "$(stat -c %s -- "$1")" -le "${2:-$largest}" ]; }
checksum() { md5sum <"$1" | cut -d' ' -f1; }

# put FOLDER NAME: standard input as FOLDER/NAME, written first under a hidden temporary name
# beside it, then renamed over whatever had the name
put() {
    if ! temporary=$(mktemp "$1/.tapdash-save-$2-XXXXXX" 2>&1); then
        trouble "cannot write in \"$1\": ${temporary##*: }"
        return 1
    fi
    if cat >"$temporary" && chmod "$mode" "$temporary" && mv -fT "$temporary" "$1/$2"; then return 0; fi
    trouble "cannot write \"$1/$2\""
    rm -f "$temporary"
    return 1
}

# The data folder as the XDG base-directory rules give it: a relative XDG_DATA_HOME is ignored.
case ${XDG_DATA_HOME:-} in
/*) data=$XDG_DATA_HOME/tapdash ;;
*) case ${HOME:-} in /*) data=$HOME/.local/share/tapdash ;; *) data="" ;; esac ;;
esac
play=$data/play
record=$data/installed.md5

if [ -z "$data" ]; then
    trouble "no folder for the game's files: neither XDG_DATA_HOME nor HOME is an absolute path"
    play=$pictures
elif ! mkdir -p "$play" 2>/dev/null || ! { command exec 9<"$data"; } 2>/dev/null; then
    trouble "cannot make the play folder \"$play\""
    play=$pictures
else
    flock -w 10 9 || trouble "another launcher kept \"$data\" locked"
    # Temporary files of launchers or games killed more than a minute ago
    find "$data" "$play" -maxdepth 1 -type f -name '.tapdash-save-?*-??????' -mmin +1 -delete 2>/dev/null
    lines=""
    for installed in "$pictures"/*; do
        name=${installed##*/}
        new=$(checksum "$installed")
        last=""
        ! plain "$record" 65536 || last=$(awk -v name="$name" '$2 == name { print $1; exit }' "$record")
        if [ ! -e "$play/$name" ] && [ ! -L "$play/$name" ]; then
            put "$play" "$name" <"$installed" && last=$new
        elif plain "$play/$name"; then
            have=$(checksum "$play/$name")
            if [ "$have" = "$new" ]; then
                last=$new
            elif [ "$have" = "$last" ]; then
                put "$play" "$name" <"$installed" && last=$new
            fi
        fi
        [ -z "$last" ] || lines="$lines$last  $name
"
    done
    printf '%s' "$lines" | put "$data" installed.md5
    exec 9<&- # the game holds no lock
fi
cd "$play" || exit 1
exec "$program" "$@"
