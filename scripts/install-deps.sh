#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running the launcher need.
# Only what is missing is installed; safe to run again; works as root or through sudo.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins libqt6svg6
  # the native client on Wayland desktops (Qt's wayland platform plugin)
  qt6-wayland
  libxcb1-dev libxcb-keysyms1-dev libxkbcommon-dev
  # kanji keywords read as kana (libkakasi2-dev; its dictionary, kakasi-dic, at run time too)
  libkakasi2-dev kakasi-dic
  # the desktop's installed applications read and launched through GLib's GDesktopAppInfo
  libglib2.0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # the help file: chmcmd, the HTML help compiler of the Free Pascal utilities
  fp-utils-3.2.2
  # the icons drawn from their SVG; the package's checks
  librsvg2-bin desktop-file-utils lintian
  # running: Japanese font, icon theme, desktop handlers
  fonts-ipafont-gothic adwaita-icon-theme hicolor-icon-theme xdg-utils shared-mime-info
  # the help: a CHM viewer, and file, by which xdg-open tells a .chm file's type outside a desktop
  xchm file
  # Qt's own texts in Japanese
  qt6-translations-l10n
  # tests under a virtual display
  xvfb xauth openbox xdotool xclip x11-utils imagemagick dbus dbus-x11 trayer python3-dbusmock procps
  # gdbus, by which the stand-in portal checks itself (tests/platform/mock_portal_selftest.sh)
  libglib2.0-bin
  # the shells whose use of the printed GNOME commands is tested (tests/platform/ShortcutHelpTest.cpp)
  zsh
  # tests on a Wayland desktop: a headless compositor with its background, typing, screenshots
  sway swaybg wtype grim
  # and a pointer for them: a small client of wlroots' virtual pointer protocol (tests/e2e)
  libwayland-dev
  # reading texts off the windows through the accessibility bus (tests/e2e/accessible.py)
  at-spi2-core python3-gi gir1.2-atspi-2.0
  # a real input method for typing Japanese (Qt's ibus plugin comes with libqt6gui6)
  ibus ibus-anthy
  # side-by-side latency harness and its baseline
  libx11-dev libxdamage-dev libxtst-dev gcc suckless-tools
  # the soak benchmark's count of a client's X resources
  xrestop
  # fuzzing (make fuzz): clang with libFuzzer and the sanitizer runtimes; llvm-symbolizer for stacks
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  "${sudo[@]}" apt-get update -qq || true
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The help command opens tblaunch.chm through xdg-open. Installing xchm names no default for
# CHM files, so a desktop may pick another viewer, or none: xchm becomes the system-wide
# default (the administrator's mimeapps.list), unless a default for CHM files (under either
# of its type names) is named there already.
mimeapps=/etc/xdg/mimeapps.list
if ! { [ -f "$mimeapps" ] && awk '
    /^\[/ { defaults = ($0 == "[Default Applications]") }
    defaults && /^application\/(vnd\.ms-htmlhelp|x-chm)=/ { found = 1 }
    END { exit !found }' "$mimeapps"; }; then
  echo "install-deps: CHM files opened by xchm by default ($mimeapps)"
  # Added at the end of the [Default Applications] section, made when there is none.
  updated=$(mktemp)
  { [ -f "$mimeapps" ] && cat "$mimeapps"; true; } | awk '
    function add() { print "application/vnd.ms-htmlhelp=xchm.desktop"; print "application/x-chm=xchm.desktop"; done = 1 }
    /^\[/ { if (defaults && !done) add(); defaults = ($0 == "[Default Applications]") }
    /^$/ { blanks++; next }
    { for (; blanks; blanks--) print ""; print }
    END { if (!done) { if (!defaults) print "[Default Applications]"; add() } }' >"$updated"
  "${sudo[@]}" install -D -m 644 "$updated" "$mimeapps"
  rm -f "$updated"
fi
