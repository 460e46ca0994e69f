#!/usr/bin/env bash
# The README's pictures, taken from the real program under Xvfb with openbox and a
# notification area: the main window completing a keyword, the registration dialog, the
# settings dialog, a skinned window and the skin editor. Usage: scripts/screenshots.sh [build]
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out="$root/docs/screenshots"
source "$root/tests/e2e/lib.sh" "$build/tblaunch"
mkdir -p "$out"

# Crops the screen to a window with a margin around it.
shoot() {
  local window=$1 name=$2 margin=${3:-8} x y w h
  import -window root "$WORK/screen.png" 2>/dev/null
  x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $NF}')
  y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $NF}')
  w=$(xwininfo -id "$window" | awk '/Width:/ {print $NF}')
  h=$(xwininfo -id "$window" | awk '/Height:/ {print $NF}')
  convert "$WORK/screen.png" -crop $((w + 2 * margin))x$((h + 2 * margin + 24))+$((x - margin))+$((y - margin - 24)) \
    +repage "$out/$name.png"
  echo "$out/$name.png"
}
named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
shown() { [ -n "$(named "$1")" ]; }

start_display
start_tray
mkdir -p "$WORK/data"
sjis_file "$WORK/data/homefolder" /home "ホームフォルダを開く" ""
sjis_file "$WORK/data/hotmail" "https://outlook.example/" "メールを読む" ""
sjis_file "$WORK/data.lst" homefolder hotmail
start_launcher

type_text "ho"
sleep 0.5
shoot "$WINDOW" main 12

key ctrl+a BackSpace
type_text "homefolder/set"
key Return
wait_until 10 shown '^登録画面$' && sleep 0.3 && shoot "$(named '^登録画面$')" registration
key Escape
wait_until 5 sh -c "! xdotool search --onlyvisible --name '^登録画面\$' >/dev/null 2>&1"

xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
window_origin "$WINDOW"
xdotool mousemove $((X + 180)) $((Y + 30)) click 3
sleep 0.3
key Down Down Down Down Down Down Return
wait_until 10 shown '^設定画面$' && sleep 0.3 && shoot "$(named '^設定画面$')" settings
key Escape

# A skin: a rounded picture whose corners are the transparent white.
mkdir -p "$WORK/skin/blue"
convert -size 300x110 xc:white -fill '#2f6fd0' -draw 'roundrectangle 0,0 299,109 28,28' \
  -fill '#9cc3f5' -draw 'roundrectangle 14,14 285,95 18,18' "BMP3:$WORK/skin/blue/blue.bmp"
sjis_file "$WORK/skin/blue/skin.ini" '[Skin]' 'SkinName=blue.bmp' 'IconTop=30' 'IconLeft=240' \
  'ListTop=34' 'ListLeft=30' 'ListWidth=190' 'ExplanationTop=62' 'ExplanationLeft=30' \
  'ExplanationWidth=190' 'TransparentColor=clWhite'
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
type_text "/exit"
key Return
wait_until 10 sh -c "! kill -0 $LAUNCHER_PID 2>/dev/null"
# Written after the exit, which records the (empty) choice of that run.
sjis_file "$WORK/tblaunch.ini" '[Window]' 'SelectedSkinName=blue'
start_launcher
type_text "ho"
sleep 0.5
shoot "$WINDOW" skin 30

# The skin editor on that skin, opened from the skin chooser ("skin.iniの編集", the ninth item).
key Escape
window_origin "$WINDOW"
xdotool mousemove $((X + 150)) $((Y + 100)) click 3
sleep 0.3
key Down Down Down Down Down Down Down Down Down Return
wait_until 10 shown '^skin.iniの編集$' || { echo "no skin chooser" >&2; exit 1; }
CHOOSER=$(named '^skin.iniの編集$')
xdotool mousemove --window "$CHOOSER" 40 45 click --repeat 2 1
wait_until 10 shown '^skin.iniエディタ$' || { echo "no skin editor" >&2; exit 1; }
sleep 0.5
shoot "$(named '^skin.iniエディタ$')" editor 20
