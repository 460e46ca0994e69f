#!/usr/bin/env bash
# "memo/del" and Enter asks about memo; OK takes it out of data.lst and deletes its entry.
# "/sort" then opens the keyword order window on what is left.
source "$(dirname "$0")/lib.sh"

start_display
sjis_file "$WORK/data/memo" /usr/bin/true "" ""
sjis_file "$WORK/data/foo" /usr/bin/true "" ""
sjis_file "$WORK/data.lst" memo foo
start_launcher

type_text "memo/del"
key Return
question() { xdotool search --onlyvisible --name '^警告$' 2>/dev/null | head -n 1; }
question_shown() { [ -n "$(question)" ]; }
wait_until 10 question_shown || fail "no question before deleting"
screenshot "$(dirname "$PROGRAM")/delete.png"
xdotool windowactivate --sync "$(question)" >/dev/null 2>&1 || true
key Return
deleted() { [ ! -e "$WORK/data/memo" ]; }
wait_until 10 deleted || fail "the entry file is still there"
[ "$(tr -d '\r' < "$WORK/data.lst" | paste -sd,)" = "foo" ] \
  || fail "data.lst: $(cat -A "$WORK/data.lst")"

xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
type_text "/sort"
key Return
order() { xdotool search --onlyvisible --name '^登録キーワード保守$' 2>/dev/null | head -n 1; }
order_shown() { [ -n "$(order)" ]; }
wait_until 10 order_shown || fail "/sort did not open the keyword order window"
screenshot "$(dirname "$PROGRAM")/order.png"
echo "PASS"
