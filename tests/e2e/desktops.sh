# shellcheck shell=bash
# What the end-to-end tests on real desktops share, sourced after tools/e2e_driver.sh.

passed=0
e2e_pass() { passed=$((passed + 1)) && e2e_say "ok: $*"; }
# e2e_check WHAT CMD...: one named check
e2e_check() { if "${@:2}"; then e2e_pass "$1"; else e2e_fail "$1"; fi; }

# play_is_red WIDTH HEIGHT: the display shows the entry screen full screen, its scene scaled to the
# largest size that fits and centred: the red "Play" button near two opposite corners of its
# scaled place (once drawn)
play_is_red()
{
    e2e_wait_for 5 "the red \"Play\" at its scaled place" play_red "$@"
    e2e_pass "the red \"Play\" at its scaled place, near two opposite corners"
}
play_red()
{
    local at left top width height
    timeout 20 import -silent -window root "png:$e2e_scratch/screen.png" || e2e_fail "no picture of the display"
    read -r left top width height <<<"${e2e_entry_play[*]}"
    for at in "$((left + 120)) $((top + 90))" "$((left + width - 120)) $((top + height - 90))"; do
        [ "$(convert "$e2e_scratch/screen.png" -format "%[hex:p{$(awk -v w="$1" -v h="$2" -v at="$at" 'BEGIN {
            split(at, t, " "); z = w / 634 < h / 455 ? w / 634 : h / 455
            printf "%d,%d", (w - 634 * z) / 2 + t[1] / 15 * z + 0.5, (h - 455 * z) / 2 + t[2] / 15 * z + 0.5 }')}]" info:)" = FF0000 ] ||
            return 1
    done
}

# after_box_keys_count KEY: in the race's countdown KEY is a false start; once Return closes its
# box the keyboard is the game's again, the pointer far from it: KEY is a false start again.
after_box_keys_count()
{
    e2e_key "$1"
    e2e_wait_for 10 "a false start's box" e2e_shown Tapdash
    e2e_key Return
    e2e_wait_gone Tapdash
    timeout 10 xdotool mousemove 0 "$(($(xdotool getdisplaygeometry | cut -d' ' -f2) - 1))" || e2e_fail "no pointer"
    e2e_key "$1"
    e2e_wait_for 10 "the key pressed after the box to reach the game" e2e_shown Tapdash
    e2e_pass "after a box closed with Return, $1 with the pointer away from the game still counts"
    e2e_key Return
    e2e_wait_gone Tapdash
}
