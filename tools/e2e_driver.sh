# shellcheck shell=bash disable=SC2034  # the variables are for the scripts that source this file
# Drives the real game in a private X server, as a player would, bare or under a real desktop
# (openbox, weston). Sourced by the end-to-end tests (tests/e2e), the benchmarks (bench/run.sh) and
# the README's pictures (tools/screenshots.sh).
#
# Windows are found by their exact caption. Positions are the designs' twips of a window's client
# area (15 twips to a pixel). Input goes through XTEST (xdotool without --window) to the window
# that holds the keyboard focus, so the game sees the same events a real keyboard and mouse make.
# Every wait polls for a state until a deadline, and the EXIT trap stops the game and the X server
# whatever happens. The player's own files are never touched: the game runs in a scratch play
# folder with its data folder ($XDG_DATA_HOME) in the scratch folder too.

set -uo pipefail
unset DISPLAY  # never the user's own screen: only the private server, once started

e2e_scratch=$(mktemp -d "${TMPDIR:-/tmp}/tapdash-e2e.XXXXXX")
e2e_play="$e2e_scratch/play"  # the game's working directory
e2e_data="$e2e_scratch/data"  # the game's $XDG_DATA_HOME
e2e_keep="" e2e_xvfb_pid="" e2e_game_pid="" e2e_desktop_pids="" e2e_relaunched=0 e2e_shot_taken=""
e2e_game_status=""  # set by e2e_wait_exit
win=""              # the window the last e2e_front or e2e_shown found
e2e_screen=${e2e_screen:-1024x768x24}  # the X server's screen
e2e_qpa=xcb e2e_game_env=()  # the game's Qt platform, and what else it is started with

e2e_say() { printf 'e2e: %s\n' "$*"; }
e2e_now_ms() { echo $(($(date +%s%N) / 1000000)); }

e2e_fail()
{
    # Inside $(...) or a pipeline an exit would end that subshell alone: the script is told instead.
    if [ "$BASHPID" != "$$" ]; then
        printf '%s\n' "$*" >"$e2e_scratch/failed"
        kill -USR1 $$
        exit 1
    fi
    e2e_say "FAILED: $*"
    [ -n "${DISPLAY:-}" ] && timeout 10 import -silent -window root "png:$e2e_scratch/failure.png" 2>/dev/null &&
        e2e_say "the screen at that moment: $e2e_scratch/failure.png"
    [ -s "$e2e_scratch/game.log" ] && printf -- "--- the game's output\n%s\n---\n" "$(cat "$e2e_scratch/game.log")"
    e2e_keep=1
    e2e_say "scratch folder kept: $e2e_scratch"
    exit 1
}

e2e_cleanup()
{
    local pid
    for pid in $e2e_game_pid $e2e_desktop_pids $e2e_xvfb_pid; do
        kill "$pid" 2>/dev/null && sleep 0.5 && kill -KILL "$pid" 2>/dev/null
    done
    [ -n "$e2e_keep" ] || rm -rf "$e2e_scratch"
}
trap e2e_cleanup EXIT
trap 'e2e_fail "interrupted"' INT TERM
trap 'e2e_fail "$(cat "$e2e_scratch/failed")"' USR1

# How many times its stated time a wait may take: the tests run side by side, with a build beside
# them, and a state that comes only late on a busy machine is still the state asked for. A wait
# ends as soon as its state holds.
e2e_patience=${E2E_PATIENCE:-3}

# e2e_wait_for SECONDS WHAT CMD...: polls CMD until it succeeds; fails when the deadline (SECONDS,
# times the patience) passes or the game, once started, ends meanwhile (one the X server refused
# is started again)
e2e_wait_for()
{
    local deadline=$(($(e2e_now_ms) + $1 * 1000 * e2e_patience)) polls=0
    until "${@:3}"; do
        if [ -n "$e2e_game_pid" ] && ! e2e_game_alive; then
            "${@:3}" && break  # it came true as the game ended
            e2e_relaunch_refused || e2e_fail "$2: the game ended meanwhile"
        fi
        (($(e2e_now_ms) < deadline)) || e2e_fail "$2: not within $(($1 * e2e_patience)) s"
        # Quick polls first; then slower ones, as a poll that reads the display costs a tenth of a
        # second of a core
        sleep "${e2e_pauses[polls < 3 ? polls++ : 3]}"
    done
}
e2e_pauses=(0.05 0.1 0.2 0.4)

# ---- the X server ----

# Starts Xvfb on a free display number and waits until it accepts clients. The numbers are drawn
# at random from a wide range: tests running side by side then never reuse the number of a server
# that is just shutting down (its exit removes the socket file of that number).
e2e_start_x()
{
    local tool display
    for tool in Xvfb xdotool import convert compare; do
        command -v "$tool" >/dev/null || e2e_fail "$tool is missing (make test installs debian-packages.txt)"
    done
    for _ in {1..20}; do
        display=$((100 + RANDOM % 800))
        : >"$e2e_scratch/display"
        # -displayfd: the server writes its number once it accepts clients
        Xvfb ":$display" -displayfd 3 -nolisten tcp -screen 0 "$e2e_screen" -dpi 96 \
            3>"$e2e_scratch/display" 2>"$e2e_scratch/xvfb.log" &
        e2e_xvfb_pid=$!
        e2e_wait_for 20 "Xvfb on :$display to accept clients" e2e_x_ready_or_gone
        if [ -s "$e2e_scratch/display" ]; then
            export DISPLAY=":$display"
            timeout 5 xdotool getdisplaygeometry >/dev/null || e2e_fail "Xvfb on $DISPLAY does not answer"
            return
        fi
        wait "$e2e_xvfb_pid"  # taken: try another number
    done
    e2e_fail "Xvfb did not start: $(cat "$e2e_scratch/xvfb.log")"
}
e2e_x_ready_or_gone() { [ -s "$e2e_scratch/display" ] || ! kill -0 "$e2e_xvfb_pid" 2>/dev/null; }

# ---- desktops on the X server ----
# Each runs as a player's would; the X server underneath takes the input (XTEST) and shows what
# they draw.

# e2e_desktop WHAT COMMAND...: starts a desktop's program in the background, its output logged
e2e_desktop()
{
    "${@:2}" >"$e2e_scratch/$1.log" 2>&1 &
    e2e_desktop_pids="$! $e2e_desktop_pids"
}

# Openbox manages the X server's windows once it has announced itself on the root window; one the
# X server refused is started again.
e2e_start_openbox()
{
    command -v openbox >/dev/null || e2e_fail "openbox is missing (make test installs debian-packages.txt)"
    for _ in 1 2 3; do
        e2e_desktop openbox openbox --sm-disable
        e2e_wait_for 20 "openbox to manage the screen" e2e_window_manager_runs_or_refused
        e2e_refused "$e2e_scratch/openbox.log" || return 0
    done
    e2e_fail "the X server refused openbox: $(cat "$e2e_scratch/openbox.log")"
}
e2e_window_manager_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
e2e_window_manager_runs_or_refused() { e2e_window_manager_runs || e2e_refused "$e2e_scratch/openbox.log"; }

# e2e_start_weston WIDTH HEIGHT [--xwayland]: weston 10 with an output of that size at the top of
# the X server's screen, which is taller; the game then runs natively on Wayland (e2e_qpa=wayland),
# or with --xwayland as an X11 client of weston's XWayland, whose display $e2e_xwayland names
e2e_start_weston()
{
    command -v weston >/dev/null || e2e_fail "weston is missing (make test installs debian-packages.txt)"
    mkdir -p "$e2e_scratch/runtime" && chmod 700 "$e2e_scratch/runtime"
    # The panel's one launcher starts nothing: a click gone astray must not open a terminal.
    printf '[shell]\nlocking=false\n[launcher]\nicon=/usr/share/weston/icon_window.png\npath=/bin/true\n' \
        >"$e2e_scratch/weston.ini"
    e2e_desktop weston env XDG_RUNTIME_DIR="$e2e_scratch/runtime" weston --backend=x11-backend.so \
        --config="$e2e_scratch/weston.ini" --socket=tapdash-e2e --width="$1" --height="$2" --idle-time=0 "${@:3}"
    e2e_wait_for 30 "weston to take clients" test -S "$e2e_scratch/runtime/tapdash-e2e"
    e2e_wait_for 30 "weston's desktop to show" e2e_weston_shell_drawn
    # weston follows the pointer once it has come in over its output: from the row below
    timeout 10 xdotool mousemove 0 "$2" mousemove "$(($1 - 1))" "$(($2 / 2))" || e2e_fail "no pointer"
    e2e_game_env=(WAYLAND_DISPLAY=tapdash-e2e)
    if [ "${3:-}" = --xwayland ]; then
        e2e_wait_for 30 "weston's XWayland display" grep -q 'xserver listening on display' "$e2e_scratch/weston.log"
        e2e_xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$e2e_scratch/weston.log" | head -n 1)
        e2e_game_env=(DISPLAY="$e2e_xwayland")
    else
        e2e_qpa=wayland
    fi
}
# The shell's background has been drawn where the X server's screen was black
e2e_weston_shell_drawn() { [ "$(convert x:root -format '%[hex:p{960,540}]' info: 2>/dev/null)" != 000000 ]; }

# ---- the game ----

# e2e_in FOLDER COMMAND...: becomes COMMAND, run in FOLDER as the game runs, with the scratch data
# folders (so call it in a subshell or in the background: the process is then COMMAND's)
e2e_in()
{
    mkdir -p "$e2e_data" "$e2e_scratch/"{config,runtime} && chmod 700 "$e2e_scratch/runtime" && cd "$1" || exit 1
    exec env -u WAYLAND_DISPLAY -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS XDG_DATA_HOME="$e2e_data" \
        XDG_CONFIG_HOME="$e2e_scratch/config" XDG_RUNTIME_DIR="$e2e_scratch/runtime" QT_QPA_PLATFORM="$e2e_qpa" \
        "${e2e_game_env[@]}" "${@:2}"
}

# e2e_launch FOLDER COMMAND [ARGUMENT...]: starts the game's COMMAND in FOLDER
e2e_launch()
{
    e2e_launched=("$@")
    e2e_in "$@" >"$e2e_scratch/game.log" 2>&1 &
    e2e_game_pid=$!
}

# e2e_refused LOG: the program that wrote LOG ended because the X server refused its connection,
# which Xvfb now and then does to a client connecting at a busy moment
e2e_refused() { grep -qE 'could not connect to display|cannot reach the X server|Failed to open the display' "$1" 2>/dev/null; }

# A game the X server refused is started again (at most twice); true when that was the case
e2e_relaunch_refused()
{
    e2e_refused "$e2e_scratch/game.log" && ((e2e_relaunched < 2)) || return 1
    wait "$e2e_game_pid" 2>/dev/null
    e2e_relaunched=$((e2e_relaunched + 1))
    e2e_say "the X server refused the game's connection; starting it again"
    e2e_launch "${e2e_launched[@]}"
}

# e2e_start_game BINARY PICTURES_DIR: starts the game in the play folder, holding the pictures
e2e_start_game()
{
    [ -x "$1" ] || e2e_fail "no game binary at $1"
    [ -f "$2/back.bmp" ] || e2e_fail "no pictures in $2 (build the play_folder target)"
    mkdir -p "$e2e_play" && cp "$2"/* "$e2e_play/"
    e2e_play=$(cd "$e2e_play" && pwd -P)  # the folder as the game itself names it
    e2e_launch "$e2e_play" "$1"
}

# Read from the process's state, as an ended one may be gone between any two looks (bash reaps it)
e2e_game_alive() { [ -n "$e2e_game_pid" ] && grep -qs '^[0-9]* (.*) [^ZXx] ' "/proc/$e2e_game_pid/stat"; }
e2e_game_ended() { ! e2e_game_alive; }

# e2e_wait_exit SECONDS: waits for the game to end and leaves its exit status in $e2e_game_status
e2e_wait_exit()
{
    e2e_wait_for "$1" "the game to end" e2e_game_ended
    wait "$e2e_game_pid"
    e2e_game_status=$?
    e2e_game_pid=""
}

# ---- windows ----

# The visible window whose caption is exactly $1, or nothing
e2e_find()
{
    xdotool search --onlyvisible --name "^$(printf '%s' "$1" | sed 's/[][\\.*^$+?(){}|]/\\&/g')\$" 2>/dev/null | head -n 1
}
e2e_shown() { win=$(e2e_find "$1") && [ -n "$win" ]; }
e2e_not_shown() { [ -z "$(e2e_find "$1")" ]; }
e2e_no_message() { e2e_not_shown "Tapdash" && e2e_not_shown "Tapdash Message"; }

# e2e_front CAPTION [SECONDS]: waits for the window, gives it the keyboard focus, leaves its id in $win
e2e_front()
{
    e2e_wait_for "${2:-30}" "the window \"$1\" to show" e2e_shown "$1"
    timeout 10 xdotool windowfocus --sync "$win" || e2e_fail "could not give \"$1\" the keyboard focus"
}

# e2e_wait_gone CAPTION [SECONDS]
e2e_wait_gone() { e2e_wait_for "${2:-15}" "the window \"$1\" to close" e2e_not_shown "$1"; }

# e2e_click LEFT TOP WIDTH HEIGHT: clicks the middle of a control of window $win (twips)
e2e_click()
{
    local x=$((($1 + $3 / 2) / 15)) y=$((($2 + $4 / 2) / 15))
    timeout 10 xdotool mousemove --window "$win" "$x" "$y" click 1 || e2e_fail "could not click at $x,$y"
    sleep 0.2
}

e2e_type() { timeout 10 xdotool type --delay 30 "$1" || e2e_fail "could not type \"$1\""; }
e2e_key() { timeout 10 xdotool key --delay 30 "$@" || e2e_fail "could not press $*"; }

# e2e_shot FILE: a picture of window $win as it shows now, in the format FILE's suffix names (.miff
# for pictures only the test reads: no compression to pay for)
e2e_shot()
{
    timeout 10 import -silent -window "$win" -depth 8 "$1" || e2e_fail "could not take a picture of window $win"
    e2e_shot_taken=$1
}

# e2e_shows LEFT TOP WIDTH HEIGHT COLOUR...: the picture e2e_shot took last shows each COLOUR
# (#RRGGBB) somewhere in the rectangle (twips of the client area)
e2e_shows()
{
    local colour pixels
    pixels=$(convert "$e2e_shot_taken" -crop "$((($3 + 14) / 15))x$((($4 + 14) / 15))+$(($1 / 15))+$(($2 / 15))" \
        +repage -depth 8 txt:-) || return 1
    for colour in "${@:5}"; do grep -qi " $colour " <<<"$pixels" || return 1; done
}

# ---- reading the display ----

# e2e_geometry_of WINDOW: its client area on the X display, "X Y WIDTH HEIGHT"
e2e_geometry_of()
{
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

# e2e_shoot: a picture of the whole display in $e2e_screen_shot, uncompressed as it is taken many
# times a second while waiting
e2e_screen_shot=$e2e_scratch/screen.miff
e2e_shoot() { timeout 20 import -silent -window root -depth 8 "$e2e_screen_shot" || e2e_fail "no picture of the display"; }
e2e_colour_at() { convert "$e2e_screen_shot" -format "%[hex:p{$1,$2}]" info:; }
# How many pixels of the last picture show the message boxes' light grey
e2e_light_grey()
{
    convert "$e2e_screen_shot" -fill black +opaque '#EFEFEF' -fill white -opaque '#EFEFEF' \
        -format '%[fx:int(mean * w * h)]' info:
}

# e2e_play_red WIDTH HEIGHT: the last picture shows the entry screen full screen on a display of
# that size, its scene scaled to the largest size that fits and centred: the red "Play" button
# near two opposite corners of its scaled place
e2e_play_red()
{
    local at left top width height
    read -r left top width height <<<"${e2e_entry_play[*]}"
    for at in "$((left + 120)) $((top + 90))" "$((left + width - 120)) $((top + height - 90))"; do
        [ "$(e2e_colour_at $(awk -v w="$1" -v h="$2" -v at="$at" 'BEGIN {
            split(at, t, " "); z = w / 634 < h / 455 ? w / 634 : h / 455
            printf "%d %d", (w - 634 * z) / 2 + t[1] / 15 * z + 0.5, (h - 455 * z) / 2 + t[2] / 15 * z + 0.5 }'))" = FF0000 ] ||
            return 1
    done
}

# Where a screen lies on a desktop that places it itself, found in a picture of the display from
# the red of its buttons (and the entry's check boxes, the race's first runner). e2e_scene_at
# REDS_LEFT REDS_TOP REDS_WIDTH REDS_HEIGHT: in a new picture, the reds as big as designed; $scene
# is then the screen's top-left corner, "X Y", from where the reds lie in the design (pixels)
e2e_scene_at()
{
    local x y w h
    e2e_shoot
    read -r x y w h <<<"$(convert "$e2e_screen_shot" -fill black +opaque '#FF0000' -trim \
        -format '%X %Y %w %h' info: 2>/dev/null | tr -d +)"
    ((w >= $3 - 3 && w <= $3 + 3 && h >= $4 - 3 && h <= $4 + 3)) || return 1
    scene="$((x - $1)) $((y - $2))"
}
e2e_splash_shown() { e2e_scene_at 0 0 632 453; }       # its red ground, around its picture
e2e_entry_shown() { e2e_scene_at 186 176 253 127; }    # the check boxes, "Play" and "About"
e2e_race_shown() { e2e_scene_at 144 96 48 43; }        # lane 1's default runner at the start
e2e_results_shown() { e2e_scene_at 258 186 125 45; }   # "Same Players", "Exit" and "New Players"

# e2e_click_scene LEFT TOP WIDTH HEIGHT: clicks the middle of a control of the screen at $scene
e2e_click_scene()
{
    local x y
    read -r x y <<<"$scene"
    timeout 10 xdotool mousemove $((x + ($1 + $3 / 2) / 15)) $((y + ($2 + $4 / 2) / 15)) click 1 ||
        e2e_fail "could not click"
}
# e2e_click_until CONDITION LEFT TOP WIDTH HEIGHT: clicks a control until CONDITION holds (weston
# under load may miss a click)
e2e_click_until()
{
    for _ in 1 2 3; do
        e2e_click_scene "${@:2}"
        for _ in {1..30}; do "$1" && return; sleep 0.1; done
    done
    e2e_fail "clicking at $* did nothing"
}

# ---- the screens ----

# Layout of the player entry screen: a player's check box, name box and ".." button (twips)
e2e_check_box_at() { echo "5520 $((2640 + 360 * ($1 - 1))) 255 255"; }
e2e_name_box_at() { echo "4200 $((2640 + 360 * ($1 - 1))) 1215 285"; }
e2e_pick_button_at() { echo "5880 $((2640 + 360 * ($1 - 1))) 255 255"; }
e2e_entry_play=(2760 4080 1455 495)
e2e_entry_about=(5640 4080 975 495)
e2e_results_exit=(3840 3120 855 375)
e2e_credits_return=(3600 5160 2415 735)
e2e_picker_name_box=(3120 2040 1695 285)
e2e_picker_select=(3120 3960 1695 495)
e2e_race_clock=(3600 4320 2655 495)

# Both Escapes of the splash screen: the product phase, then the player entry screen at once
e2e_skip_splash()
{
    e2e_front "Welcome to"
    e2e_key Escape
    e2e_front "Welcome to Orvens' Tapdash"
    e2e_key Escape
    e2e_front "Whos playing Tapdash then?"
    e2e_wait_gone "Welcome to Orvens' Tapdash"
}

# e2e_enter_player N NAME: on the entry screen, checks player N and types the name
e2e_enter_player()
{
    e2e_front "Whos playing Tapdash then?"
    # shellcheck disable=SC2046  # the positions are four words
    e2e_click $(e2e_check_box_at "$1") && e2e_click $(e2e_name_box_at "$1")
    e2e_type "$2"
}

# A race has just been started: waits on the race screen until its clock runs
e2e_countdown()
{
    e2e_front "Orvens Tapdash"
    e2e_wait_for 30 "the race screen to paint its clock" e2e_clock_painted
    e2e_wait_for 30 "the race clock to start" e2e_clock_moved
}
# The race clock (e2e_race_clock: 177 x 33 pixels at 240,288) once painted, as it shows now
e2e_clock() { e2e_shot "$e2e_scratch/race.miff" && e2e_shows "${e2e_race_clock[@]}" '#00FF00' && convert "$e2e_shot_taken" -crop 177x33+240+288 txt:- | md5sum; }
e2e_clock_painted() { e2e_clock_at_start=$(e2e_clock); }
e2e_clock_moved()
{
    e2e_no_message || e2e_fail "a message box came up during the countdown"
    [ "$(e2e_clock)" != "$e2e_clock_at_start" ]
}

# e2e_run ROUNDS KEY...: ROUNDS rounds of the race, in each of which every player presses their
# two keys (the KEYs in player order, two per player) once; nobody finishes meanwhile.
e2e_run()
{
    local left round chunk
    for ((left = $1; left > 0; left -= 10)); do
        chunk=()
        for ((round = 0; round < 10 && round < left; round++)); do chunk+=("${@:2}"); done
        timeout 60 xdotool key --delay 8 "${chunk[@]}" || e2e_fail "could not press the race keys"
        e2e_no_message || e2e_fail "a message box came up during the race (a false start?)"
        e2e_shown "Orvens Tapdash" || e2e_fail "the race screen closed before every player had finished"
    done
}

# e2e_finish KEY...: the 50th round of e2e_run's, in which every player makes the 100th accepted
# press; answers "The race is over". The results screen is then up.
e2e_finish()
{
    e2e_key "$@"
    e2e_front Tapdash 20
    e2e_key Return
    e2e_wait_gone Tapdash
    e2e_front "Confirmation of Results"
    e2e_not_shown "Orvens Tapdash" || e2e_fail "the race screen is still up with the results"
}

# e2e_race KEY...: a whole race, just started, to the results screen
e2e_race()
{
    e2e_countdown
    e2e_run 49 "$@"
    e2e_finish "$@"
}
