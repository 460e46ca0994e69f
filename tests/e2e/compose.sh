#!/usr/bin/env bash
# Japanese through a real input method (ibus with Anthy) and the idle clock: a composition
# begun right after start-up survives the clock's first tick, Japanese can still be entered
# once the clock has shown, and typing over the shown clock replaces it.
source "$(dirname "$0")/lib.sh"

start_display
start_ibus
use_engine anthy

problems=()
expect_line() {
  local expected=$1 what=$2 text
  text=$(line_text)
  [ "$text" = "$expected" ] || problems+=("$what: expected '$expected', the line read '$text'")
}

# The whole line must read as a date and a time: copying an empty line leaves the clipboard
# as it was, and the last copy (input_text's) ends with its marker. Polling selects the
# line; End leaves the clock unselected, as it is shown.
clock_shown() {
  sleep 0.5
  key ctrl+a ctrl+c
  xclip -o -selection clipboard 2>/dev/null | grep -Eqx '[0-9][^#]*[0-9]{1,2}:[0-9]{2}:[0-9]{2}'
}
wait_for_clock() {
  key ctrl+a BackSpace BackSpace
  wait_until 12 clock_shown || fail "no clock after five idle seconds: '$(clipboard)'"
  key End
}

now_ms() { local t=${EPOCHREALTIME/./}; echo $((10#$t / 1000)); }
past() { [ "$(now_ms)" -ge "$1" ]; }

start_launcher
started=$(now_ms)

# Anthy starts in Latin mode; Ctrl+J turns hiragana on, and the engine keeps the mode
# across switches. Enter commits the composition as it reads.
key ctrl+j
type_text nihonn
# The clock's first tick is due five seconds after start-up.
wait_until 10 past $((started + 7500))
key Return
expect_line にほん "a composition begun at start-up and committed after the clock's first tick"

wait_for_clock
use_engine anthy
type_text nihonn
key Return
expect_line にほん "a composition begun over the clock"

wait_for_clock
type_text /new
expect_line /new "typing over the clock"

[ ${#problems[@]} -eq 0 ] || fail "$(printf '\n  %s' "${problems[@]}")"
echo "PASS"
