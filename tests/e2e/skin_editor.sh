#!/usr/bin/env bash
# A skin made by hand in the skin editor: a bitmap chosen in the file chooser, its white
# corner clicked as the transparent colour, the icon marker nudged with the arrow keys, the
# skin written under a new name; after a restart the skin chosen from the menu gives the
# window its shape and puts the input line where its marker stood.
source "$(dirname "$0")/lib.sh"

start_display
mkdir -p "$WORK/pictures"
# Blue with a white top-left corner.
convert -size 240x160 xc:'#3060c0' -fill white -draw 'rectangle 0,0 39,39' \
  "BMP3:$WORK/pictures/shape.bmp"
start_launcher
window_origin "$WINDOW"

blue_at() { [ "$(pixel "$1" "$2")" = "3060C0" ]; }

# "skin.iniエディタの実行", the eleventh item: the bitmap chooser.
main_menu Down Down Down Down Down Down Down Down Down Down Return
wait_until 10 shown 'スキンに使用するビットマップファイルを選択してください' \
  || fail "no bitmap chooser"
sleep 0.5
type_text "$WORK/pictures/shape.bmp"
key Return
wait_until 10 shown '透過色にしたい場所をクリック' || fail "no colour picker"
PICKER=$(named '透過色にしたい場所をクリック')
window_origin "$PICKER"
xdotool mousemove $((X + 10)) $((Y + 10)) click 1
wait_until 10 shown 'skin.iniエディタ' || fail "the editor did not open"
wait_until 10 shown 'アイコン' || fail "no icon marker"
wait_until 10 shown '登録名' || fail "no list marker"
wait_until 10 shown '説明' || fail "no description marker"
EDITOR=$(named 'skin.iniエディタ')
window_origin "$EDITOR"
wait_until 10 blue_at $((X + 200)) $((Y + 30)) || fail "the editor does not show the bitmap"
[ "$(pixel $((X + 10)) $((Y + 10)))" != "FFFFFF" ] || fail "the white corner was not cut"
screenshot "$(dirname "$PROGRAM")/skin_editor.png"

# The list marker is 152 wide with its frame; skin.ini gets the width of its client area.
frame_sides() {
  xprop -id "$(named '登録名')" _NET_FRAME_EXTENTS | awk -F'[=,]' '{print $2 + $3}'
}
wait_until 5 sh -c "xprop -id $(named '登録名') _NET_FRAME_EXTENTS | grep -q =" \
  || fail "the list marker has no frame extents"
LIST_WIDTH=$((152 - $(frame_sides)))

# Three nudges to the left.
ICON=$(named 'アイコン')
xdotool windowactivate --sync "$ICON" >/dev/null 2>&1 || xdotool windowfocus "$ICON"
key Left Left Left

# "skin.iniの作成" from the editor's menu, the name, OK.
before=$(windows)
xdotool mousemove $((X + 200)) $((Y + 30)) click 3
wait_until 10 more_windows "$before" || fail "no editor menu"
key Down Return
wait_until 10 shown 'スキンフォルダ名の指定' || fail "no name dialog"
sleep 0.3
type_text "made"
key Tab space
written() { [ -f "$WORK/skin/made/skin.ini" ]; }
wait_until 10 written || fail "no skin.ini written"
editor_closed() { ! shown 'skin.iniエディタ'; }
wait_until 10 editor_closed || fail "the editor stayed open"
cmp -s "$WORK/pictures/shape.bmp" "$WORK/skin/made/shape.bmp" || fail "the bitmap was not copied"
ini=$(iconv -f CP932 -t UTF-8 "$WORK/skin/made/skin.ini" | tr -d '\r')
for line in SkinName=shape.bmp IconTop=52 IconLeft=2 ListTop=92 ListLeft=5 ListWidth=$LIST_WIDTH \
  ExplanationTop=120 ExplanationLeft=5 ExplanationWidth=152 TransparentColor=clWhite; do
  grep -qx "$line" <<<"$ini" || fail "skin.ini lacks $line: $ini"
done

# The next start lists the skin; chosen, it shapes the window.
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || xdotool windowfocus "$WINDOW"
exit_launcher
start_launcher
window_origin "$WINDOW"
main_menu Down Down Down Down Down Down Down Down Right Return
wait_until 10 blue_at $((X + 200)) $((Y + 30)) || fail "the new skin's picture did not appear"
window_origin "$WINDOW"
screenshot "$(dirname "$PROGRAM")/skin_editor_applied.png"
[ "$(pixel $((X + 10)) $((Y + 10)))" = "000000" ] || fail "the corner is not cut"
# The input line stands where its marker stood, 5 right and 92 down, 152 wide.
blue_at $((X + 5 + 100)) $((Y + 92 + 4)) && fail "no input line at the list marker's place"
blue_at $((X + 5 + 100)) $((Y + 92 - 6)) || fail "the input line is not at the list marker's place"
blue_at $((X + 5 + 160)) $((Y + 92 + 4)) || fail "the input line is wider than its marker"
exit 0
