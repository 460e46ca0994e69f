#!/usr/bin/env bash
# Keywords reached by their readings where nothing completes literally: kana composed through
# a real input method (ibus with Anthy) reach a Latin keyword, and romaji typed with it off a
# keyword written in kana and kanji. The line keeps what was typed, the description names the
# keyword reached, and Enter opens it. Enter committing a composition opens nothing. A slash
# command takes the keyword reached so.
source "$(dirname "$0")/lib.sh"

start_display
start_ibus
# Qt's accessibility bridge on, so that the description under the line can be read back.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

marker_script
sjis_file "$WORK/data/memo" "$WORK/bin/marker.sh" "ラテン文字のメモ" "latin"
sjis_file "$WORK/data/メモ帳" "$WORK/bin/marker.sh" "帳面" "kanji"

# The readings are made after the window shows, and what was typed before is offered then.
expect_offer() {
  use_engine xkb:us::eng
  expect_description "$1"
}
# The whole line, a selected rest included.
line_is() {
  key ctrl+a ctrl+c
  wait_until 5 sh -c '[ "$(xclip -o -selection clipboard 2>/dev/null)" = "$0" ]' "$1" \
    || fail "the line reads '$(clipboard)', not '$1'"
  key End
}
# Anthy starts in Latin mode; Ctrl+J turns hiragana on, and the engine keeps the mode across
# switches. Enter commits the composition.
compose_memo() {
  use_engine anthy
  type_text memo
  key Return
}
opened() {
  wait_until 10 test -s "$WORK/marker" || fail "$2 opened nothing"
  [ "$(cat "$WORK/marker")" = "$1" ] || fail "$2 opened '$(cat "$WORK/marker")', not $1"
  rm -f "$WORK/marker"
  local line
  line=$(input_text)
  [ -z "$line" ] || fail "$2 left '$line' in the line"
}

# The Latin keyword comes first in the list: kana reach it before メモ帳.
sjis_file "$WORK/data.lst" memo "メモ帳"
use_engine anthy
start_launcher
key ctrl+j
compose_memo
expect_offer "memo — ラテン文字のメモ"
# Now that the readings are made, a composition committed over a reachable text.
key ctrl+a BackSpace
compose_memo
! wait_until 2 test -e "$WORK/marker" || fail "Enter committing めも opened '$(cat "$WORK/marker")'"
use_engine xkb:us::eng
line_is めも
description_is "memo — ラテン文字のメモ" || fail "committed めも offers no memo"
key Return
opened latin "めも and Enter"
exit_launcher

# Without a Latin keyword beginning with memo, romaji typed with the input method off.
sjis_file "$WORK/data.lst" "メモ帳"
start_launcher
use_engine xkb:us::eng
type_text memo
expect_offer "メモ帳 — 帳面"
line_is memo
key Return
opened kanji "memo and Enter"
exit_launcher

# A slash command takes the keyword its text reaches by reading: "denta/del" deletes 電卓.
sjis_file "$WORK/data/電卓" "$WORK/bin/marker.sh" "計算" "calc"
sjis_file "$WORK/data.lst" "メモ帳" "電卓"
start_launcher
use_engine xkb:us::eng
type_text denta
expect_offer "電卓 — 計算"
type_text /del
key Return
question() { xdotool search --onlyvisible --name '^警告$' 2>/dev/null | head -n 1; }
question_shown() { [ -n "$(question)" ]; }
wait_until 10 question_shown || fail "denta/del asked nothing"
xdotool windowactivate --sync "$(question)" >/dev/null 2>&1 || true
key Return
deleted() { [ ! -e "$WORK/data/電卓" ]; }
wait_until 10 deleted || fail "denta/del left 電卓's entry"
[ "$(iconv -f CP932 -t UTF-8 "$WORK/data.lst" | tr -d '\r' | paste -sd,)" = "メモ帳" ] \
  || fail "data.lst: $(cat -A "$WORK/data.lst")"

echo "PASS"
