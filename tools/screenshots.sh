#!/usr/bin/env bash
# Takes a picture of each of the game's seven screens (the splash screen in both its phases, the
# entry screen also with a long runner-file path) in a private X server, playing the game the way
# the end-to-end tests do: each in its window (NAME.png), then, after F11, in full screen
# (NAME-full.png), and F11 again back to the window.
#   tools/screenshots.sh [FOLDER]   the pictures go to FOLDER (default build/screenshots)
#   tools/screenshots.sh docs       the README's pictures: docs/entry.png, docs/race.png,
#                                   docs/fullscreen.png (the race) and docs/results-fullscreen.png
# TAPDASH_DISPLAY sets the display's size (default 1920x1080). Needs a build: the game
# build/tapdash and its pictures build/play (make play makes both; TAPDASH_BUILD names another
# build folder, such as build-test).
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAPDASH_BUILD:-$root/build}
# shellcheck source=SCRIPTDIR/e2e_driver.sh
source "$root/tools/e2e_driver.sh"

target=${1:-$build/screenshots}
if [ "$target" = docs ]; then shots="$e2e_scratch/shots"; else shots=$target; fi
mkdir -p "$shots" || e2e_fail "cannot make $shots"

display=${TAPDASH_DISPLAY:-1920x1080}
e2e_screen=${display}x24
window_size=""  # the size of window $win as the last sized call found it

sized() { window_size=$(xdotool getwindowgeometry --shell "$win" | awk -F= '/^(WIDTH|HEIGHT)=/ { printf "%s%s", s, $2; s = "x" }'); }
fills_display() { sized && [ "$window_size" = "$display" ]; }
in_window() { sized && [ "$window_size" != "$display" ]; }

# shot NAME: the window $win once it has painted; then F11, the window in full screen as
# NAME-full, and F11 again
shot()
{
    sleep 0.7
    e2e_shot "$shots/$1.png"
    e2e_say "$shots/$1.png"
    e2e_key F11
    e2e_wait_for 5 "F11 to fill the display" fills_display
    sleep 0.7
    e2e_shot "$shots/$1-full.png"
    e2e_say "$shots/$1-full.png"
    e2e_key F11
    e2e_wait_for 5 "F11 to bring the window back" in_window
}

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
shot picker
e2e_click "${e2e_picker_name_box[@]}"
e2e_type robot.rnx
e2e_click "${e2e_picker_select[@]}"

# A path as long as a runner file deep in a player's folders has, past the scene's right edge
e2e_front "Whos playing Tapdash then?"
# shellcheck disable=SC2046
e2e_click $(e2e_pick_button_at 3)
e2e_front "Select *.rnx file"
e2e_click "${e2e_picker_name_box[@]}"
e2e_type "runners/from/the/club/of/our/town/robot.rnx"
e2e_click "${e2e_picker_select[@]}"
e2e_front "Whos playing Tapdash then?"
shot entry-path  # player 3 does not run: the path need not exist

e2e_click "${e2e_entry_play[@]}"
e2e_countdown
e2e_run 15 p o
e2e_run 12 p o w q
shot race
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
    cp "$shots/race-full.png" "$shots/fullscreen.png" && cp "$shots/results-full.png" "$shots/results-fullscreen.png"
    for picture in entry race fullscreen results-fullscreen; do
        cp "$shots/$picture.png" "$root/docs/" || e2e_fail "cannot copy to $root/docs"
        e2e_say "$root/docs/$picture.png"
    done
fi
