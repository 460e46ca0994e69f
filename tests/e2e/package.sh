#!/usr/bin/env bash
# The .deb: built with CPack from the build folder, unpacked into a throw-away root, its
# control fields and files where the freedesktop and Debian conventions put them; then the
# program installed there starts with a fresh HOME, calculates, and finds its help in the
# installed share folder.
source "$(dirname "$0")/lib.sh"
BUILD=$(dirname "$PROGRAM")

(cd "$BUILD" && cpack -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1) || fail "cpack: $(tail -5 "$WORK/cpack.log")"
DEB=$(ls "$WORK"/pkg/tblaunch_*_amd64.deb)
dpkg-deb -x "$DEB" "$WORK/root"
control=$(dpkg-deb -I "$DEB")
for field in 'Package: tblaunch' 'Version: 1.2.0.5' 'Depends: .*libqt6widgets6' 'Depends: .*xchm' \
  'Description: keyword launcher for the desktop'; do
  grep -q "$field" <<<"$control" || fail "control lacks '$field': $control"
done
for file in bin/tblaunch share/applications/tblaunch.desktop share/tblaunch/tblaunch.chm \
  share/icons/hicolor/scalable/apps/tblaunch.svg share/icons/hicolor/16x16/apps/tblaunch.png \
  share/icons/hicolor/256x256/apps/tblaunch.png share/doc/tblaunch/copyright \
  share/man/man1/tblaunch.1.gz; do
  [ -f "$WORK/root/usr/$file" ] || fail "the package lacks /usr/$file"
done
desktop-file-validate "$WORK/root/usr/share/applications/tblaunch.desktop" \
  || fail "the desktop entry does not validate"
lintian --fail-on error "$DEB" >"$WORK/lintian.log" 2>&1 || fail "lintian: $(cat "$WORK/lintian.log")"
[ "$("$WORK/root/usr/bin/tblaunch" --version)" = "tblaunch 1.2.0.5" ] || fail "--version"

start_display
mkdir -p "$WORK/home"
HOME="$WORK/home" "$WORK/root/usr/bin/tblaunch" >"$WORK/installed.log" 2>&1 &
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
type_text "/help"
key Return
viewer_on_installed_help() { pgrep -af xchm 2>/dev/null | grep -q "$WORK/root/usr/share/tblaunch/tblaunch.chm"; }
wait_until 20 viewer_on_installed_help || fail "/help did not open the installed help: $(pgrep -af xchm)"
pkill -f "xchm $WORK" 2>/dev/null || true
echo "PASS"
