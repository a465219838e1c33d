#!/usr/bin/env bash
# The game as it looks and answers under each desktop theme (none, GNOME, KDE) and keyboard
# layout (French AZERTY, US, Russian): the designed colours at their places on every screen, no
# lane key closing a message box while Return, Enter, Space and Escape do, and races run on the
# physical keys of each layout.
# Usage: desktops.sh TAPDASH_BINARY PICTURES_DIR
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

red='#FF0000' yellow='#FFFF00' green='#00FF00' black='#000000' white='#FFFFFF'

# round DESKTOP LAYOUT CLOSER KEY...: one game from the splash screen to the closing screen; the
# KEYs are the keysyms of the physical P, O, W, Q, V and B keys in this layout
round()
{
    local desktop=$1 layout=$2 closer=$3 shot="$e2e_scratch/${1:-none}.png"
    shift 3
    setxkbmap "$layout" || e2e_fail "setxkbmap $layout"
    if ! setxkbmap -query | grep -q "^layout: *$layout\$"; then
        e2e_say "SKIPPED: this X server keeps its keymap; the $layout layout's keys are sent as US keys"
        layout=us
        set -- p o w q v b
    fi
    local lane_keys=("$@" Insert Delete KP_Insert KP_Delete KP_0 KP_Decimal)
    e2e_say "desktop theme \"$desktop\", keyboard layout $layout"
    export XDG_CURRENT_DESKTOP=$desktop
    e2e_start_game "$binary" "$pictures"
    e2e_skip_splash

    e2e_shot "$shot"
    e2e_looks "$desktop: red around each check box's indicator" 5520 2640 30 30 "$red"
    e2e_looks "$desktop: red around check box 4's indicator" 5520 3720 30 30 "$red"
    e2e_looks "$desktop: yellow row captions and heading" 2760 2640 1215 240 "$yellow"
    e2e_check "$desktop: the last row's caption on the rows' pitch" \
        test "$(firstYellowLine 2760 3720)" = "$(firstYellowLine 2760 2640)"
    e2e_looks "$desktop: red buttons with white version text" 2760 4080 3855 795 "$red" "$white"
    e2e_click "${e2e_entry_about[@]}"
    e2e_front "About"
    e2e_shot "$shot"
    e2e_looks "$desktop: credits in white and yellow, a red button" 2535 2280 5265 3615 "$white" "$yellow"
    e2e_looks "$desktop: the red return button" 3600 5160 2415 735 "$red"
    e2e_click "${e2e_credits_return[@]}"
    e2e_front "Whos playing Tapdash then?"
    # shellcheck disable=SC2046  # the positions are four words
    e2e_click $(e2e_pick_button_at 1)
    e2e_front "Select *.rnx file"
    e2e_shot "$shot"
    e2e_looks "$desktop: the picker's white name box" "${e2e_picker_name_box[@]}" "$white"
    picker_cancel=(4920 3960 1695 495)
    e2e_click "${picker_cancel[@]}"

    e2e_enter_player 1 Ann
    e2e_enter_player 2 Bo
    e2e_click "${e2e_entry_play[@]}"
    e2e_front "Orvens Tapdash"
    e2e_shot "$shot"
    e2e_looks "$desktop: the green countdown on black" 2880 4320 945 900 "$green" "$black"
    e2e_looks "$desktop: the black race clock" 3600 4320 2655 495 "$black" "$green"
    e2e_looks "$desktop: the black finishing post" 8400 1440 15 1680 "$black"

    e2e_key "$1"
    e2e_wait_for 3 "\"Oi don't cheat\" after a key in the countdown" e2e_shown "Tapdash"
    messageStaysUp "$desktop: \"Oi don't cheat\"" "$closer" "${lane_keys[@]}"
    e2e_race "$1" "$2" "$3" "$4"
    e2e_shot "$shot"
    e2e_looks "$desktop: the red buttons of the results" 3840 2760 1935 735 "$red"
    e2e_check "$desktop, $layout: the race ran on the physical keys" e2e_record_holder Ann
    rm -f "$e2e_record"

    e2e_click "${e2e_results_exit[@]}"
    e2e_front "About Tapdash" 3
    e2e_shot "$shot"
    e2e_looks "$desktop: the closing screen's yellow, blue and dark green" 1485 1680 6705 4755 \
        "$yellow" '#0000FF' '#008000'
    e2e_wait_exit 12
}

# firstYellowLine LEFT TOP: the first line of pixels showing yellow in the 90 x 20 pixels at
# LEFT, TOP (twips) of the picture taken last
firstYellowLine()
{
    convert "$e2e_shot_taken" -crop "90x20+$(($1 / 15))+$(($2 / 15))" +repage -depth 8 txt:- |
        grep -im1 " $yellow " | cut -d, -f2 | cut -d: -f1
}

# messageStaysUp WHAT CLOSER KEY...: the KEYs leave the message box open, CLOSER closes it
messageStaysUp()
{
    local what=$1 closer=$2
    shift 2
    e2e_front "Tapdash"
    local box=$win
    e2e_key "$@"
    sleep 0.3
    # The same box: a key that closed it would have reached the race and opened another
    e2e_check "$what stays up through every lane key" test "$(e2e_find "Tapdash")" = "$box"
    e2e_key "$closer"
    e2e_wait_gone "Tapdash"
    e2e_pass "$what closes with $closer"
}

binary=$1 pictures=$2
e2e_start_x
round "" fr Escape p o w q v b
round GNOME us KP_Enter p o w q v b
round KDE ru space Cyrillic_ze Cyrillic_shcha Cyrillic_tse Cyrillic_shorti Cyrillic_em Cyrillic_i
e2e_done
