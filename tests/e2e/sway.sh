# Steps of the end-to-end tests on a Wayland desktop: a headless sway run by an unprivileged
# user (sway refuses root), with its own runtime folder and session bus; the real program in a
# fresh portable folder owned by that user; typing through wtype, the window tree through
# swaymsg, screenshots through grim. Sourced after lib.sh, whose cleanup ends every process in
# PIDS by its PID.
USER_ID=65534
RUN=$WORK/run
APP_ID=example.tobio.tblaunch
BACKGROUND=204080

command -v sway >/dev/null || fail "sway is not installed (scripts/install-deps.sh)"

# The environment every program of the desktop gets; the display and sway's socket are added
# once sway is up. No platform is named: the launcher takes Wayland's by WAYLAND_DISPLAY.
USER_ENV=(HOME="$WORK/home" XDG_RUNTIME_DIR="$RUN" PATH=/usr/local/bin:/usr/bin:/bin
  LANG="${LANG:-C.UTF-8}" DBUS_SESSION_BUS_ADDRESS="unix:path=$RUN/bus")

# Runs a command as the desktop's user with the desktop's environment only.
as_user() {
  setpriv --reuid=$USER_ID --regid=$USER_ID --clear-groups env -i "${USER_ENV[@]}" "$@"
}

# Starts a program as the desktop's user in the background, its PID (the program's own, as
# setpriv and env exec it) in BG_PID and in PIDS.
as_user_bg() {
  setpriv --reuid=$USER_ID --regid=$USER_ID --clear-groups env -i "${USER_ENV[@]}" "$@" &
  BG_PID=$!
  PIDS+=("$BG_PID")
}

# Hands the work folder and all in it to the desktop's user; files written later by the test
# itself need it again.
own_work() {
  chown -R $USER_ID:$USER_ID "$WORK"
}

# The windows the rule of start_sway floats: all the launcher's by default; a test of how its
# other windows come out sets the criteria of the main window alone, as --shortcut-help has it.
SWAY_FLOAT_CRITERIA="app_id=\"$APP_ID\""

# Starts the session bus and sway. The bus starts no services on demand (it has no service
# folders), so that nothing runs that the test did not start itself and cannot end by its PID.
# Logo+Space runs the portable folder's summon command with --show. The launcher floats with
# no border, so that its window's rectangle in the tree is its client area.
start_sway() {
  mkdir -p "$RUN" "$WORK/home"
  chmod 755 "$WORK"
  chmod 700 "$RUN"
  {
    echo "xwayland disable"
    echo "output * bg #$BACKGROUND solid_color"
    echo "default_border none"
    echo "default_floating_border none"
    echo "for_window [$SWAY_FLOAT_CRITERIA] floating enable"
    echo "bindsym Mod4+space exec $WORK/tblaunch-summon --show"
  } >"$WORK/sway.conf"
  cat >"$WORK/bus.conf" <<CONF
<busconfig>
  <type>session</type>
  <listen>unix:path=$RUN/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  own_work
  as_user_bg dbus-daemon --config-file="$WORK/bus.conf" --nofork --nopidfile >"$WORK/dbus.log" 2>&1
  wait_until 10 test -S "$RUN/bus" || fail "no session bus for user $USER_ID: $(cat "$WORK/dbus.log")"
  as_user_bg env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$WORK/sway.conf" >"$WORK/sway.log" 2>&1
  SWAY_PID=$BG_PID
  sway_up() {
    kill -0 "$SWAY_PID" 2>/dev/null || fail "sway ended: $(tail -n 20 "$WORK/sway.log")"
    [ -S "$RUN/wayland-1" ] && compgen -G "$RUN/sway-ipc.*.sock" >/dev/null
  }
  wait_until 15 sway_up || fail "sway did not come up: $(tail -n 20 "$WORK/sway.log")"
  USER_ENV+=(WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$(compgen -G "$RUN/sway-ipc.*.sock")")
  wait_until 10 as_user swaymsg -t get_version >/dev/null 2>&1 || fail "sway does not answer"
}

# The launcher's windows in sway's tree, one line each: "PID focused|unfocused X Y WIDTH
# HEIGHT" for each one shown on the current workspace. A hidden window is unmapped: it is not
# in the tree at all.
launcher_windows() {
  as_user swaymsg -r -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    if node.get("app_id") == sys.argv[1] and node["visible"]:
        r = node["rect"]
        print(node["pid"], "focused" if node["focused"] else "unfocused",
              r["x"], r["y"], r["width"], r["height"])
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))' "$APP_ID"
}

# The launcher's window whose title the pattern $1 matches in sway's tree: "floating|tiled X Y
# WIDTH HEIGHT", or nothing when none is shown.
titled_window() {
  as_user swaymsg -r -t get_tree | /usr/bin/python3 -c '
import json, re, sys
def walk(node, floating):
    if (node.get("app_id") == sys.argv[1] and re.fullmatch(sys.argv[2], node.get("name") or "")
            and node["visible"]):
        r = node["rect"]
        print("floating" if floating else "tiled", r["x"], r["y"], r["width"], r["height"])
    for child in node.get("nodes", []):
        walk(child, floating)
    for child in node.get("floating_nodes", []):
        walk(child, True)
walk(json.load(sys.stdin), False)' "$APP_ID" "$1"
}

# The state of the window of the launcher with PID $1: "focused", "unfocused" or "absent".
window_state() {
  local state
  state=$(launcher_windows | awk -v pid="$1" '$1 == pid { print $2 }')
  echo "${state:-absent}"
}
focused() { [ "$(window_state "$1")" = focused ]; }
absent() { [ "$(window_state "$1")" = absent ]; }

# Copies the program and its summon command into the work folder (a portable copy).
portable_copy() {
  local folder=${1:-$WORK}
  mkdir -p "$folder"
  cp "$PROGRAM" "$(dirname "$PROGRAM")/tblaunch-summon" "$(dirname "$PROGRAM")/tblaunch-applications" \
    "$folder/"
  own_work
}

# Starts the launcher of the folder $1 (the work folder by default) and sets LAUNCHER_PID.
start_wayland_launcher() {
  local folder=${1:-$WORK}
  own_work
  cd "$folder"
  as_user_bg ./tblaunch >>"$folder/launcher.log" 2>&1
  cd - >/dev/null
  LAUNCHER_PID=$BG_PID
  wait_until 15 focused "$LAUNCHER_PID" || fail "the launcher did not come with the focus: \
$(launcher_windows; cat "$folder/launcher.log")"
}

# Types through one wtype process: keys, modifiers, pauses as wtype takes them.
wtype_keys() {
  as_user wtype "$@" || fail "wtype $* failed"
}

# The summon command of the work folder, as the desktop's user: summon OPTION
summon() {
  (cd "$WORK" && as_user ./tblaunch-summon "$1") >>"$WORK/summon.log" 2>&1
}

# The colour of a pixel of the whole desktop as RRGGBB (upper-case hexadecimal).
wayland_pixel() {
  as_user grim "$RUN/screen.png" || fail "grim failed"
  convert "$RUN/screen.png" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | cut -c1-6
}

# Sets X, Y, W and H to the rectangle of the launcher window with PID $1 on the desktop.
wayland_window_rect() {
  read -r X Y W H < <(launcher_windows | awk -v pid="$1" '$1 == pid { print $3, $4, $5, $6 }')
  [ -n "${H:-}" ] || fail "no window of process $1"
}

# The summon command of the work folder in the background, for when it is to become the
# launcher (it execs the program beside it): sets LAUNCHER_PID.
summon_start() {
  cd "$WORK"
  as_user_bg ./tblaunch-summon "$1" >>"$WORK/launcher.log" 2>&1
  cd - >/dev/null
  LAUNCHER_PID=$BG_PID
}

# A notification area host on the desktop's session bus (sni_watcher.py): the launcher's
# icon registers with it, and the launcher hides when it loses the focus only with an icon
# to come back by. Items that register are written to $WORK/items.
start_watcher() {
  as_user_bg /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sni_watcher.py" "$WORK/items" \
    >"$WORK/watcher.log" 2>&1
  watcher_up() {
    as_user dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
      org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher 2>/dev/null \
      | grep -q 'boolean true'
  }
  wait_until 10 watcher_up || fail "the notification area host did not start: $(cat "$WORK/watcher.log")"
}
