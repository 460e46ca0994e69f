#!/usr/bin/env bash
# A skin shapes the window: chosen from the menu, a 300 × 120 bitmap whose corners are the
# transparent colour shows the desktop through its cut corners; "default" makes the window
# rectangular again; the next start applies the chosen skin once more.
source "$(dirname "$0")/lib.sh"

start_display
mkdir -p "$WORK/skin/round"
# Blue with white corners; the input line, the icon and the description placed on it.
convert -size 300x120 xc:'#3060c0' -fill white \
  -draw 'rectangle 0,0 29,29' -draw 'rectangle 270,90 299,119' \
  "BMP3:$WORK/skin/round/round.bmp"
sjis_file "$WORK/skin/round/skin.ini" '[Skin]' 'SkinName=round.bmp' 'IconTop=40' 'IconLeft=250' \
  'ListTop=40' 'ListLeft=40' 'ListWidth=180' 'ExplanationTop=70' 'ExplanationLeft=40' \
  'ExplanationWidth=180' 'TransparentColor=clWhite'
start_launcher
window_origin "$WINDOW"

blue_at() { [ "$(pixel "$1" "$2")" = "3060C0" ]; }
not_blue_at() { ! blue_at "$1" "$2"; }

# The skin submenu is the eighth item of the menu; it opens on its first item, the only
# skin, and Up from there wraps round to "default".
choose_skin() { main_menu Down Down Down Down Down Down Down Down Right "$@" Return; }
choose_skin
wait_until 10 blue_at $((X + 150)) $((Y + 10)) || fail "the skin's picture did not appear"
window_origin "$WINDOW"
screenshot "$(dirname "$PROGRAM")/skin.png"
corner=$(pixel $((X + 5)) $((Y + 5)))
[ "$corner" = "000000" ] || fail "the cut corner shows $corner, not the desktop"
blue_at $((X + 100)) $((Y + 100)) || fail "the picture is not whole: $(pixel $((X + 100)) $((Y + 100)))"
[ "$(pixel $((X + 295)) $((Y + 115)))" = "000000" ] || fail "the bottom right corner is not cut"

choose_skin Up
wait_until 10 not_blue_at $((X + 150)) $((Y + 10)) || fail "default left the picture"
window_origin "$WINDOW"
[ "$(pixel $((X + 2)) $((Y + 2)))" != "000000" ] || fail "default left the window shaped"
grep -a -q 'SelectedSkinName=default' "$WORK/tblaunch.ini" || fail "default was not written"

# Chosen again, the skin comes back with the next start.
choose_skin
wait_until 10 blue_at $((X + 150)) $((Y + 10)) || fail "the skin did not come back"
exit_launcher
start_launcher
window_origin "$WINDOW"
wait_until 10 blue_at $((X + 150)) $((Y + 10)) || fail "the skin was not applied at start-up"
echo "PASS"
