#!/usr/bin/env bash
# The installed applications behind the keywords: a fixture application in a private
# applications folder is reached by the beginning of its name and by the romaji of its Japanese
# name with no input method, and Enter runs it with its Exec's arguments; a keyword with the
# same beginning wins; one installed while the launcher runs is reached without a restart; an
# offered one registered becomes a keyword that opens it.
source "$(dirname "$0")/lib.sh"

start_display
# Qt's accessibility bridge on, so that the description can be read back; a home of this test's
# own, where the session's accessibility bus puts its socket.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 HOME="$WORK/home"
mkdir -p "$HOME"
dbus-update-activation-environment HOME
export XDG_DATA_HOME="$WORK/home-share" XDG_DATA_DIRS="$WORK/system-share" LANGUAGE=ja
APPS="$XDG_DATA_HOME/applications"
mkdir -p "$APPS" "$XDG_DATA_DIRS/applications"
marker_script
desktop_file() { # id name-lines argument
  printf '[Desktop Entry]\nType=Application\n%b\nExec=%s %s %%U\n' "$2" "$WORK/bin/marker.sh" "$3" \
    > "$APPS/$1.desktop"
}
desktop_file scribble 'Name=Scribble\nComment=Draws' scribble
desktop_file calc 'Name=Calculator\nName[ja]=電卓\nComment[ja]=計算を行います' calc
sjis_file "$WORK/data/scratch" "$WORK/bin/marker.sh" "the keyword" "keyword"
sjis_file "$WORK/data.lst" scratch

opened() {
  wait_until 10 test -s "$WORK/marker" || fail "$2 opened nothing"
  [ "$(paste -sd' ' "$WORK/marker")" = "$1" ] || fail "$2 opened '$(cat "$WORK/marker")', not $1"
  rm -f "$WORK/marker"
}

start_launcher
type_text scri
expect_description "Scribble — Draws"
key Return
opened scribble "scri and Enter"

type_text dentaku
expect_description "電卓 — 計算を行います"
key Return
opened calc "dentaku and Enter"

type_text scr
expect_description "the keyword"
key Return
opened keyword "scr and Enter"

# Installed while it runs: reached once the folder changed.
desktop_file fresh 'Name=Freshly Installed' fresh
type_text fresh
expect_description "Freshly Installed"
key Return
opened fresh "fresh and Enter"

# Registered from the offer: the dialog proposes its name, and the keyword opens it.
type_text denta/set
key Return
wait_until 10 registration_shown || fail "denta/set did not open the registration dialog"
DIALOG=$(registration_dialog)
xdotool windowactivate --sync "$DIALOG" >/dev/null 2>&1 || true
confirm_registration
[ "$(iconv -f CP932 -t UTF-8 "$WORK/data.lst" | tr -d '\r' | paste -sd,)" = "scratch,電卓" ] \
  || fail "data.lst: $(cat -A "$WORK/data.lst")"
[ "$(iconv -f CP932 -t UTF-8 "$WORK/data/電卓" | tr -d '\r' | head -n 2 | paste -sd,)" \
  = "$APPS/calc.desktop,計算を行います" ] || fail "entry: $(cat -A "$WORK/data/電卓")"
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
printf '電卓' | xclip -quiet -selection clipboard >/dev/null 2>&1 &
PIDS+=("$!")
key ctrl+v
expect_description "計算を行います"
key Return
opened calc "the registered 電卓 and Enter"
exit_launcher

echo "PASS"
