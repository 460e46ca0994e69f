#!/usr/bin/env bash
# Start-up of build/tblaunch with a 300 × 120 skin applied at start-up beside start-up
# without one, both at 10,000 keywords, measured from outside with the shared harness.
# Usage: bench/skin-startup.sh [build] [extra harness options...]
source "$(dirname "$0")/lib.sh"
shift || true

cases=()
for look in plain skinned; do
  keyword_folder 10000 "$work/$look"
  cases+=(--case "$look" --match class:tblaunch --cmd "$work/$look/tblaunch")
done
# A 24-bit bitmap with its corners in the transparent colour, the controls placed on it.
mkdir -p "$work/skinned/skin/round"
convert -size 300x120 xc:'#3060c0' -fill white -draw 'rectangle 0,0 29,29' \
  -draw 'rectangle 270,90 299,119' "BMP3:$work/skinned/skin/round/round.bmp"
printf '%s\r\n' '[Skin]' 'SkinName=round.bmp' 'IconTop=40' 'IconLeft=250' 'ListTop=40' \
  'ListLeft=40' 'ListWidth=180' 'ExplanationTop=70' 'ExplanationLeft=40' \
  'ExplanationWidth=180' 'TransparentColor=clWhite' > "$work/skinned/skin/round/skin.ini"
printf '%s\r\n' '[Window]' 'SelectedSkinName=round' > "$work/skinned/tblaunch.ini"

# A session bus of its own, so the program's tray lookup finds one and starts none.
dbus-run-session -- "$tools/startup-latency.sh" -n "${RUNS:-15}" --wm openbox \
  --out "$build/bench-skin-startup" "$@" "${cases[@]}"
