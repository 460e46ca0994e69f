#!/usr/bin/env bash
# On a Wayland desktop, the icon in the notification area is a StatusNotifierItem: it
# registers with the desktop's host when the host comes after the launcher (a panel slow at
# login) and again when the host restarts, and activating it brings the hidden launcher back
# with the focus.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway.sh"

start_sway
portable_copy
start_wayland_launcher
registrations() { [ -f "$WORK/items" ] && wc -l <"$WORK/items" || echo 0; }
registered() { [ "$(registrations)" -ge "$1" ]; }
start_watcher
wait_until 10 registered 1 || fail "the icon did not register with a host that came later: \
$(cat "$WORK/launcher.log")"
kill "$BG_PID"
wait_until 5 sh -c "! kill -0 $BG_PID 2>/dev/null" || fail "the host did not end"
start_watcher
wait_until 10 registered 2 || fail "the icon did not register again with the restarted host"
read -r sender service < <(tail -n 1 "$WORK/items")
# An item names its bus name, or its object path on the sender's connection.
path=/StatusNotifierItem
if [[ $service == /* ]]; then path=$service service=$sender; fi

# A right click is the host's: it shows the item's own menu, the shortened one.
menu=$(as_user dbus-send --session --print-reply --dest="$service" "$path" \
  org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem string:Menu \
  | sed -n 's/.*object path "\(.*\)"/\1/p')
[ -n "$menu" ] && [ "$menu" != /NO_DBUSMENU ] || fail "the icon offers no menu of its own"
layout=$(as_user dbus-send --session --print-reply --dest="$service" "$menu" \
  com.canonical.dbusmenu.GetLayout int32:0 int32:-1 array:string:)
grep -q 'ランチャーの終了' <<<"$layout" || fail "the icon's menu lacks the exit command: $layout"
grep -q '登録画面をひらく' <<<"$layout" || fail "the icon's menu lacks the registration"
! grep -q 'ロック\|選択したのを消す' <<<"$layout" || fail "the icon's menu is not the shortened one"

summon --hide
wait_until 5 absent "$LAUNCHER_PID" || fail "--hide left the launcher shown"
as_user dbus-send --session --print-reply --dest="$service" "$path" \
  org.kde.StatusNotifierItem.Activate int32:0 int32:0 >/dev/null || fail "the icon took no Activate"
wait_until 5 focused "$LAUNCHER_PID" || fail "activating the icon did not bring the launcher with \
the focus: $(launcher_windows)"
echo "PASS"
