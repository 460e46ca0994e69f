#!/usr/bin/env bash
# Starts the launcher from the build folder, which then holds its data, data.lst, skin
# and ini file. Without a display it runs on a virtual one for a few seconds and saves a
# screenshot to <build>/screenshot.png.
set -euo pipefail
build=${1:-build}
program="$build/tblaunch"

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

exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
pids+=("$xvfb_pid")
read -r display_number <&3
export DISPLAY=":$display_number"

openbox >/dev/null 2>&1 & pids+=("$!")
(cd "$build" && exec ./tblaunch) & pids+=("$!")
for _ in $(seq 1 50); do
  xdotool search --name "tobio's launcher" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 2
xwininfo -root -tree | grep -i tobio || true
import -window root "$build/screenshot.png"
echo "run: screenshot saved to $build/screenshot.png"
