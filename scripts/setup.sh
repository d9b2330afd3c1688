#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, and only those that are missing:
# when everything is there it returns at once.
#   setup.sh run    building and running the program
#   setup.sh test   that, and the tools of the tests, benchmarks and package checks
set -euo pipefail

run=(
    cmake g++ make qt6-base-dev
    # the window's font, a metric-compatible stand-in for Times New Roman, and the toolkit's
    # own texts in Bulgarian
    fonts-liberation2 fontconfig qt6-translations-l10n
)
test=(
    # tests that run the real program on an X server, read it as a screen reader does and
    # try it under a dark desktop scheme; the screenshot script
    xvfb xauth xdotool x11-utils imagemagick strace qt6-gtk-platformtheme
    python3 python3-xlib python3-gi gir1.2-atspi-2.0 at-spi2-core dbus
    # checks of the desktop entry, AppStream data and the Windows resource script
    desktop-file-utils appstream binutils-mingw-w64-i686 mingw-w64-i686-dev cpp
    # the Debian package and its policy check
    dpkg-dev file lintian
)

case ${1:-} in
    run) packages=("${run[@]}") ;;
    test) packages=("${run[@]}" "${test[@]}") ;;
    *) echo "usage: setup.sh run|test" >&2; exit 2 ;;
esac

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
