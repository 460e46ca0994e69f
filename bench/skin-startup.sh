#!/usr/bin/env bash
# Start-up of build/tblaunch with a 300 × 120 skin applied at start-up beside start-up
# without one, both at 10,000 keywords, measured from outside with the shared harness.
# Usage: bench/skin-startup.sh [build] [extra harness options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
shift || true
tools=${TB_TOOLS:-$root/../shared/tools}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 "$tools/gen-keywords.py" 10000 > "$work/kw.txt"
cases=()
for look in plain skinned; do
  mkdir -p "$work/$look/data"
  sed 's/$/\r/' "$work/kw.txt" > "$work/$look/data.lst"
  cp "$build/tblaunch" "$work/$look/"
  cases+=(--case "$look" --match class:tblaunch --cmd "$work/$look/tblaunch")
done
/usr/bin/python3 - "$work/kw.txt" "$work/plain/data" "$work/skinned/data" <<'PY'
import sys
with open(sys.argv[1]) as words:
    for word in words:
        for folder in sys.argv[2:]:
            with open(f"{folder}/{word.strip()}", "wb") as entry:
                entry.write(b"/usr/bin/true\r\n" + word.strip().encode() + b"\r\n\r\n")
PY
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
