#!/usr/bin/env bash
# Starts the launcher from the build folder, which then holds its data, data.lst, skin
# and ini file. Without a display it runs on a virtual one for a few seconds and saves a
# screenshot to <build>/screenshot.png.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)

if [ -n "${DISPLAY:-}" ]; then
  cd "$build" && exec ./tblaunch
fi

# Everything below runs inside one private D-Bus session that ends with this script.
if [ -z "${TB_RUN_IN_SESSION:-}" ]; then
  export TB_RUN_IN_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi

echo "run: no display; starting the launcher on a virtual display (Xvfb) for a few seconds"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT INT TERM

exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!")
read -r xvfb_pid <&3
pids+=("$xvfb_pid")
read -r display_number <&3
export DISPLAY=":$display_number"

openbox --sm-disable >/dev/null 2>&1 & pids+=("$!")
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

(cd "$build" && exec ./tblaunch) & pids+=("$!")
for _ in $(seq 1 100); do
  xdotool search --onlyvisible --name "^tobio's launcher\$" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 3
import -window root "$build/screenshot.png"
echo "run: screenshot saved to $build/screenshot.png"
