#!/usr/bin/env bash
# Full screen on a 1920 x 1080 display: F11 on the entry screen fills the display with the scene
# scaled and centred; clicks at the scaled places enter a player and start the race, which opens
# in full screen too; F11 in the countdown brings the designed window back without a false start;
# a restart opens in the mode last chosen, and --fullscreen starts in full screen.
# Usage: full_screen.sh TAPDASH_BINARY PICTURES_DIR
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

e2e_screen=1920x1080x24
# 634 x 455 scaled to the largest size that fits 1920 x 1080, centred
zoom=$(awk 'BEGIN { w = 1920 / 634; h = 1080 / 455; printf "%.6f", w < h ? w : h }')
origin_x=$(awk -v z="$zoom" 'BEGIN { printf "%d", (1920 - 634 * z) / 2 + 0.5 }')

# scaled TWIPS: a designed position in twips as the scaled pixels it shows at (from the scene's corner)
scaled() { awk -v t="$1" -v z="$zoom" 'BEGIN { printf "%d", t / 15 * z + 0.5 }'; }

# click_scaled LEFT TOP WIDTH HEIGHT: clicks the middle of a control of the scene in full screen
click_scaled()
{
    local x y
    x=$((origin_x + $(scaled $(($1 + $3 / 2)))))
    y=$(scaled $(($2 + $4 / 2)))
    timeout 5 xdotool mousemove "$x" "$y" click 1 || e2e_fail "could not click at $x,$y"
    sleep 0.2
}

# size_is WIDTH HEIGHT: window $win has this size
size_is() { [ "$(xdotool getwindowgeometry --shell "$win" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' ')" = "WIDTH=$1 HEIGHT=$2 " ]; }
full_size() { e2e_shown "$1" && size_is 1920 1080; }
designed_size() { e2e_shown "$1" && size_is 634 455; }
windowed() { e2e_shown "$1" && ! size_is 1920 1080; }

# colour_at X Y: the colour of a pixel of the display, as RRGGBB
colour_at() { convert "$e2e_scratch/screen.png" -format "%[hex:p{$1,$2}]" info:; }

e2e_start_x
e2e_start_game "$1" "$2"
e2e_skip_splash
e2e_check "the entry screen opens in its designed window" designed_size "Whos playing Tapdash then?"

e2e_key F11
e2e_wait_for 5 "F11 to fill the display with the entry screen" full_size "Whos playing Tapdash then?"
e2e_pass "F11 on the entry screen fills the display"
sleep 0.5
import -silent -window root "png:$e2e_scratch/screen.png" || e2e_fail "could not take a picture of the display"
# The red "Play" button near two opposite corners, and the quiet margins either side of the scene
read -r play_left play_top play_width play_height <<<"${e2e_entry_play[*]}"
near_top_left="$((origin_x + $(scaled $((play_left + 120))))) $(scaled $((play_top + 90)))"
near_bottom_right="$((origin_x + $(scaled $((play_left + play_width - 120))))) $(scaled $((play_top + play_height - 90)))"
for at in "$near_top_left" "$near_bottom_right"; do
    # shellcheck disable=SC2086  # two numbers
    e2e_check "the \"Play\" button is red at its scaled place ($at)" test "$(colour_at $at)" = FF0000
done
e2e_check "margins of one dark colour either side of the scene" \
    test "$(colour_at $((origin_x / 2)) 540)" = 16161C -a "$(colour_at $((1919 - origin_x / 2)) 540)" = 16161C
e2e_check "the scene reaches the margins' edges" \
    test "$(colour_at $((origin_x - 1)) 1079)" = 16161C -a "$(colour_at "$origin_x" 1079)" != 16161C

# shellcheck disable=SC2046  # the positions are four words
click_scaled $(e2e_check_box_at 1)
# shellcheck disable=SC2046
click_scaled $(e2e_name_box_at 1)
e2e_type Ann
click_scaled "${e2e_entry_play[@]}"
e2e_wait_for 5 "the race screen to open in full screen" full_size "Orvens Tapdash"
e2e_check "clicks at the scaled places entered player 1 and pressed \"Play\"" \
    cmp -s "$e2e_play/temp.tmp" <(printf 'Ann\r\nNone\r\n\r\n\r\n\r\n\r\n\r\n\r\n')
e2e_pass "the race screen opens in full screen"

e2e_front "Orvens Tapdash"
e2e_key F11
e2e_wait_for 3 "F11 in the countdown to bring the designed window back" designed_size "Orvens Tapdash"
e2e_pass "F11 in the countdown brings the designed 634 x 455 window back"
sleep 5.5
e2e_check "F11 was no false start" e2e_no_message
e2e_front "Orvens Tapdash"
e2e_run 49 p o
e2e_finish p o
e2e_pass "the race ran to its end"

e2e_key F11
e2e_wait_for 5 "F11 to fill the display with the results" full_size "Confirmation of Results"
kill "$e2e_game_pid"
e2e_wait_exit 5
e2e_start_game "$1" "$2"
e2e_wait_for 20 "the restarted game to open in full screen" full_size "Welcome to"
e2e_pass "a restart opens in full screen, the mode last chosen"

e2e_front "Welcome to"
e2e_key F11
e2e_wait_for 5 "F11 on the splash screen to bring its window back" windowed "Welcome to"
kill "$e2e_game_pid"
e2e_wait_exit 5
e2e_launch "$e2e_play" "$1" --fullscreen
e2e_wait_for 20 "tapdash --fullscreen to open in full screen" full_size "Welcome to"
e2e_pass "--fullscreen starts in full screen whatever the last run chose"
e2e_done
