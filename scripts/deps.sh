#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the examples need,
# when missing, and the locale the number-format tests compare against.
# Runs apt-get only when something is missing, so a ready machine is not
# touched; nothing is assumed present beyond a minimal Debian 12.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev
  # The zip tests check our archives with other tools; python3 writes the
  # archives they compare against.
  zip unzip libarchive-tools python3
  # The manual page test renders the page.
  man-db
  # The number-format tests prove that the user's locale changes nothing.
  locales
  # The drawing layer: Cairo surfaces, Pango text, and the dialog font
  # (DejaVu Sans Condensed is in the extra set).
  libcairo2-dev libpango1.0-dev fonts-dejavu-core fonts-dejavu-extra
  # The wx host of interactive runs (it alone links these).
  libwxgtk3.2-dev libx11-dev
  # The X11 tests: a private server, a window manager, input, screenshots
  # and the clipboard's other end.
  xvfb openbox xdotool imagemagick xclip x11-utils
  # Start-up time of the program, measured side by side.
  hyperfine
)
packages+=("$@")
# The locale those tests switch to (the decimal comma).
test_locale=de_DE.UTF-8

if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # Another apt-get on this machine (a second build) is waited for, not failed.
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix "${test_locale/UTF-8/utf8}"; then
  echo "Generating the locale $test_locale"
  $sudo sed -i "s/^# *\(${test_locale} UTF-8\)/\1/" /etc/locale.gen
  grep -q "^${test_locale} UTF-8" /etc/locale.gen || echo "${test_locale} UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
