#!/usr/bin/env bash
# A registered keyword and Enter runs its target with its parameters and clears the line;
# an unknown text and Enter clears the line.
source "$(dirname "$0")/lib.sh"

start_display

marker_script
sjis_file "$WORK/data/memo" "$WORK/bin/marker.sh" "メモを書く" '--flag "two words"'
sjis_file "$WORK/data.lst" "memo"

start_launcher

type_text "memo"
key Return
wait_until 10 test -s "$WORK/marker" || fail "the target did not run"
[ "$(cat "$WORK/marker")" = $'--flag\ntwo words' ] || fail "parameters: $(cat "$WORK/marker")"
[ -z "$(input_text)" ] || fail "the input line was not cleared after launching"

type_text "nothing"
key Return
[ -z "$(input_text)" ] || fail "the input line was not cleared after an unknown text"

echo "PASS"
