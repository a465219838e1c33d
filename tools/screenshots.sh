#!/usr/bin/env bash
# Takes a picture of each of the game's seven screens (the splash screen in both its phases) in a
# private X server, playing the game the way the end-to-end tests do.
#   tools/screenshots.sh [FOLDER]   the pictures go to FOLDER (default build/screenshots)
#   tools/screenshots.sh docs       docs/entry.png, docs/race.png and docs/fullscreen.png for the README
# Needs a build: the game build/tapdash and its pictures build/play (make play makes both;
# TAPDASH_BUILD names another build folder, such as build-test).
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPDASH_BUILD:-$root/build}
# shellcheck source=SCRIPTDIR/e2e_driver.sh
source "$root/tools/e2e_driver.sh"

target=${1:-$build/screenshots}
if [ "$target" = docs ]; then shots="$e2e_scratch/shots"; else shots=$target; fi
mkdir -p "$shots" || e2e_fail "cannot make $shots"

# shot NAME: the window $win once it has painted
shot()
{
    sleep 0.7
    e2e_shot "$shots/$1.png"
    e2e_say "$shots/$1.png"
}

e2e_screen=1920x1080x24  # the display the race fills in full screen
e2e_start_x
e2e_start_game "$build/tapdash" "$build/play"

e2e_front "Welcome to" 20
shot splash
e2e_key Escape
e2e_front "Welcome to Orvens' Tapdash"
shot splash-product
e2e_key Escape

e2e_front "Whos playing Tapdash then?"
e2e_click "${e2e_entry_about[@]}"
e2e_front "About"
shot credits
e2e_click "${e2e_credits_return[@]}"

e2e_enter_player 1 Alice
e2e_enter_player 2 Robbie
shot entry
# shellcheck disable=SC2046  # the positions are four words
e2e_click $(e2e_pick_button_at 2)
e2e_front "Select *.rnx file"
e2e_click "${e2e_picker_name_box[@]}"
e2e_type robot.rnx
shot picker
e2e_click "${e2e_picker_select[@]}"

e2e_front "Whos playing Tapdash then?"
e2e_click "${e2e_entry_play[@]}"
e2e_countdown
e2e_run 15 p o
e2e_run 12 p o w q
shot race
e2e_key F11
shot fullscreen
e2e_key F11
e2e_run 23 p o w q
e2e_run 14 w q
e2e_finish w q
shot results

e2e_click "${e2e_results_exit[@]}"
e2e_front "About Tapdash" 3
shot closing
e2e_wait_exit 12
[ "$e2e_game_status" -eq 0 ] || e2e_fail "the game ended with exit status $e2e_game_status"

if [ "$target" = docs ]; then
    mkdir -p "$root/docs"
    cp "$shots/entry.png" "$shots/race.png" "$shots/fullscreen.png" "$root/docs/" || e2e_fail "cannot copy to $root/docs"
    e2e_say "$root/docs/entry.png, $root/docs/race.png and $root/docs/fullscreen.png"
fi
