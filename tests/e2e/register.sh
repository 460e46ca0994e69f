#!/usr/bin/env bash
# "/new" opens the registration dialog; a keyword registered there takes its place in
# data.lst, gets its three-line Shift-JIS entry file, and then launches by Enter.
source "$(dirname "$0")/lib.sh"

start_display
marker_script
sjis_file "$WORK/data/apple" /usr/bin/true "" ""
sjis_file "$WORK/data/cherry" /usr/bin/true "" ""
sjis_file "$WORK/data.lst" apple cherry
start_launcher

open_new_registration

# Click into a field at its design position and type into it.
fill() {
  xdotool mousemove --window "$DIALOG" "$1" "$2" click 1
  type_text "$3"
}
fill 60 34 "bench"
fill 60 74 "$WORK/bin/marker.sh"
fill 60 146 "--reg"
# Japanese text goes in by the clipboard: typing it through remapped keys loses characters.
printf 'テスト' | xclip -quiet -selection clipboard >/dev/null 2>&1 &
PIDS+=("$!")
xdotool mousemove --window "$DIALOG" 40 239 click 1
key ctrl+v
screenshot "$(dirname "$PROGRAM")/register.png"
confirm_registration

[ "$(tr -d '\r' < "$WORK/data.lst" | paste -sd,)" = "apple,bench,cherry" ] \
  || fail "data.lst: $(cat -A "$WORK/data.lst")"
expected=$(printf '%s\r\n\x83\x65\x83\x58\x83\x67\r\n--reg\r\n' "$WORK/bin/marker.sh" | od -An -tx1)
[ "$(od -An -tx1 < "$WORK/data/bench")" = "$expected" ] \
  || fail "entry file: $(od -c "$WORK/data/bench" | tail -4)"

xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
type_text "bench"
key Return
wait_until 10 test -s "$WORK/marker" || fail "the registered keyword did not run its target"
[ "$(cat "$WORK/marker")" = "--reg" ] || fail "parameters: $(cat "$WORK/marker")"

echo "PASS"
