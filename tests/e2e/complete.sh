#!/usr/bin/env bash
# Typing the first letter of a keyword proposes the first keyword that begins with it, its
# rest selected, and shows its icon and description. An entry that cannot be read is
# reported once while the line names its keyword, and its proposal stays selected.
source "$(dirname "$0")/lib.sh"

start_display
mkdir -p "$WORK/bin"
printf '#!/bin/sh\n' > "$WORK/bin/fox.sh"
chmod +x "$WORK/bin/fox.sh"
sjis_file "$WORK/data/fox" "$WORK/bin/fox.sh" "きつねの説明" ""
sjis_file "$WORK/data/foo" "$WORK/bin/fox.sh" "foo の説明" ""
sjis_file "$WORK/data.lst" fox foo fifo
mkfifo "$WORK/data/fifo"
start_launcher

type_text "f"
key ctrl+c
wait_until 5 sh -c '[ "$(xclip -o -selection clipboard 2>/dev/null)" = ox ]' \
  || fail "the proposed rest is not 'ox': '$(clipboard)'"
shot="$(dirname "$PROGRAM")/complete.png"
sleep 0.3
window_origin "$WINDOW"
import -window root "$WORK/root.png"
convert "$WORK/root.png" -crop "190x38+$X+$Y" +repage "$shot"
# The description under the line and the icon beside it are drawn: neither area is plain.
plain() { [ "$(convert "$shot" -crop "$1" -format '%[fx:standard_deviation]' info:)" = 0 ]; }
plain 150x13+1+24 && fail "no description under the input line"
plain 32x32+157+0 && fail "no icon beside the input line"

key ctrl+a ctrl+c
wait_until 5 sh -c '[ "$(xclip -o -selection clipboard 2>/dev/null)" = fox ]' \
  || fail "the line does not show fox: '$(clipboard)'"

# Each key that completes fifo again would stack another box; typed fast, as a user types.
key Escape
xdotool type --delay 1 fi
error_boxes() { xdotool search --onlyvisible --name '^tblaunch$' 2>/dev/null | wc -l; }
box_shown() { [ "$(error_boxes)" -ge 1 ]; }
wait_until 10 box_shown || fail "no error box for the pipe"
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^tblaunch$' | head -n 1)" \
  >/dev/null 2>&1 || true
key Return
no_box() { [ "$(error_boxes)" -eq 0 ]; }
wait_until 10 no_box || fail "$(error_boxes) more error boxes after the first"
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
key f # fif: fifo proposed again, and not reported again
line=$(input_text)
[ "$line" = fif ] || fail "after the box the line is '$line', not fif with o selected"
no_box || fail "fifo was reported again"

echo "PASS"
