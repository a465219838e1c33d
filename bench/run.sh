#!/usr/bin/env bash
# `make bench`: the game's speed on this machine, each figure that depends on the machine held
# against the floor program (bench_floor: one empty 634 x 455 window) measured in the same run.
# Prints one table and keeps it, with the date and the machine, in bench/RESULTS.md.
# Everything runs in a private X server and a scratch play folder (tools/e2e_driver.sh), so the
# player's own files are never touched.
# Usage: bench/run.sh BUILD_DIR  (a release build in which the target bench_inputs is built)
# shellcheck source=SCRIPTDIR/../tools/e2e_driver.sh
source "$(dirname "$0")/../tools/e2e_driver.sh"

build=$(cd "$1" && pwd)
results="$(cd "$(dirname "$0")" && pwd)/RESULTS.md"
game="$build/tapdash"
floor="$build/bench/bench_floor"
startup_runs=21

say() { printf 'bench: %s\n' "$*" >&2; }

# CPU time of process $1 in clock ticks, all its threads, ended ones included
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# cpu_percent PID SECONDS: the share of one core the process used over the next SECONDS
cpu_percent()
{
    local before after
    before=$(cpu_ticks "$1")
    sleep "$2"
    after=$(cpu_ticks "$1")
    awk -v ticks=$((after - before)) -v hz="$(getconf CLK_TCK)" -v seconds="$2" \
        'BEGIN { printf "%.1f", 100 * ticks / hz / seconds }'
}

peak_rss_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }
# The resident memory of process $1 that no file backs: its heap, pictures and other data of its
# own (the rest is shared library code, fonts and window pictures shared with the X server)
own_kb() { awk '/^Anonymous:/ { print $2 }' "/proc/$1/smaps_rollup"; }

forget_settings() { rm -rf "$e2e_scratch/config/tapdash"; }

stop_program()
{
    kill "$e2e_game_pid" 2>/dev/null
    wait "$e2e_game_pid" 2>/dev/null
    e2e_game_pid=""
}

# retried COMMAND...: runs the command in the play folder, its standard error kept back unless it
# fails; a run the X server refused is run again, three runs at most.
retried()
{
    local attempt
    for attempt in 1 2 3; do
        (e2e_in "$e2e_play" "$@") 2>"$e2e_scratch/stderr" && return 0
        e2e_refused "$e2e_scratch/stderr" || break
        say "a program could not connect to the X server (attempt $attempt of 3)"
    done
    cat "$e2e_scratch/stderr" >&2
    return 1
}

# started PROGRAM: waits for the program just started with e2e_launch to show a window (e2e_driver.sh
# starts it again when the X server refused it)
started() { e2e_wait_for 20 "$(basename "$1") to show a window" shown; }
shown() { [ -n "$(xdotool search --onlyvisible --pid "$e2e_game_pid" 2>/dev/null)" ]; }

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# measured NAME...: each named variable holds a number, or the run fails naming the figure
measured()
{
    local name
    for name; do
        [[ ${!name:-} =~ ^-?[0-9]+(\.[0-9]+)?$ ]] || e2e_fail "no figure for $name (got '${!name:-}')"
    done
}
# calc FORMAT EXPRESSION and met CONDITION ("yes" or "NO") in awk's arithmetic, from measured figures
calc() { awk "BEGIN { printf \"$1\", $2 }" || e2e_fail "cannot compute $2"; }
met() { awk "BEGIN { print ($1) ? \"yes\" : \"NO\" }" || e2e_fail "cannot tell whether $1"; }

load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)
e2e_screen=1920x1080x24  # the display full screen fills
e2e_start_x

# ---- the game through a scripted two-player race: idle CPU, then peak memory ----
say "a two-player race through the game: idle CPU on the entry screen and in the countdown, peak memory"
e2e_start_game "$game" "$build/play"
started "$game"
e2e_skip_splash
sleep 1
entry_cpu=$(cpu_percent "$e2e_game_pid" 5)
e2e_enter_player 1 Ann
e2e_enter_player 2 Bob
e2e_click "${e2e_entry_play[@]}"
countdown_end=$(($(e2e_now_ms) + 6000))  # five ticks of one second, and some slack
e2e_front "Orvens Tapdash"
countdown_cpu=$(cpu_percent "$e2e_game_pid" 4)
while (($(e2e_now_ms) < countdown_end)); do sleep 0.1; done
e2e_no_message || e2e_fail "a message box came up during the countdown"
e2e_run 49 p o w q
e2e_finish p o w q
game_rss=$(peak_rss_kb "$e2e_game_pid")
game_own=$(own_kb "$e2e_game_pid")
measured entry_cpu countdown_cpu game_rss game_own
stop_program

# ---- the same race in full screen (F11 in the countdown), a new choice forgotten after it ----
say "the two-player race in full screen: peak memory"
e2e_start_game "$game" "$build/play"
started "$game"
e2e_skip_splash
e2e_enter_player 1 Ann
e2e_enter_player 2 Bob
e2e_click "${e2e_entry_play[@]}"
e2e_front "Orvens Tapdash"
e2e_key F11
sleep 6.5  # the countdown (the clock e2e_countdown watches is elsewhere in full screen)
e2e_run 49 p o w q
e2e_finish p o w q
full_screen_rss=$(peak_rss_kb "$e2e_game_pid")
measured full_screen_rss
stop_program
forget_settings

# ---- the floor: idle CPU and peak memory once shown ----
say "the floor program: idle CPU and peak memory"
e2e_launch "$e2e_play" "$floor"
started "$floor"
sleep 1
floor_cpu=$(cpu_percent "$e2e_game_pid" 5)
floor_rss=$(peak_rss_kb "$e2e_game_pid")
floor_own=$(own_kb "$e2e_game_pid")
stop_program
e2e_launch "$e2e_play" "$floor" --full-screen
started "$floor" --full-screen
sleep 1
full_screen_floor_rss=$(peak_rss_kb "$e2e_game_pid")
measured floor_cpu floor_rss floor_own full_screen_floor_rss
stop_program

# ---- start-up, game and floor in turns; the first run of each only warms the caches ----
say "start-up: $startup_runs runs each of the game and the floor"
game_starts=()
floor_starts=()
for ((run = 0; run <= startup_runs; run++)); do
    sleep 0.2  # the last program's end is over before the next one starts
    g=$(retried "$build/bench/bench_startup" "$game") || e2e_fail "the game's start-up could not be measured"
    sleep 0.2
    f=$(retried "$build/bench/bench_startup" "$floor") || e2e_fail "the floor's start-up could not be measured"
    if ((run > 0)); then
        game_starts+=("$g")
        floor_starts+=("$f")
    fi
done
game_start=$(median "${game_starts[@]}")
floor_start=$(median "${floor_starts[@]}")
measured game_start floor_start

# ---- the harnesses ----
say "key handling: four-player races to 10,000 accepted presses"
keys=$(retried timeout 180 "$build/bench/bench_key_latency") || e2e_fail "the key handling harness failed"
read -r presses key_median key_p99 key_max floor_key_median floor_key_p99 key_rss <<<"$keys"
measured presses key_median key_p99 key_max floor_key_median floor_key_p99 key_rss
say "key handling with runners of 4096 x 4096 pixels: four-player races to 2,000 accepted presses"
keys=$(retried timeout 300 "$build/bench/bench_key_latency" huge) || e2e_fail "the key handling harness failed"
read -r huge_presses _ huge_key_p99 _ _ _ huge_rss <<<"$keys"
measured huge_presses huge_key_p99 huge_rss
say "key handling in full screen at $e2e_screen"
keys=$(retried timeout 180 "$build/bench/bench_key_latency" --full-screen) ||
    e2e_fail "the key handling harness failed in full screen"
forget_settings
read -r _ full_key_median full_key_p99 full_key_max _ full_floor_key_p99 _ <<<"$keys"
measured full_key_median full_key_p99 full_key_max full_floor_key_p99
say "pad handling: four-player races on four virtual pads to 10,000 accepted presses, then the CPU with SDL running"
pads=$(retried timeout 180 "$build/bench/bench_key_latency" --pads) || e2e_fail "the pad handling harness failed"
read -r pad_presses pad_median pad_p99 pad_max _ pad_floor_p99 _ pad_cpu no_pad_cpu <<<"$pads"
measured pad_presses pad_median pad_p99 pad_max pad_floor_p99 pad_cpu no_pad_cpu
say "the race clock over a 30-second race"
clock=$(retried timeout 90 "$build/bench/bench_clock_accuracy") || e2e_fail "the clock harness failed"
read -r clock_wall clock_reading clock_error <<<"$clock"
measured clock_wall clock_reading clock_error
say "the race logic alone"
engine=$("$build/bench/bench_engine") || e2e_fail "the race logic benchmark failed"
read -r engine_keys engine_ticks <<<"$engine"
measured engine_keys engine_ticks

# ---- the table ----
table="| Figure | Game | Floor | Ratio | Target | Met |
|---|---|---|---|---|---|"
missed=""
# row FIGURE GAME FLOOR RATIO TARGET MET: one line of the table; a target missed is named below it
row()
{
    local against=""
    table+=$'\n'"| $1 | $2 | $3 | $4 | $5 | $6 |"
    [ -z "$3" ] || against=" against the floor's $3 (ratio $4)"
    [ "$6" != NO ] || missed+=$'\n'"Missed: $1: $2$against; target: $5"
}
ms() { calc '%.1f ms' "$1"; }
mib() { calc '%.1f MiB' "$1 / 1024"; }

ratio=$(calc %.2f "$game_start / $floor_start")
row "Start-up to the first screen drawn (median of $startup_runs)" "$(ms "$game_start")" "$(ms "$floor_start")" \
    "$ratio" "ratio <= 1.3" "$(met "$ratio <= 1.3")"
ratio=$(calc %.2f "$game_rss / $floor_rss")
row "Peak memory through a two-player race" "$(mib "$game_rss")" "$(mib "$floor_rss")" \
    "$ratio" "ratio <= 1.4" "$(met "$ratio <= 1.4")"
row "Of the memory at the end, the program's own (not file-backed)" "$(mib "$game_own")" "$(mib "$floor_own")" \
    "$(calc %.2f "$game_own / $floor_own")" "" ""
row "Key press to end of repaint, median ($presses presses)" "$key_median ms" "$floor_key_median ms" \
    "$(calc %.2f "$key_median / $floor_key_median")" "" ""
row "Key press to end of repaint, 99th percentile (slowest $key_max ms)" "$key_p99 ms" "$floor_key_p99 ms" \
    "$(calc %.2f "$key_p99 / $floor_key_p99")" "< 2 ms" "$(met "$key_p99 < 2")"
ratio=$(calc %.2f "$huge_key_p99 / $key_p99")
row "The same, 4096 x 4096 runners ($huge_presses presses); beside it, the default runner's" "$huge_key_p99 ms" \
    "$key_p99 ms" "$ratio" "ratio <= 1.5" "$(met "$ratio <= 1.5")"
ratio=$(calc %.2f "$huge_rss / $key_rss")
row "Resident memory after those races, 4096 x 4096 runners; beside it, the default runner's" "$(mib "$huge_rss")" \
    "$(mib "$key_rss")" "$ratio" "ratio <= 1.1" "$(met "$ratio <= 1.1")"
ratio=$(calc %.2f "$full_screen_rss / $full_screen_floor_rss")
row "Peak memory through the race in full screen (${e2e_screen%x*}; the floor fills the display too)" \
    "$(mib "$full_screen_rss")" "$(mib "$full_screen_floor_rss")" \
    "$ratio" "ratio <= 1.6" "$(met "$ratio <= 1.6")"
row "Key press to end of repaint in full screen (${e2e_screen%x*}), 99th percentile (median $full_key_median ms, slowest $full_key_max ms)" \
    "$full_key_p99 ms" "$full_floor_key_p99 ms" "$(calc %.2f "$full_key_p99 / $full_floor_key_p99")" "< 2 ms" \
    "$(met "$full_key_p99 < 2")"
row "Pad button to end of repaint, 99th percentile ($pad_presses presses on four virtual pads; median $pad_median ms, slowest $pad_max ms)" \
    "$pad_p99 ms" "$pad_floor_p99 ms" "$(calc %.2f "$pad_p99 / $pad_floor_p99")" "< 2 ms" "$(met "$pad_p99 < 2")"
row "Race logic alone, key events per second (one core)" "$(calc %.2f "$engine_keys / 1e6") million" "" "" "" ""
row "Race logic alone, clock ticks per second (one core)" "$(calc %.2f "$engine_ticks / 1e6") million" "" "" "" ""
row "Clock error over a 30 s race, 4 players at 15 presses/s" \
    "$clock_error % ($clock_reading s at $(calc %.2f "$clock_wall") s)" "" "" "under 1 %" \
    "$(met "$clock_error < 1 && $clock_error > -1")"
row "CPU while the entry screen waits (5 s)" "$entry_cpu %" "$floor_cpu %" "" "under 1 % of a core" \
    "$(met "$entry_cpu < 1")"
row "CPU during the countdown (4 s)" "$countdown_cpu %" "$floor_cpu %" "" "under 1 % of a core" \
    "$(met "$countdown_cpu < 1")"
row "CPU on the entry screen with SDL running and no pad (3 s)" "$no_pad_cpu %" "$floor_cpu %" "" \
    "under 1 % of a core" "$(met "$no_pad_cpu < 1")"
row "CPU on the entry screen with four virtual pads, read every 8 ms as they have no device file (3 s)" \
    "$pad_cpu %" "$floor_cpu %" "" "" ""
echo "$table"
[ -z "$missed" ] || echo "$missed"

memory=$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
cpu_model=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
{
    echo "# Benchmark results"
    echo
    echo "The last run of \`make bench\` (see the README's \"Benchmarks\" for what the figures mean)."
    echo
    echo "- Date: $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "- Machine: $(nproc) cores, $cpu_model, $memory memory, $(uname -sr)"
    echo "- Load average when the run began: $load_at_start"
    echo
    echo "$table"
    [ -z "$missed" ] || echo "$missed"
} >"$results"
say "kept in $results"
[ -z "$missed" ]  # a missed target fails the run
