#!/usr/bin/env bash
# The whole road from the start: the splash screen waited out in full, the credits and back, a
# sample runner chosen through the picker, a race run by that runner, the results, and the end
# through the closing screen.
# Usage: whole_road.sh TAPDASH_BINARY PICTURES_DIR
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_game "$1" "$2"

e2e_front "Welcome to" 20
splash_shown=$(e2e_now_ms)
e2e_wait_for 8 "the splash screen's product phase" e2e_shown "Welcome to Orvens' Tapdash"
product_after=$(($(e2e_now_ms) - splash_shown))
e2e_front "Whos playing Tapdash then?" 10
entry_after=$(($(e2e_now_ms) - splash_shown))
e2e_say "splash: product phase after ${product_after} ms, entry screen after ${entry_after} ms"
e2e_check "the splash screen's maker phase lasts about five seconds" \
    test "$product_after" -ge 4000 -a "$product_after" -le 7000
e2e_check "the splash screen hands over to the entry screen after about ten seconds" \
    test "$entry_after" -ge 9000 -a "$entry_after" -le 12500
e2e_check "the splash screen is gone" e2e_not_shown "Welcome to Orvens' Tapdash"

e2e_click "${e2e_entry_about[@]}"
e2e_front "About"
e2e_check "\"About\" hides the entry screen" e2e_not_shown "Whos playing Tapdash then?"
e2e_click "${e2e_credits_return[@]}"
e2e_front "Whos playing Tapdash then?"
e2e_check "\"Return to Tapdash\" closes the credits and shows the entry screen" e2e_not_shown "About"

# shellcheck disable=SC2046  # the positions are four words
e2e_click $(e2e_pick_button_at 1)
e2e_front "Select *.rnx file"
e2e_check "\"..\" hides the entry screen" e2e_not_shown "Whos playing Tapdash then?"
e2e_click "${e2e_picker_name_box[@]}"
e2e_key ctrl+a
e2e_type sprinter.rnx
e2e_click "${e2e_picker_select[@]}"
e2e_front "Whos playing Tapdash then?"
e2e_check "\"Select\" closes the picker" e2e_not_shown "Select *.rnx file"

e2e_enter_player 1 Erin
e2e_click "${e2e_entry_play[@]}"
e2e_front "Orvens Tapdash"
e2e_check "player 1's runner file is the sample the picker chose, with its full path" \
    e2e_file_is "$e2e_play/temp.tmp" "Erin"$'\r\n'"$e2e_play/sprinter.rnx"$'\r\n\r\n\r\n\r\n\r\n\r\n\r\n'
e2e_check "the chosen runner loaded without a message" e2e_no_message

# The runner box (48 x 43 pixels at 144,96) shows the first frame of the chosen strip.
sleep 0.5
e2e_shot "$e2e_scratch/race.png"
convert "$e2e_scratch/race.png" -crop 48x43+144+96 +repage "$e2e_scratch/runner_box.png"
convert "$e2e_play/sprinter.rnx" -crop 48x43+0+0 +repage "$e2e_scratch/first_frame.png"
differing=$(compare -metric AE -fuzz 2% "$e2e_scratch/runner_box.png" "$e2e_scratch/first_frame.png" null: 2>&1)
e2e_say "runner box against the strip's first frame: $differing pixels differ"
e2e_check "lane 1 runs the chosen runner's picture" test "$differing" = 0

e2e_race p o
e2e_check "the race's winner holds the record" e2e_record_holder Erin
e2e_click "${e2e_results_exit[@]}"
e2e_front "About Tapdash" 3
e2e_wait_exit 12
e2e_check "the program ends through the closing screen with exit status 0" test "$e2e_game_status" -eq 0
e2e_done
