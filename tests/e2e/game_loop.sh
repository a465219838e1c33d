#!/usr/bin/env bash
# The game loop as two players play it: entry, race, results and record, "Same Players",
# "New Players" with the entries kept, and "Exit Game" ending the program at once.
# Usage: game_loop.sh TAPDASH_BINARY PICTURES_DIR
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

temp_tmp="$e2e_play/temp.tmp"
alice_and_bob=$'Alice\r\nNone\r\nBob\r\nNone\r\n\r\n\r\n\r\n\r\n'

e2e_start_x
e2e_start_game "$1" "$2"
e2e_skip_splash
e2e_pass "Escape twice skips the splash screen"

e2e_enter_player 1 Alice
e2e_enter_player 2 Bob
e2e_click "${e2e_entry_play[@]}"
e2e_race p o w q
e2e_check "\"Play\" wrote temp.tmp: eight lines, players 1 and 2" e2e_file_is "$temp_tmp" "$alice_and_bob"
e2e_check "the winner Alice holds the new record in the best-time file" e2e_record_holder Alice

e2e_click "${e2e_results_same_players[@]}"
e2e_race p o w q
e2e_pass "\"Same Players\" ran the same race again"
e2e_check "temp.tmp is unchanged by \"Same Players\"" e2e_file_is "$temp_tmp" "$alice_and_bob"
e2e_check "the best-time file still holds Alice's record" e2e_record_holder Alice

e2e_click "${e2e_results_new_players[@]}"
e2e_front "Whos playing Tapdash then?"
e2e_check "\"New Players\" leaves only the entry screen" e2e_not_shown "Confirmation of Results"
# The entries are kept: "Play" at once writes the same players again.
rm -f "$temp_tmp"
e2e_click "${e2e_entry_play[@]}"
e2e_race p o w q
e2e_check "the entry screen kept both players and their names" e2e_file_is "$temp_tmp" "$alice_and_bob"

e2e_click "${e2e_results_new_players[@]}"
e2e_front "Whos playing Tapdash then?"
e2e_click "${e2e_entry_exit_game[@]}"
e2e_wait_exit 3
e2e_check "\"Exit Game\" ends the program at once with exit status 0" test "$e2e_game_status" -eq 0
e2e_done
