#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those
# that are missing: when everything is there it returns at once.
set -euo pipefail

packages=(
    # build
    cmake g++ make qt6-base-dev
    # the window's font: a metric-compatible stand-in for Times New Roman
    fonts-liberation2 fontconfig
    # tests that run the real program on an X server and read it as a screen reader does,
    # and the screenshot script
    xvfb xauth xdotool x11-utils imagemagick strace
    python3 python3-xlib python3-gi gir1.2-atspi-2.0 at-spi2-core dbus
    # checks of the desktop entry, AppStream data and the Windows resource script
    desktop-file-utils appstream binutils-mingw-w64-i686 mingw-w64-i686-dev cpp
    # packaging
    dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
