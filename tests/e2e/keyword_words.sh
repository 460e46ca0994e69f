#!/usr/bin/env bash
# A keyword followed by words: the words reach the program as its arguments (quotes keep two
# words whole, no shell sees them), and reach a web address percent-encoded as UTF-8 through
# the desktop's opener. While typing, the description shows the words after it.
source "$(dirname "$0")/lib.sh"

# xdotool reads the Japanese words in a UTF-8 locale.
export LC_ALL=C.UTF-8
start_display
# Qt's accessibility bridge on, so that the description under the line can be read back.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

marker_script
# The desktop's opener, as the launcher finds it on PATH, records what it is asked to open.
printf '#!/bin/sh\nprintf '"'"'%%s\\n'"'"' "$@" > "%s/opened"\n' "$WORK" > "$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"

sjis_file "$WORK/data/rec" "$WORK/bin/marker.sh" "記録" "--flag"
sjis_file "$WORK/data/g" 'https://www.example.com/search?q=%s' "検索" ""
sjis_file "$WORK/data.lst" "rec" "g"

start_launcher

type_text "rec alpha 'beta gamma' \$(touch $WORK/pwned); touch $WORK/pwned"
wait_until 10 description_is "記録 — alpha 'beta gamma' \$(touch $WORK/pwned); touch $WORK/pwned" \
  || fail "no words after the description: $(cut -f2- "$WORK/accessible.txt" | tr '\n' '|')"
key Return
wait_until 10 test -s "$WORK/marker" || fail "rec ran nothing"
expected=$(printf '%s\n' --flag alpha 'beta gamma' "\$(touch" "$WORK/pwned);" touch "$WORK/pwned")
[ "$(cat "$WORK/marker")" = "$expected" ] || fail "rec's arguments: $(cat "$WORK/marker")"
[ ! -e "$WORK/pwned" ] || fail "the words went through a shell"
[ -z "$(input_text)" ] || fail "the line was not cleared after launching"

# xdotool types a character outside the keyboard map by remapping a spare key, which a key
# just before it can overtake, and the character is lost: one at a time, each read back in the
# line, and typed again where it did not arrive.
type_text "g "
typed="g "
line_reads() { accessible_reads "combo box" "$1"; }
wait_until 10 line_reads "$typed" || fail "the line does not read '$typed'"
for c in ラ ー メ ン; do
  for try in 1 2 3; do
    xdotool type --delay 40 -- "$c"
    wait_until 3 line_reads "$typed$c" && break
    line_reads "$typed" || fail "the line reads neither '$typed' nor '$typed$c'"
  done
  typed+=$c
done
wait_until 10 description_is "検索 — ラーメン" \
  || fail "no words after the description: $(cut -f2- "$WORK/accessible.txt" | tr '\n' '|')"
key Return
wait_until 10 test -s "$WORK/opened" || fail "g opened nothing"
[ "$(cat "$WORK/opened")" = 'https://www.example.com/search?q=%E3%83%A9%E3%83%BC%E3%83%A1%E3%83%B3' ] \
  || fail "g opened $(cat "$WORK/opened")"

echo "PASS"
