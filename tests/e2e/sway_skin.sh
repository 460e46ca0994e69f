#!/usr/bin/env bash
# On a Wayland desktop a skin shapes the window as on X11: the corners of a 300 × 120 bitmap
# in the transparent colour show the desktop's background through them.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway.sh"

start_sway
portable_copy
mkdir -p "$WORK/skin/round"
convert -size 300x120 xc:'#3060c0' -fill white \
  -draw 'rectangle 0,0 29,29' -draw 'rectangle 270,90 299,119' \
  "BMP3:$WORK/skin/round/round.bmp"
sjis_file "$WORK/skin/round/skin.ini" '[Skin]' 'SkinName=round.bmp' 'IconTop=40' 'IconLeft=250' \
  'ListTop=40' 'ListLeft=40' 'ListWidth=180' 'ExplanationTop=70' 'ExplanationLeft=40' \
  'ExplanationWidth=180' 'TransparentColor=clWhite'
sjis_file "$WORK/tblaunch.ini" '[Window]' 'SelectedSkinName=round'
start_wayland_launcher

wayland_window_rect "$LAUNCHER_PID"
[ "$W" -eq 300 ] && [ "$H" -eq 120 ] || fail "the skinned window is $W × $H, not 300 × 120"
colour_at() { [ "$(wayland_pixel "$2" "$3")" = "$1" ]; }
wait_until 10 colour_at 3060C0 $((X + 150)) $((Y + 10)) \
  || fail "the skin's picture did not appear: $(wayland_pixel $((X + 150)) $((Y + 10)))"
cp "$RUN/screen.png" "$(dirname "$PROGRAM")/sway_skin.png"
for spot in "5 5" "295 115"; do
  read -r dx dy <<<"$spot"
  colour=$(wayland_pixel $((X + dx)) $((Y + dy)))
  [ "$colour" = "$BACKGROUND" ] || fail "the cut corner at ($dx, $dy) shows $colour, not the desktop"
done
colour_at 3060C0 $((X + 100)) $((Y + 100)) || fail "the picture is not whole"
echo "PASS"
