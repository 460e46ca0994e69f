#!/usr/bin/env bash
# Arithmetic and Enter leaves the result in the input line and on the clipboard; a
# division by zero shows the error box and keeps the input.
source "$(dirname "$0")/lib.sh"

start_display
start_launcher

type_text "2*3"
key Return
wait_until 5 sh -c '[ "$(xclip -o -selection clipboard 2>/dev/null)" = 6 ]' \
  || fail "clipboard after 2*3: '$(clipboard)'"
[ "$(input_text)" = 6 ] || fail "input line after 2*3"

key ctrl+a BackSpace
type_text "1/3"
key Return
wait_until 5 sh -c '[ "$(xclip -o -selection clipboard 2>/dev/null)" = 0.333333333333333 ]' \
  || fail "clipboard after 1/3: '$(clipboard)'"

key ctrl+a BackSpace
type_text "1/0"
key Return
error_box() { xdotool search --onlyvisible --name '^tblaunch$' >/dev/null 2>&1; }
wait_until 10 error_box || fail "no error box for 1/0"
screenshot "$(dirname "$PROGRAM")/calculate-error.png"
key Return
wait_until 10 sh -c '! xdotool search --onlyvisible --name "^tblaunch\$" >/dev/null 2>&1' \
  || fail "the error box did not close"
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
[ "$(input_text)" = "1/0" ] || fail "the input was not kept after the error"

echo "PASS"
