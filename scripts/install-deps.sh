#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running the launcher need.
# Only what is missing is installed; safe to run again; works as root or through sudo.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins libqt6svg6
  libxcb1-dev libxcb-keysyms1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # running: Japanese font, icon theme, desktop handlers
  fonts-ipafont-gothic adwaita-icon-theme hicolor-icon-theme xdg-utils shared-mime-info
  # Qt's own texts in Japanese
  qt6-translations-l10n
  # tests under a virtual display
  xvfb xauth openbox xdotool xclip x11-utils imagemagick dbus dbus-x11 trayer python3-dbusmock
  # a real input method for typing Japanese (Qt's ibus plugin comes with libqt6gui6)
  ibus ibus-anthy
  # side-by-side latency harness and its baseline
  libx11-dev libxdamage-dev libxtst-dev gcc suckless-tools
  # fuzzing (make fuzz): clang with libFuzzer and the sanitizer runtimes; llvm-symbolizer for stacks
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq || true
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
