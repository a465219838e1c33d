#!/usr/bin/env bash
# The installed game: "cmake --install" into a scratch prefix; the installed "tapdash" command,
# started through a link as a menu or the PATH would start it, seeds the player's play folder
# without overwriting the player's own files and runs the game there.
# Usage: installed.sh BUILD_DIR
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

prefix="$e2e_scratch/prefix"
cmake --install "$1" --prefix "$prefix" >"$e2e_scratch/install.log" 2>&1 ||
    e2e_fail "cmake --install: $(cat "$e2e_scratch/install.log")"
installed()
{
    local file
    for file in bin/tapdash libexec/tapdash/tapdash share/applications/tapdash.desktop \
        share/icons/hicolor/32x32/apps/tapdash.png share/tapdash/{back,orvenspres,tapdash}.bmp \
        share/tapdash/{sprinter,robot}.rnx; do
        [ -f "$prefix/$file" ] || { e2e_say "not installed: $file"; return 1; }
    done
    grep -qx 'Exec=tapdash' "$prefix/share/applications/tapdash.desktop" &&
        grep -qx 'Icon=tapdash' "$prefix/share/applications/tapdash.desktop"
}
e2e_check "the game, its pictures, the desktop entry and the icon are installed" installed

play="$e2e_data/tapdash/play"
mkdir -p "$play"
printf 'my own runner\n' >"$play/sprinter.rnx"
ln -s "$prefix/bin/tapdash" "$e2e_scratch/tapdash"
e2e_start_x
e2e_launch "$e2e_scratch" "$e2e_scratch/tapdash"
e2e_skip_splash

seeded()
{
    local picture
    for picture in back.bmp orvenspres.bmp tapdash.bmp robot.rnx; do
        cmp -s "$prefix/share/tapdash/$picture" "$play/$picture" || return 1
    done
    [ "$(cat "$play/sprinter.rnx")" = "my own runner" ]
}
e2e_check "the play folder is seeded with the missing pictures only" seeded
e2e_check "the game runs in the play folder" test "$(readlink "/proc/$e2e_game_pid/cwd")" = "$(cd "$play" && pwd -P)"

e2e_front "Whos playing Tapdash then?"
e2e_click "${e2e_entry_exit_game[@]}"
e2e_wait_exit 3
e2e_check "the installed game ends with exit status 0" test "$e2e_game_status" -eq 0
e2e_done
