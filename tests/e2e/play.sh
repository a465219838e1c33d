#!/usr/bin/env bash
# The game in a real X server, for what only a real one shows: the splash and closing screens'
# real timers; the designed colours on every screen under each desktop theme (none, GNOME, KDE);
# a false start, and message boxes that no lane key closes; lane 4's Insert and Delete (and the
# keypad's 0 and .) through the server's keymap, and the other lanes' keys in a French and a
# Russian layout where the server takes them; a chosen runner's picture in its lane; the whole road
# through every screen once; a lost X connection ending the game cleanly; full screen on a
# 1920 x 1080 display; and the installed game as a menu or the PATH starts it.
# Usage: play.sh TAPDASH_BINARY PICTURES_DIR BUILD_DIR [SECTION]
#   SECTION: lost-display, theme-none, theme-GNOME, theme-KDE, again, installed or full-screen
# Each section plays in an X server of its own, so ctest runs them side by side; without a section
# named, all of them run.
# shellcheck source=SCRIPTDIR/../../tools/e2e_driver.sh
source "$(dirname "$0")/../../tools/e2e_driver.sh"

e2e_screen=1920x1080x24
binary=$1 pictures=$2 build=$3 section=${4:-all}
# wanted SECTION: whether this run plays that section
wanted() { [ "$section" = all ] || [ "$section" = "$1" ]; }
entry="Whos playing Tapdash then?" picker="Select *.rnx file" race="Orvens Tapdash"
results="Confirmation of Results" closing="About Tapdash"
entry_exit_game=(4200 4080 1455 495)
results_same_players=(3840 2760 1935 375)
results_new_players=(4680 3120 1095 375)

passed=0
e2e_pass() { passed=$((passed + 1)) && e2e_say "ok: $*"; }
# e2e_check WHAT CMD...: one named check
e2e_check() { if "${@:2}"; then e2e_pass "$1"; else e2e_fail "$1"; fi; }

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
    e2e_shot "$e2e_scratch/shot.miff"
    for row in "${designs[@]}"; do
        IFS='|' read -r window place colours <<<"$row"
        lacking="$colours at $place"
        # shellcheck disable=SC2086  # the place and the colours are several words
        [ "$window" != "$1" ] || e2e_shows $place $colours || return 1
    done
}

# The first line of pixels showing yellow in the 90 x 20 pixels at LEFT, TOP (twips) of the last shot:
# a glyph's yellow covering at least two thirds of a pixel of the lane's brown (the first line of pure
# yellow depends on the letters' shapes, which differ from row to row)
first_yellow_line()
{
    convert "$e2e_shot_taken" -crop "90x20+$(($1 / 15))+$(($2 / 15))" +repage -depth 8 txt:- |
        awk -F'[(,):]' 'NR > 1 && $4 >= 200 && $5 >= 200 && $6 <= 120 { print $2; exit }'
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

# Clicks "Exit" on the results: the closing screen ends the program by itself after five seconds.
# (The timers' exact intervals are the widget tests', on their own clock; here the real timers run
# on a machine busy with other tests, and the end is seen only after the closing screen's colours
# were checked, so only the lower bound holds.)
close_through_exit()
{
    e2e_click "${e2e_results_exit[@]}"
    local clicked ended_after
    clicked=$(e2e_now_ms)
    looks "$closing"
    e2e_wait_exit 30
    ended_after=$(($(e2e_now_ms) - clicked))
    e2e_check "$theme: the closing screen ends the program by itself, not before about five seconds (${ended_after} ms), status 0" \
        test "$e2e_game_status" -eq 0 -a "$ended_after" -ge 3000
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
            test "$product_after" -ge 4000 -a "$product_after" -le 9000 -a "$entry_after" -ge 9000 -a "$entry_after" -le 16000
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
    close_through_exit
}

# again: a race, then "Same Players" runs it again, then "New Players" leads to the entry screen,
# which still holds the players for a third
again()
{
    desktop "" us
    e2e_start_game "$binary" "$pictures"
    e2e_skip_splash
    # shellcheck disable=SC2086  # a player's number and name
    for player in "1 Erin" "3 Carol"; do e2e_enter_player $player; done
    local lanes=("${keys[@]:0:2}" "${keys[@]:4:2}")
    e2e_click "${e2e_entry_play[@]}"
    e2e_race "${lanes[@]}"
    e2e_click "${results_same_players[@]}"
    e2e_race "${lanes[@]}"
    e2e_click "${results_new_players[@]}"
    e2e_front "$entry"
    e2e_check "\"New Players\" leaves only the entry screen" e2e_not_shown "$results"
    e2e_click "${e2e_entry_play[@]}"
    e2e_race "${lanes[@]}"
    e2e_pass "\"Same Players\" and \"New Players\" ran the same race again"
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

# ---- the game in a window, under three desktop themes ----

if wanted lost-display; then
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
fi
wanted theme-none && game "" fr Escape Insert Delete
wanted theme-GNOME && game GNOME us KP_Enter KP_Insert KP_Delete
wanted theme-KDE && game KDE ru space Insert KP_Delete
wanted again && again
desktop "" us

# ---- the installed game ----
# `make install`'s script into a scratch prefix, and `make uninstall`'s back out of it; the desktop
# entry and AppStream metainfo pass their validators; the command line works without a display; the
# installed "tapdash" command, started through a link as a menu or the PATH would start it, seeds
# the player's play folder, refreshes the game's own files there after an upgrade but never the
# player's, and runs the game there.

if wanted installed; then
    install_tree="$(dirname "$0")/../../tools/install-tree.sh"
    prefix="$e2e_scratch/prefix"
    play="$e2e_data/tapdash/play"
    mkdir -p "$play"
    printf 'my own runner\n' >"$play/sprinter.rnx"
    "$install_tree" install "$build" "$prefix" >"$e2e_scratch/install.log" 2>&1 ||
        e2e_fail "install: $(cat "$e2e_scratch/install.log")"

    png_side() { od -An -tu4 --endian=big -j16 -N4 "$1" | tr -d ' '; }
    installed()
    {
        local file side
        for file in bin/tapdash libexec/tapdash/{tapdash,tapdash-pads.so} share/applications/tapdash.desktop \
            share/metainfo/com.example.Tapdash.metainfo.xml share/man/man6/tapdash.6.gz \
            share/icons/hicolor/scalable/apps/tapdash.svg share/tapdash/{back,orvenspres,tapdash}.bmp \
            share/tapdash/{sprinter,robot}.rnx; do
            [ -f "$prefix/$file" ] || { e2e_say "not installed: $file"; return 1; }
        done
        for side in 16 22 24 32 48 64 128 256; do
            file="$prefix/share/icons/hicolor/${side}x$side/apps/tapdash.png"
            if [ ! -f "$file" ] || [ "$(png_side "$file")" != "$side" ]; then
                e2e_say "no $side-pixel icon"
                return 1
            fi
        done
        ! readelf -S "$prefix/libexec/tapdash/tapdash" | grep -q '\.symtab' || { e2e_say "not stripped"; return 1; }
    }
    e2e_check "the stripped game, its pictures, menu entry, metainfo, man page and icons are installed" installed
    e2e_check "the desktop entry is valid" desktop-file-validate "$prefix/share/applications/tapdash.desktop"
    e2e_check "the desktop entry offers to play full screen" \
        grep -qx 'Exec=tapdash --fullscreen' "$prefix/share/applications/tapdash.desktop"
    e2e_check "the AppStream metainfo is valid" \
        appstreamcli validate --no-net "$prefix/share/metainfo/com.example.Tapdash.metainfo.xml"

    # tapdash ARGS...: the installed command, without a display; ran STATUS out|err PATTERN checks it.
    tapdash()
    {
        XDG_DATA_HOME="$e2e_data" timeout 20 "$prefix/bin/tapdash" "$@" >"$e2e_scratch/out" 2>"$e2e_scratch/err"
        status=$?
    }
    ran() { [ "$status" -eq "$1" ] && grep -q "$3" "$e2e_scratch/$2"; }
    tapdash --help
    e2e_check "--help prints the usage, status 0" ran 0 out '^Usage: tapdash'
    tapdash --version
    e2e_check "--version prints the version, status 0" ran 0 out '^tapdash [0-9]'
    tapdash --no-such-option
    e2e_check "an unknown option prints the usage on standard error, status 2" ran 2 err '^Usage: tapdash'

    seeded()
    {
        local picture
        for picture in back.bmp orvenspres.bmp tapdash.bmp robot.rnx; do
            cmp -s "$prefix/share/tapdash/$picture" "$play/$picture" || return 1
        done
        [ "$(cat "$play/sprinter.rnx")" = "my own runner" ]
    }
    e2e_check "the play folder is seeded with the missing pictures only" seeded

    # An upgrade changes two of the game's files; the player has changed one of them.
    printf 'upgraded' >>"$prefix/share/tapdash/back.bmp"
    printf 'upgraded' >>"$prefix/share/tapdash/robot.rnx"
    printf 'mine' >>"$play/robot.rnx"
    cp "$play/robot.rnx" "$e2e_scratch/players_robot.rnx"
    tapdash --version
    refreshed()
    {
        cmp -s "$prefix/share/tapdash/back.bmp" "$play/back.bmp" && cmp -s "$e2e_scratch/players_robot.rnx" "$play/robot.rnx" &&
            [ "$(cat "$play/sprinter.rnx")" = "my own runner" ]
    }
    e2e_check "after an upgrade only the files the player left alone are refreshed" refreshed

    # Links and odd files in the play folder are the player's: an upgrade writes through none of them,
    # nor through a link planted where the launcher once wrote its record, and the game still starts.
    printf 'outside\n' >"$e2e_scratch/outside"
    cp "$play/robot.rnx" "$e2e_scratch/robot_copy"
    ln -s "$e2e_scratch/outside" "$e2e_data/tapdash/installed.md5.new"
    ln -sf "$e2e_scratch/robot_copy" "$play/robot.rnx"
    ln -sf "$e2e_scratch/gone" "$play/back.bmp"
    rm "$play/tapdash.bmp" && mkfifo "$play/tapdash.bmp"
    printf 'again' | tee -a "$prefix/share/tapdash/robot.rnx" >>"$prefix/share/tapdash/back.bmp"
    tapdash --version
    left_alone()
    {
        [ "$(cat "$e2e_scratch/outside")" = outside ] && cmp -s "$e2e_scratch/robot_copy" "$e2e_scratch/players_robot.rnx" &&
            [ -L "$play/robot.rnx" ] && [ -L "$play/back.bmp" ] && [ -p "$play/tapdash.bmp" ] &&
            [ -f "$e2e_data/tapdash/installed.md5" ] && [ ! -L "$e2e_data/tapdash/installed.md5" ]
    }
    e2e_check "links and odd files in the play folder are left alone, and the game starts" ran 0 out '^tapdash [0-9]'
    e2e_check "nothing is written through a link" left_alone

    # launch [COMMAND...]: the installed command once more, through COMMAND (env, setpriv), without a
    # display, in the scratch folder
    launch() { (cd "$e2e_scratch" && "$@" timeout 20 "$prefix/bin/tapdash" --version) >"$e2e_scratch/out" 2>"$e2e_scratch/err"; }
    both_start()
    {
        local round
        for round in 1 2 3 4 5 6 7 8; do
            rm -rf "$e2e_scratch/twice"
            launch env XDG_DATA_HOME="$e2e_scratch/twice" &
            XDG_DATA_HOME="$e2e_scratch/twice" timeout 20 "$prefix/bin/tapdash" --version >"$e2e_scratch/second" 2>&1 || return 1
            wait $! && grep -q '^tapdash [0-9]' "$e2e_scratch/out" && grep -q '^tapdash [0-9]' "$e2e_scratch/second" || return 1
        done
    }
    e2e_check "two launchers at once both start their game, 8 times in 8" both_start
    launch env HOME="$e2e_scratch/home" XDG_DATA_HOME=relative
    e2e_check "a relative XDG_DATA_HOME is ignored" \
        test ! -e "$e2e_scratch/relative" -a -f "$e2e_scratch/home/.local/share/tapdash/play/back.bmp"

    # A play folder that cannot be written, with a picture missing: said once, and the game starts.
    unwritable="$e2e_scratch/unwritable"
    launch env XDG_DATA_HOME="$unwritable"
    rm "$unwritable/tapdash/play/back.bmp"
    chmod 555 "$unwritable/tapdash/play"
    as_player=()
    if [ "$(id -u)" = 0 ]; then
        chmod o+x "$e2e_scratch" && chown -R 65534:65534 "$unwritable"
        as_player=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    fi
    launch "${as_player[@]}" env XDG_DATA_HOME="$unwritable"
    e2e_check "a play folder that cannot be written is said once, and the game starts" \
        test "$(grep -c 'cannot write in' "$e2e_scratch/err")$(wc -l <"$e2e_scratch/err")" = 11 -a -s "$e2e_scratch/out"
    e2e_check "and leaves nothing behind" test -z "$(find "$unwritable" -name '.tapdash-save-*' -o -name '*.new')"

    ln -s "$prefix/bin/tapdash" "$e2e_scratch/tapdash"
    e2e_launch "$e2e_scratch" "$e2e_scratch/tapdash" --fullscreen
    e2e_wait_for 20 "the installed game to show its splash screen" e2e_shown "Welcome to"
    not_remembered() { ! grep -qs fullScreen=true "$e2e_scratch/config/tapdash/tapdash.conf"; }
    e2e_check "--fullscreen is not remembered for the next start" not_remembered
    kill "$e2e_game_pid"
    e2e_wait_exit 5

    e2e_launch "$e2e_scratch" "$e2e_scratch/tapdash"
    e2e_skip_splash
    e2e_check "the game runs in the play folder" test "$(readlink "/proc/$e2e_game_pid/cwd")" = "$(cd "$play" && pwd -P)"

    e2e_front "$entry"
    e2e_click "${entry_exit_game[@]}"
    e2e_wait_exit 3
    e2e_check "the installed game ends with exit status 0" test "$e2e_game_status" -eq 0

    # A record line naming a file outside the prefix, as a damaged or planted record would
    printf '%s  %s\n' "$(md5sum <"$e2e_scratch/outside" | cut -d' ' -f1)" "$e2e_scratch/outside" \
        >>"$build/installed/$(realpath -m "$prefix" | tr / %).files"
    "$install_tree" uninstall "$build" "$prefix" >"$e2e_scratch/install.log" 2>&1 ||
        e2e_fail "uninstall: $(cat "$e2e_scratch/install.log")"
    e2e_check "uninstall removes no file outside its prefix, and says so" \
        grep -qF -- "-- Left: $e2e_scratch/outside (outside" "$e2e_scratch/install.log"
    e2e_check "uninstall leaves only the two files changed since the install, and says so" \
        test "$(find "$prefix" -type f | sort | tr '\n' ' ')$(grep -c 'changed since it was installed' "$e2e_scratch/install.log")" \
        = "$prefix/share/tapdash/back.bmp $prefix/share/tapdash/robot.rnx 2"
fi

# ---- full screen ----
# F11 on the entry screen fills the display with the scene scaled and centred; clicks at the scaled
# places enter a player and start the race, which opens in full screen too; F11 in the countdown
# brings the designed window back without a false start; a restart opens in the mode last chosen,
# and --fullscreen starts in full screen.

# 634 x 455 scaled to the largest size that fits 1920 x 1080, centred
if wanted full-screen; then
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

    play_red_full() { e2e_shoot && e2e_play_red 1920 1080; }

    e2e_start_game "$binary" "$pictures"
    e2e_skip_splash
    e2e_check "the entry screen opens in its designed window" designed_size "$entry"

    e2e_key F11
    e2e_wait_for 5 "F11 to fill the display with the entry screen" full_size "$entry"
    e2e_pass "F11 on the entry screen fills the display"
    e2e_wait_for 5 "the \"Play\" button red near two opposite corners of its scaled place" play_red_full
    e2e_check "margins of one dark colour either side of the scene" \
        test "$(e2e_colour_at $((origin_x / 2)) 540)" = 16161C -a "$(e2e_colour_at $((1919 - origin_x / 2)) 540)" = 16161C
    e2e_check "the scene reaches the margins' edges" \
        test "$(e2e_colour_at $((origin_x - 1)) 1079)" = 16161C -a "$(e2e_colour_at "$origin_x" 1079)" != 16161C

    # shellcheck disable=SC2046  # the positions are four words
    click_scaled $(e2e_check_box_at 1)
    # shellcheck disable=SC2046
    click_scaled $(e2e_name_box_at 1)
    e2e_type Ann
    click_scaled "${e2e_entry_play[@]}"
    e2e_wait_for 5 "the race screen to open in full screen" full_size "$race"
    e2e_check "clicks at the scaled places entered player 1 and pressed \"Play\"" \
        cmp -s "$e2e_play/temp.tmp" <(printf 'Ann\r\nNone\r\n\r\n\r\n\r\n\r\n\r\n\r\n')
    e2e_pass "the race screen opens in full screen"

    e2e_front "$race"
    e2e_key F11
    e2e_wait_for 3 "F11 in the countdown to bring the designed window back" designed_size "$race"
    e2e_pass "F11 in the countdown brings the designed 634 x 455 window back"
    sleep 5.5
    e2e_check "F11 was no false start" e2e_no_message
    e2e_front "$race"
    e2e_run 49 p o
    e2e_finish p o
    e2e_pass "the race ran to its end"

    e2e_key F11
    e2e_wait_for 5 "F11 to fill the display with the results" full_size "$results"
    kill "$e2e_game_pid"
    e2e_wait_exit 5
    e2e_start_game "$binary" "$pictures"
    e2e_wait_for 20 "the restarted game to open in full screen" full_size "Welcome to"
    e2e_pass "a restart opens in full screen, the mode last chosen"

    e2e_front "Welcome to"
    e2e_key F11
    e2e_wait_for 5 "F11 on the splash screen to bring its window back" windowed "Welcome to"
    kill "$e2e_game_pid"
    e2e_wait_exit 5
    e2e_launch "$e2e_play" "$binary" --fullscreen
    e2e_wait_for 20 "tapdash --fullscreen to open in full screen" full_size "Welcome to"
    e2e_pass "--fullscreen starts in full screen whatever the last run chose"
fi

e2e_say "$passed passed, 0 failed"
