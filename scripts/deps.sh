#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Runs apt-get only when something is missing, so a ready machine is not touched.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev zip unzip libarchive-tools
  libcairo2-dev libpango1.0-dev fonts-dejavu-core
  # The wx host of interactive runs (it alone links these).
  libwxgtk3.2-dev libx11-dev
  # The X11 tests: a private server, a window manager, input, screenshots,
  # the clipboard's other end, and fonts that do not vary by machine.
  xvfb openbox xdotool imagemagick xclip x11-utils
  # Start-up time of the program, measured side by side.
  hyperfine
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
