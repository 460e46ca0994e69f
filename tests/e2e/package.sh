#!/usr/bin/env bash
# The .deb: built with CPack from the build folder, unpacked into a throw-away root, its
# control fields and files where the freedesktop and Debian conventions put them; then the
# program installed there starts with a fresh HOME, keeps its data in the XDG folders though
# it could write its own folder (as root can /usr/bin), calculates, finds its help in the
# installed share folder, and shows Qt's own texts in Japanese.
source "$(dirname "$0")/lib.sh"
BUILD=$(dirname "$PROGRAM")

(cd "$BUILD" && cpack -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1) || fail "cpack: $(tail -5 "$WORK/cpack.log")"
DEB=$(ls "$WORK"/pkg/tblaunch_*_amd64.deb)
dpkg-deb -x "$DEB" "$WORK/root"
control=$(dpkg-deb -I "$DEB")
for field in 'Package: tblaunch' 'Version: 1.2.0.5' 'Depends: .*libqt6widgets6' 'Depends: .*xchm' \
  'Depends: .*qt6-wayland' 'Depends: .*qt6-translations-l10n' 'Description: keyword launcher for the desktop'; do
  grep -q "$field" <<<"$control" || fail "control lacks '$field': $control"
done
for file in bin/tblaunch bin/tblaunch-summon libexec/tblaunch/tblaunch-applications share/applications/example.tobio.tblaunch.desktop share/tblaunch/tblaunch.chm \
  share/icons/hicolor/scalable/apps/example.tobio.tblaunch.svg share/icons/hicolor/16x16/apps/example.tobio.tblaunch.png \
  share/icons/hicolor/256x256/apps/example.tobio.tblaunch.png share/doc/tblaunch/copyright \
  share/man/man1/tblaunch.1.gz; do
  [ -f "$WORK/root/usr/$file" ] || fail "the package lacks /usr/$file"
done
desktop-file-validate "$WORK/root/usr/share/applications/example.tobio.tblaunch.desktop" \
  || fail "the desktop entry does not validate"
lintian --fail-on error "$DEB" >"$WORK/lintian.log" 2>&1 || fail "lintian: $(cat "$WORK/lintian.log")"
[ "$("$WORK/root/usr/bin/tblaunch" --version)" = "tblaunch 1.2.0.5" ] || fail "--version"

start_display
mkdir -p "$WORK/home"
# Qt's accessibility bridge on, so that the windows' texts can be read back.
# One installed application, which only the installed helper can read for it.
mkdir -p "$WORK/system/applications"
printf '[Desktop Entry]\nType=Application\nName=Quokka Viewer\nComment=Views quokkas\nExec=true\n' \
  >"$WORK/system/applications/quokka.desktop"
HOME="$WORK/home" XDG_DATA_HOME="$WORK/home/data" XDG_CONFIG_HOME="$WORK/home/config" \
  XDG_DATA_DIRS="$WORK/system:/usr/local/share:/usr/share" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  "$WORK/root/usr/bin/tblaunch" >"$WORK/installed.log" 2>&1 &
LAUNCHER_PID=$!
PIDS+=("$LAUNCHER_PID")
wait_until 15 launcher_shown || fail "the installed program did not appear: $(cat "$WORK/installed.log")"
WINDOW=$(launcher_window)
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
type_text "1+2"
key Return
three() { [ "$(clipboard)" = "3" ]; }
wait_until 5 three || fail "1+2 gave '$(clipboard)'"

key ctrl+a BackSpace
type_text "quok"
expect_description "Quokka Viewer — Views quokkas"

key ctrl+a BackSpace
type_text "/help"
key Return
viewer_on_installed_help() { pgrep -af xchm 2>/dev/null | grep -q "$WORK/root/usr/share/tblaunch/tblaunch.chm"; }
wait_until 20 viewer_on_installed_help || fail "/help did not open the installed help: $(pgrep -af xchm)"
pkill -f "xchm $WORK" 2>/dev/null || true

# The data went to the XDG folders, nothing beside the installed program.
[ -d "$WORK/home/data/tblaunch/skin" ] || fail "no skin folder in XDG_DATA_HOME: $(ls -R "$WORK/home")"
[ "$(ls -A "$WORK/root/usr/bin" | tr '\n' ' ')" = "tblaunch tblaunch-summon " ] \
  || fail "written beside the program: $(ls -A "$WORK/root/usr/bin")"

# The installed summon command finds the installed launcher's data folder by itself: with the
# program it would fall back on moved away, only the running launcher can answer.
installed_summon() {
  HOME="$WORK/home" XDG_DATA_HOME="$WORK/home/data" "$WORK/root/usr/bin/tblaunch-summon" "$1" \
    || fail "the installed tblaunch-summon $1 failed"
}
mv "$WORK/root/usr/bin/tblaunch" "$WORK/tblaunch.away"
installed_summon --hide
wait_until 5 launcher_hidden || fail "the installed tblaunch-summon --hide left the launcher shown"
installed_summon --show
wait_until 5 launcher_shown || fail "the installed tblaunch-summon --show did not bring the launcher"
mv "$WORK/tblaunch.away" "$WORK/root/usr/bin/tblaunch"

# The file chooser of the registration dialog: Qt's title and standard button in Japanese.
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
key ctrl+a BackSpace
open_new_registration
xdotool mousemove --window "$DIALOG" 56 98 click 1
chooser_shown() { xdotool search --onlyvisible --name '^開く$' >/dev/null 2>&1; }
wait_until 10 chooser_shown || fail "no file chooser titled 開く: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null)"
cancel_in_japanese() {
  /usr/bin/python3 "$(dirname "$0")/accessible.py" "$LAUNCHER_PID" >"$WORK/accessible.txt" 2>&1
  grep -qP '^開く\tpush button\tキャンセル$' "$WORK/accessible.txt"
}
wait_until 15 cancel_in_japanese || fail "the chooser's buttons: $(grep -P '^開く\tpush button' "$WORK/accessible.txt" || cat "$WORK/accessible.txt")"
echo "PASS"
