# shellcheck shell=bash
# What the end-to-end tests on real desktops share, sourced after tools/e2e_driver.sh.

passed=0
e2e_pass() { passed=$((passed + 1)) && e2e_say "ok: $*"; }
# e2e_check WHAT CMD...: one named check
e2e_check() { if "${@:2}"; then e2e_pass "$1"; else e2e_fail "$1"; fi; }

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
