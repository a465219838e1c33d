#!/usr/bin/env bash
# The game in a real X server, for what only a real one shows: the splash and closing screens'
# real timers; the designed colours on every screen under each desktop theme (none, GNOME, KDE);
# a false start, and message boxes that no lane key closes; lane 4's Insert and Delete (and the
# keypad's 0 and .) through the server's keymap, and the other lanes' keys in a French and a
# Russian layout where the server takes them; a chosen runner's picture in its lane; the whole road
# through every screen once; and a lost X connection ending the game cleanly.
# Usage: play.sh TAPDASH_BINARY PICTURES_DIR
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

binary=$1 pictures=$2
entry="Whos playing Tapdash then?" picker="Select *.rnx file" race="Orvens Tapdash"
results="Confirmation of Results" closing="About Tapdash"

# The designed colours at their places: window | left top width height (twips) | colours
designs=(
    "$entry|5520 2640 30 30|#FF0000"               # around check box 1's indicator
    "$entry|5520 3720 30 30|#FF0000"               # around check box 4's
    "$entry|2760 2640 1215 240|#FFFF00"            # row captions and heading
    "$entry|2760 4080 3855 795|#FF0000 #FFFFFF"    # buttons, version text
    "About|2535 2280 5265 3615|#FFFFFF #FFFF00"    # credits
    "About|${e2e_credits_return[*]}|#FF0000"
    "$picker|${e2e_picker_name_box[*]}|#FFFFFF"
    "$race|2880 4320 945 900|#00FF00 #000000"      # countdown
    "$race|${e2e_race_clock[*]}|#000000 #00FF00"
    "$race|8400 1440 15 1680|#000000"              # finishing post
    "$results|3840 2760 1935 735|#FF0000"          # buttons
    "$closing|1485 1680 6705 4755|#FFFF00 #0000FF #008000"
)

# looks WINDOW: brought to the front, the window shows its designed colours (once painted)
looks()
{
    e2e_front "$1"
    local deadline=$(($(e2e_now_ms) + 20000))
    until designed "$1"; do
        (($(e2e_now_ms) < deadline)) || e2e_fail "$theme: \"$1\" lacks $lacking"
        sleep 0.2
    done
    e2e_pass "$theme: \"$1\" in its designed colours"
}
designed()
{
    local row window place colours
    e2e_shot "$e2e_scratch/shot.png"
    for row in "${designs[@]}"; do
        IFS='|' read -r window place colours <<<"$row"
        lacking="$colours at $place"
        # shellcheck disable=SC2086  # the place and the colours are several words
        [ "$window" != "$1" ] || e2e_shows $place $colours || return 1
    done
}

# The first line of pixels showing yellow in the 90 x 20 pixels at LEFT, TOP (twips) of the last shot
first_yellow_line()
{
    convert "$e2e_shot_taken" -crop "90x20+$(($1 / 15))+$(($2 / 15))" +repage -depth 8 txt:- |
        grep -im1 ' #FFFF00 ' | cut -d, -f2 | cut -d: -f1
}

# Lane 1's runner box (48 x 43 pixels at 144,96) in the last shot shows the first frame of sprinter.rnx
runner_shown()
{
    convert "$e2e_shot_taken" -crop 48x43+144+96 +repage "$e2e_scratch/box.png" &&
        convert "$e2e_play/sprinter.rnx" -crop 48x43+0+0 +repage "$e2e_scratch/frame.png" &&
        [ "$(compare -metric AE -fuzz 2% "$e2e_scratch/box.png" "$e2e_scratch/frame.png" null: 2>&1)" = 0 ]
}

# desktop THEME LAYOUT: the desktop theme of the next game, and the keyboard layout when this X
# server takes it; $keys then holds the layout's keysyms of the physical P, O, W, Q, V and B keys
desktop()
{
    export XDG_CURRENT_DESKTOP=$1
    theme=${1:-none} keys=(p o w q v b)
    if ! setxkbmap "$2" 2>/dev/null || ! setxkbmap -query | grep -q "^layout: *$2\$"; then
        e2e_say "SKIPPED: the $2 layout: this X server keeps its keymap; US keys are sent"
    elif [ "$2" = ru ]; then
        keys=(Cyrillic_ze Cyrillic_shcha Cyrillic_tse Cyrillic_shorti Cyrillic_em Cyrillic_i)
    fi
}

# false_start CLOSER: a key in the countdown is a false start; its message box outlasts every
# lane key and closes with CLOSER
false_start()
{
    e2e_front "$race"
    e2e_key "${keys[0]}"
    e2e_front Tapdash
    local box=$win
    e2e_key "${keys[@]}" Insert Delete KP_Insert KP_Delete KP_0 KP_Decimal
    sleep 0.5
    # The same box: a key that closed it would have reached the countdown and opened another
    e2e_check "$theme: \"Oi don't cheat\" outlasts every lane key" test "$(e2e_find Tapdash)" = "$box"
    e2e_key "$1"
    e2e_wait_gone Tapdash
    e2e_pass "$theme: $1 closes it"
}

# Clicks "Exit" on the results: the closing screen ends the program by itself after five seconds
close_through_exit()
{
    e2e_click "${e2e_results_exit[@]}"
    local clicked ended_after
    clicked=$(e2e_now_ms)
    looks "$closing"
    e2e_wait_exit 30
    ended_after=$(($(e2e_now_ms) - clicked))
    e2e_check "$theme: the closing screen ends the program after about five seconds (${ended_after} ms), status 0" \
        test "$e2e_game_status" -eq 0 -a "$ended_after" -ge 3000 -a "$ended_after" -le 9000
}

# game THEME LAYOUT CLOSER INSERT DELETE: a game from the splash screen through every screen to the
# closing screen, players 1, 3 and 4 racing; lane 4 runs on INSERT and DELETE
game()
{
    desktop "$1" "$2"
    e2e_start_game "$binary" "$pictures"
    if [ "$theme" = none ]; then
        e2e_front "Welcome to"
        local shown product_after entry_after
        shown=$(e2e_now_ms)
        e2e_wait_for 15 "the splash screen's product phase" e2e_shown "Welcome to Orvens' Tapdash"
        product_after=$(($(e2e_now_ms) - shown))
        e2e_front "$entry"
        entry_after=$(($(e2e_now_ms) - shown))
        e2e_check "the splash screen: its maker for about five seconds, then the product for five (${product_after} and ${entry_after} ms)" \
            test "$product_after" -ge 4000 -a "$product_after" -le 7000 -a "$entry_after" -ge 9000 -a "$entry_after" -le 12500
    else
        e2e_skip_splash
    fi
    looks "$entry"
    e2e_check "$theme: the last row's caption on the rows' pitch" \
        test "$(first_yellow_line 2760 3720)" = "$(first_yellow_line 2760 2640)"
    e2e_click "${e2e_entry_about[@]}"
    looks About
    e2e_click "${e2e_credits_return[@]}"
    # shellcheck disable=SC2046  # the positions are four words
    e2e_front "$entry" && e2e_click $(e2e_pick_button_at 1)
    looks "$picker"
    e2e_click "${e2e_picker_name_box[@]}"
    e2e_key ctrl+a && e2e_type sprinter.rnx
    e2e_click "${e2e_picker_select[@]}"
    # shellcheck disable=SC2086  # a player's number and name
    for player in "1 Erin" "3 Carol" "4 Dave"; do e2e_enter_player $player; done
    e2e_click "${e2e_entry_play[@]}"
    false_start "$3"
    looks "$race"
    e2e_check "$theme: lane 1 runs the runner chosen in the picker" runner_shown
    local lanes=("${keys[@]:0:2}" "${keys[@]:4:2}" "$4" "$5")
    e2e_race "${lanes[@]}"
    e2e_pass "$theme: lanes 1, 3 and 4 raced, lane 4 on $4 and $5"
    looks "$results"
    if [ "$theme" = none ]; then
        e2e_click "${e2e_results_same_players[@]}"
        e2e_race "${lanes[@]}"
        e2e_click "${e2e_results_new_players[@]}"
        e2e_front "$entry"
        e2e_check "\"New Players\" leaves only the entry screen" e2e_not_shown "$results"
        e2e_click "${e2e_entry_play[@]}"
        e2e_race "${lanes[@]}"
        e2e_pass "\"Same Players\" and \"New Players\" ran the same race again"
    fi
    close_through_exit
}

# lose_display WHERE: the X server closes the game's connection: status 1 and, in a sanitizer
# build, no report
lose_display()
{
    timeout 10 xdotool windowkill "$win" || e2e_fail "could not kill the game's X connection"
    e2e_wait_exit 30
    e2e_check "the X connection lost $1 ends the game with status 1 and no sanitizer report" ended_cleanly
}
ended_cleanly() { [ "$e2e_game_status" -eq 1 ] && ! grep -qE "Sanitizer|runtime error" "$e2e_scratch/game.log"; }

e2e_start_x
e2e_start_game "$binary" "$pictures"
e2e_skip_splash
e2e_pass "Escape twice skips the splash screen"
lose_display "on the entry screen"
e2e_start_game "$binary" "$pictures"
e2e_skip_splash
e2e_enter_player 1 Ann
e2e_click "${e2e_entry_play[@]}"
e2e_countdown
e2e_run 10 p o
lose_display "in a race"

game "" fr Escape Insert Delete
game GNOME us KP_Enter KP_Insert KP_Delete
game KDE ru space Insert KP_Delete
e2e_done
