#!/usr/bin/env bash
# A registered keyword and Enter runs its target with its parameters and clears the line,
# a keyword holding an operator included; an unknown text and Enter, or Enter on the idle
# clock's date and time, clears the line without an error.
source "$(dirname "$0")/lib.sh"

# A date written with slashes, as the clock shows it to Japanese users.
export LANG=ja_JP.UTF-8

start_display

marker_script
sjis_file "$WORK/data/memo" "$WORK/bin/marker.sh" "メモを書く" '--flag "two words"'
sjis_file "$WORK/data/x-term" "$WORK/bin/marker.sh" "" "hyphen"
sjis_file "$WORK/data.lst" "memo" "x-term"

start_launcher

type_text "memo"
key Return
wait_until 10 test -s "$WORK/marker" || fail "the target did not run"
[ "$(cat "$WORK/marker")" = $'--flag\ntwo words' ] || fail "parameters: $(cat "$WORK/marker")"
[ -z "$(input_text)" ] || fail "the input line was not cleared after launching"

rm -f "$WORK/marker"
type_text "x-term"
key Return
wait_until 10 test -s "$WORK/marker" || fail "x-term went to the calculator"
[ "$(cat "$WORK/marker")" = "hyphen" ] || fail "x-term's parameters: $(cat "$WORK/marker")"

# An error box is one more window of the program beside the main window and the tray icon.
error_box() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$LAUNCHER_PID" 2>/dev/null); do
    [ "$w" = "$WINDOW" ] && continue
    [ "$(xwininfo -id "$w" | awk '/Width:/ {print $2}')" -gt 100 ] && return 0
  done
  return 1
}

type_text "nothing"
key Return
[ -z "$(input_text)" ] || fail "the input line was not cleared after an unknown text"

clock_shown() {
  key ctrl+a ctrl+c
  xclip -o -selection clipboard 2>/dev/null | grep -Eq '^[0-9]+/[0-9]+/[0-9]+ '
}
wait_until 12 clock_shown || fail "no clock after five idle seconds: '$(clipboard)'"
key End Return
! wait_until 2 error_box || fail "Enter on the clock's date and time raised an error box"
[ -z "$(input_text)" ] || fail "the input line was not cleared after Enter on the clock"

echo "PASS"
