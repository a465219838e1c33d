#!/usr/bin/env bash
# Players 3 and 4 (V/B and Insert/Delete) race after a false start, then leave through the
# results screen's "Exit": the closing screen shows and the program ends by itself about five
# seconds later. Then the game loses its X connection (a client kill), once on the entry screen
# and once in a race: it ends with status 1, not a crash.
# Usage: exit_screen.sh TAPDASH_BINARY PICTURES_DIR
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_game "$1" "$2"
e2e_skip_splash
e2e_enter_player 3 Carol
e2e_enter_player 4 Dave
e2e_click "${e2e_entry_play[@]}"

# A key during the countdown is a false start: "Oi don't cheat", and the countdown starts again.
e2e_front "Orvens Tapdash"
e2e_key v
e2e_wait_for 3 "\"Oi don't cheat\" after a key in the countdown" e2e_shown "Tapdash"
e2e_dismiss Tapdash
e2e_pass "a key during the countdown is a false start"
e2e_race v b Insert Delete
e2e_check "players 3 and 4 raced: the winner holds the record" e2e_record_holder Carol
e2e_check "temp.tmp holds players 3 and 4" \
    e2e_file_is "$e2e_play/temp.tmp" $'\r\n\r\n\r\n\r\nCarol\r\nNone\r\nDave\r\nNone\r\n'

e2e_click "${e2e_results_exit[@]}"
exit_clicked=$(e2e_now_ms)
e2e_front "About Tapdash" 3
e2e_check "\"Exit\" leaves only the closing screen" e2e_not_shown "Confirmation of Results"
e2e_wait_exit 12
ended_after=$(($(e2e_now_ms) - exit_clicked))
e2e_say "the program ended ${ended_after} ms after \"Exit\""
e2e_check "the closing screen ends the program after about five seconds" \
    test "$ended_after" -ge 3000 -a "$ended_after" -le 9000
e2e_check "the program's exit status is 0" test "$e2e_game_status" -eq 0

no_sanitizer_report() { ! grep -qE "Sanitizer|runtime error" "$e2e_scratch/game.log"; }
# kill_connection WHERE: the X server closes the game's connection; the game ends with status 1
# and (in a sanitizer build) no report
kill_connection()
{
    timeout 5 xdotool windowkill "$win" || e2e_fail "could not kill the game's X connection"
    e2e_wait_exit 10
    e2e_check "the X connection lost $1 ends the game with status 1" test "$e2e_game_status" -eq 1
    e2e_check "no sanitizer report after the X connection was lost $1" no_sanitizer_report
}
e2e_start_game "$1" "$2"
e2e_skip_splash
kill_connection "on the entry screen"
e2e_start_game "$1" "$2"
e2e_skip_splash
e2e_enter_player 3 Carol
e2e_enter_player 4 Dave
e2e_click "${e2e_entry_play[@]}"
e2e_countdown
e2e_run 10 v b Insert Delete
kill_connection "in a race"
e2e_done
