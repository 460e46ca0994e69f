#!/usr/bin/env bash
# The skin editor on a Wayland desktop that tiles its windows: the bitmap chooser, the colour
# picker, the editor and the name dialog float at their own sizes (only the main window has a
# rule); a marker dragged with the mouse inside the editor writes the place it was dragged to.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway.sh"
POINTER=${2:?usage: sway_skin_editor.sh tblaunch virtual-pointer}

SWAY_FLOAT_CRITERIA="app_id=\"$APP_ID\" title=\"^tobio's launcher\""
start_sway
portable_copy
mkdir -p "$WORK/pictures"
# Blue with a white top-left corner.
convert -size 240x160 xc:'#3060c0' -fill white -draw 'rectangle 0,0 39,39' \
  "BMP3:$WORK/pictures/shape.bmp"
start_wayland_launcher
read -r OUT_W OUT_H < <(as_user swaymsg -r -t get_outputs \
  | /usr/bin/python3 -c 'import json, sys; r = json.load(sys.stdin)[0]["rect"]; print(r["width"], r["height"])')
point() { as_user "$POINTER" "$OUT_W" "$OUT_H" "$@" || fail "the pointer failed: $*"; }
shown() { [ -n "$(titled_window "$1")" ]; }
# Sets X, Y, W and H to the window of the title $1, which must float.
floating_rect() {
  local how
  wait_until 10 shown "$1" || fail "no window \"$1\": $(launcher_windows)"
  read -r how X Y W H < <(titled_window "$1")
  [ "$how" = floating ] || fail "\"$1\" is tiled, $W × $H"
}

# "skin.iniエディタの実行", the eleventh item of the main window's menu.
wayland_window_rect "$LAUNCHER_PID"
point move $((X + 180)) $((Y + 27)) press right release right
wtype_keys -s 200 -k Down -k Down -k Down -k Down -k Down -k Down -k Down -k Down -k Down \
  -k Down -k Return
floating_rect 'スキンに使用するビットマップファイルを選択してください'
wtype_keys -s 300 "$WORK/pictures/shape.bmp" -k Return
floating_rect '透過色にしたい場所をクリック'
[ "$W $H" = "240 160" ] || fail "the picker is $W × $H, not the bitmap's 240 × 160"
point move $((X + 10)) $((Y + 10)) press left release left
floating_rect 'skin.iniエディタ'
[ "$W $H" = "240 160" ] || fail "the editor is $W × $H, not the bitmap's 240 × 160"
EDITOR_X=$X EDITOR_Y=$Y

# The list marker stands 5 right and 92 down, 152 × 28; dragged 20 right and 15 down.
point move $((X + 60)) $((Y + 100)) press left move $((X + 66)) $((Y + 104)) \
  move $((X + 74)) $((Y + 110)) move $((X + 80)) $((Y + 115)) release left

# The marker's menu opens the colour dialog as the editor's dialog: it floats too.
point move $((EDITOR_X + 80)) $((EDITOR_Y + 115)) press right release right
wtype_keys -s 200 -k Down -k Return
# Its title in English or Japanese, as the toolkit's texts are.
COLOURS='Select Color|色を選択'
floating_rect "$COLOURS"
wtype_keys -s 300 -k Escape
wait_until 10 gone "$COLOURS" || fail "Esc left the colour dialog open"

# "skin.iniの作成" from the editor's menu, the name, Enter.
point move $((EDITOR_X + 200)) $((EDITOR_Y + 30)) press right release right
wtype_keys -s 200 -k Down -k Return
floating_rect 'スキンフォルダ名の指定'
wtype_keys -s 300 made -k Return
written() { [ -f "$WORK/skin/made/skin.ini" ]; }
wait_until 10 written || fail "no skin.ini written"
ini=$(iconv -f CP932 -t UTF-8 "$WORK/skin/made/skin.ini" | tr -d '\r')
for line in IconTop=52 IconLeft=5 ListTop=107 ListLeft=25 ListWidth=152 ExplanationTop=120 \
  ExplanationLeft=5 ExplanationWidth=152 TransparentColor=clWhite; do
  grep -qx "$line" <<<"$ini" || fail "skin.ini lacks $line: $ini"
done
echo "PASS"
