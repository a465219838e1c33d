#!/usr/bin/env bash
# The installed game: `make install`'s script into a scratch prefix, and `make uninstall`'s back
# out of it; the desktop entry and AppStream metainfo as installed pass their validators; the
# command line works without a display; the installed "tapdash" command, started through a link as
# a menu or the PATH would start it, seeds the player's play folder, refreshes the game's own files
# there after an upgrade but never the player's, and runs the game there.
# Usage: installed.sh BUILD_DIR
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

install_tree="$(dirname "$0")/../../tools/install-tree.sh"
prefix="$e2e_scratch/prefix"
play="$e2e_data/tapdash/play"
mkdir -p "$play"
printf 'my own runner\n' >"$play/sprinter.rnx"
"$install_tree" install "$1" "$prefix" >"$e2e_scratch/install.log" 2>&1 ||
    e2e_fail "install: $(cat "$e2e_scratch/install.log")"

png_side() { od -An -tu4 --endian=big -j16 -N4 "$1" | tr -d ' '; }
installed()
{
    local file side
    for file in bin/tapdash libexec/tapdash/tapdash share/applications/tapdash.desktop \
        share/metainfo/com.example.Tapdash.metainfo.xml share/man/man6/tapdash.6.gz \
        share/icons/hicolor/scalable/apps/tapdash.svg share/tapdash/{back,orvenspres,tapdash}.bmp \
        share/tapdash/{sprinter,robot}.rnx; do
        [ -f "$prefix/$file" ] || { e2e_say "not installed: $file"; return 1; }
    done
    for side in 16 22 24 32 48 64 128 256; do
        file="$prefix/share/icons/hicolor/${side}x$side/apps/tapdash.png"
        if [ ! -f "$file" ] || [ "$(png_side "$file")" != "$side" ]; then
            e2e_say "no $side-pixel icon"
            return 1
        fi
    done
    ! readelf -S "$prefix/libexec/tapdash/tapdash" | grep -q '\.symtab' || { e2e_say "not stripped"; return 1; }
}
e2e_check "the stripped game, its pictures, menu entry, metainfo, man page and icons are installed" installed
e2e_check "the desktop entry is valid" desktop-file-validate "$prefix/share/applications/tapdash.desktop"
e2e_check "the desktop entry offers to play full screen" \
    grep -qx 'Exec=tapdash --fullscreen' "$prefix/share/applications/tapdash.desktop"
e2e_check "the AppStream metainfo is valid" \
    appstreamcli validate --no-net "$prefix/share/metainfo/com.example.Tapdash.metainfo.xml"

# tapdash ARGS...: the installed command, without a display; ran STATUS out|err PATTERN checks it.
tapdash()
{
    XDG_DATA_HOME="$e2e_data" "$prefix/bin/tapdash" "$@" >"$e2e_scratch/out" 2>"$e2e_scratch/err"
    status=$?
}
ran() { [ "$status" -eq "$1" ] && grep -q "$3" "$e2e_scratch/$2"; }
tapdash --help
e2e_check "--help prints the usage, status 0" ran 0 out '^Usage: tapdash'
tapdash --version
e2e_check "--version prints the version, status 0" ran 0 out '^tapdash [0-9]'
tapdash --no-such-option
e2e_check "an unknown option prints the usage on standard error, status 2" ran 2 err '^Usage: tapdash'

seeded()
{
    local picture
    for picture in back.bmp orvenspres.bmp tapdash.bmp robot.rnx; do
        cmp -s "$prefix/share/tapdash/$picture" "$play/$picture" || return 1
    done
    [ "$(cat "$play/sprinter.rnx")" = "my own runner" ]
}
e2e_check "the play folder is seeded with the missing pictures only" seeded

# An upgrade changes two of the game's files; the player has changed one of them.
printf 'upgraded' >>"$prefix/share/tapdash/back.bmp"
printf 'upgraded' >>"$prefix/share/tapdash/robot.rnx"
printf 'mine' >>"$play/robot.rnx"
cp "$play/robot.rnx" "$e2e_scratch/players_robot.rnx"
tapdash --version
refreshed()
{
    cmp -s "$prefix/share/tapdash/back.bmp" "$play/back.bmp" && cmp -s "$e2e_scratch/players_robot.rnx" "$play/robot.rnx" &&
        [ "$(cat "$play/sprinter.rnx")" = "my own runner" ]
}
e2e_check "after an upgrade only the files the player left alone are refreshed" refreshed

ln -s "$prefix/bin/tapdash" "$e2e_scratch/tapdash"
e2e_start_x
e2e_launch "$e2e_scratch" "$e2e_scratch/tapdash"
e2e_skip_splash
e2e_check "the game runs in the play folder" test "$(readlink "/proc/$e2e_game_pid/cwd")" = "$(cd "$play" && pwd -P)"

e2e_front "Whos playing Tapdash then?"
e2e_click "${e2e_entry_exit_game[@]}"
e2e_wait_exit 3
e2e_check "the installed game ends with exit status 0" test "$e2e_game_status" -eq 0

"$install_tree" uninstall "$1" "$prefix" >"$e2e_scratch/install.log" 2>&1 ||
    e2e_fail "uninstall: $(cat "$e2e_scratch/install.log")"
e2e_check "uninstall leaves the prefix empty" test -z "$(ls -A "$prefix")"
e2e_done
