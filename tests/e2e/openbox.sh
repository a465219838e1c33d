#!/usr/bin/env bash
# The game under a real window manager, openbox, on a 3840 x 2160 display: F11 and the window
# manager's own full-screen request give its full-screen state and the whole display, and leaving
# gives the designed window back where it was; message boxes keep their lines in full screen and
# fit again at once when F11 is pressed with one open, however fast; the keyboard comes back to the
# game when a box closes, wherever the pointer is; the results open where the race was; a window
# destroyed from outside ends its screen as its close button does.
# Usage: openbox.sh TAPDASH_BINARY PICTURES_DIR
# shellcheck source=SCRIPTDIR/../../tools/e2e_driver.sh
source "$(dirname "$0")/../../tools/e2e_driver.sh"
# shellcheck source=SCRIPTDIR/desktops.sh
source "$(dirname "$0")/desktops.sh"

e2e_screen=3840x2160x24
entry="Whos playing Tapdash then?" race="Orvens Tapdash" results="Confirmation of Results"

shows_play_red() { e2e_shoot && e2e_play_red 3840 2160; }
full_screen_state() { xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
# The game's window in full screen as the window manager keeps it: its state, and the display
full_screen() { e2e_shown "$1" && full_screen_state && [ "$(e2e_geometry_of "$win")" = "0 0 3840 2160" ]; }
# The designed window where it was, openbox's full-screen state gone
designed_at() { e2e_shown "$1" && ! full_screen_state && [ "$(e2e_geometry_of "$win")" = "$2" ]; }

e2e_start_x
e2e_start_openbox
e2e_start_game "$1" "$2"
e2e_skip_splash
e2e_front "$entry"
placed=$(e2e_geometry_of "$win")
e2e_check "the entry screen opens in its designed window" test "${placed#* * }" = "634 455"

e2e_key F11
e2e_wait_for 1 "F11 to give the full-screen state and the display" full_screen "$entry"
e2e_pass "F11: the window manager's full-screen state and the whole display, the scene scaled and centred"
e2e_wait_for 5 "the red \"Play\" at its scaled place" shows_play_red
e2e_key F11
e2e_wait_for 5 "F11 again to give the designed window back" designed_at "$entry" "$placed"
e2e_pass "F11 again: the designed window, where it was"
wmctrl -i -r "$win" -b add,fullscreen
e2e_wait_for 5 "openbox's own full-screen request to be followed" full_screen "$entry"
e2e_wait_for 5 "the red \"Play\" at its scaled place" shows_play_red
wmctrl -i -r "$win" -b remove,fullscreen
e2e_wait_for 5 "openbox's leaving full screen to be followed" designed_at "$entry" "$placed"
e2e_pass "openbox's own full-screen request, and its leaving, followed as F11 would have it"

# ---- message boxes ----
nobody="Tapdash Message"  # the box "Play" opens with nobody playing
box_size() { e2e_shown "$nobody" && e2e_geometry_of "$win" | cut -d' ' -f3-; }
box_is() { [ "$(box_size)" = "$1" ] && box_centred; }
# Centred on the game's window, where its scene's middle is
box_centred()
{
    local bx by bw bh gx gy gw gh
    read -r bx by bw bh <<<"$(e2e_geometry_of "$win")"
    read -r gx gy gw gh <<<"$(e2e_geometry_of "$(e2e_find "$entry")")"
    (((bx + bw / 2 - gx - gw / 2) ** 2 + (by + bh / 2 - gy - gh / 2) ** 2 <= 4))
}
zoom_box() { [ "$(box_size)" = "$(zoomed_box)" ] && box_centred; }
zoomed_box() { awk -v z="$zoom" -v s="$windowed_box" 'BEGIN { split(s, m, " "); printf "%d %d", m[1] * z, m[2] * z }'; }

e2e_front "$entry"
e2e_click "${e2e_entry_play[@]}"
e2e_wait_for 10 "the box saying nobody plays" e2e_shown "$nobody"
windowed_box=$(box_size)
e2e_key F11
zoom=$(awk 'BEGIN { w = 3840 / 634; h = 2160 / 455; printf "%.4f", w < h ? w : h }')
# As many lines as in a window: the box no wider or taller than the windowed one scaled, give or
# take the rounding of fonts and measures
fits_zoom() { box_scaled "$zoom"; }
# box_scaled ZOOM: the box is the windowed one scaled, give or take the rounding, and centred
box_scaled()
{
    box_centred || return 1
    local w h
    read -r w h <<<"$(box_size)"
    awk -v z="$1" -v s="$windowed_box" -v w="$w" -v h="$h" \
        'BEGIN { split(s, m, " "); exit !(w > m[1] * z * 0.85 && w < m[1] * z * 1.15 && h > m[2] * z * 0.85 && h < m[2] * z * 1.15) }'
}
e2e_wait_for 5 "F11 with the box open to fit it to the full screen at once" fits_zoom
e2e_pass "F11 with a box open: the box grows with the zoom, as many lines as in a window, centred"
e2e_key F11
e2e_wait_for 5 "F11 again to give the box its windowed size back" box_is "$windowed_box"
# Two presses 40 ms apart and a third: full screen only if both of the two counted
timeout 10 xdotool key --delay 40 F11 F11 && timeout 10 xdotool key F11 || e2e_fail "could not press F11"
e2e_wait_for 5 "two quick presses and a third to fit the box to full screen" fits_zoom
e2e_check "two presses within 100 ms both count" full_screen "$entry"
e2e_key F11
e2e_wait_for 5 "F11 to give the box its windowed size back" box_is "$windowed_box"
presses=()
for _ in {1..200}; do presses+=(F11); done
timeout 20 xdotool key --delay 9 "${presses[@]}" || e2e_fail "could not press F11 200 times"
# The X server may take presses that came faster than it handles them for a held key's repeats,
# which F11 ignores: whichever mode the game ends in, the box fits the window it ends in.
box_fits_the_mode()
{
    local game w h
    game=$(e2e_find "$entry") || return 1
    read -r _ _ w h <<<"$(e2e_geometry_of "$game")"
    box_scaled "$(awk -v w="$w" -v h="$h" 'BEGIN { z = w / 634 < h / 455 ? w / 634 : h / 455; printf "%.4f", z }')"
}
e2e_wait_for 5 "after 200 presses, the box to fit the window the game is in" box_fits_the_mode
e2e_pass "after 200 presses in 2 s the box fits the mode the game ends in"
e2e_key Return
e2e_wait_gone "$nobody"
e2e_front "$entry"
if full_screen_state; then e2e_key F11; fi
e2e_wait_for 5 "the designed window" designed_at "$entry" "$placed"

# ---- the keyboard after a box, and the results' place ----
e2e_enter_player 1 Ann
e2e_click "${e2e_entry_play[@]}"
e2e_front "$race"
e2e_check "the race opens where the entry screen was" test "$(e2e_geometry_of "$win")" = "$placed"
after_box_keys_count p
e2e_race p o
results_placed() { [ "$(e2e_geometry_of "$win")" = "${placed% * *} 634 436" ]; }
e2e_wait_for 10 "the results where the race was ($placed), at their designed size" results_placed
e2e_pass "the results open where the race was"

# ---- a window destroyed from outside: the results' close is "Exit", to the closing screen ----
xdotool windowclose "$win" 2>/dev/null
e2e_wait_for 10 "the closing screen after the results' window was destroyed" e2e_shown "About Tapdash"
e2e_wait_exit 20
e2e_check "the game then ends by itself, status 0" test "$e2e_game_status" -eq 0
e2e_say "$passed passed, 0 failed"
