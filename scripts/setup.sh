#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, and only those that are missing:
# when everything is there it returns at once.
#   setup.sh run      building and running the program
#   setup.sh windows  that, and the cross compiler for the Windows build
#   setup.sh web      the compiler for the page (emscripten), with what the build runs
#   setup.sh test     all of these, and the tools of the tests, benchmarks and package checks:
#                     Wine among them (its 32-bit part needs dpkg's i386 architecture, added
#                     here), and three browsers
#   setup.sh release  run, windows and web, and the tools of a release's own checks
set -euo pipefail

run=(
    cmake g++ make qt6-base-dev
    # the window's font, a metric-compatible stand-in for Times New Roman, and the toolkit's
    # own texts in Bulgarian
    fonts-liberation2 fontconfig qt6-translations-l10n
)
windows=(
    # the native 32-bit Windows executable, cross-compiled
    g++-mingw-w64-i686
)
web=(
    # the page, compiled to WebAssembly; its build bakes the icon with the build machine's
    # compiler and Qt, and finishes the page with Python, inlining the window's font cut down
    # to the letters it shows
    emscripten cmake g++ make qt6-base-dev python3 fonts-liberation2 python3-fonttools python3-brotli
)
test=(
    # tests that run the real program on an X server, read it as a screen reader does and
    # try it under a dark desktop scheme; the screenshot script
    xvfb xauth xdotool x11-utils imagemagick strace qt6-gtk-platformtheme
    python3 python3-xlib python3-gi gir1.2-atspi-2.0 at-spi2-core dbus
    # checks of the desktop entry and AppStream data
    desktop-file-utils appstream
    # the Debian package and its policy check
    dpkg-dev file lintian
    # the Windows build under Wine: its version record and icon read back; where the kernel
    # runs no 32-bit program, the same program built for 64-bit Windows runs under 64-bit Wine
    wine wine32:i386 wine64 g++-mingw-w64-x86-64 python3-pefile icoutils
    # the page in three browsers: two driven through their own remote protocols, one of them
    # also with a wider serif face as the only one; WebKit's MiniBrowser through its WebDriver;
    # its scripts checked
    chromium firefox-esr python3-websocket fonts-dejavu-core nodejs libwebkit2gtk-4.1-0 webkit2gtk-driver python3-selenium
)

release=(
    # the commit a release is of; its package checked with lintian, unpacked and started on
    # an X server; a contest in its page in headless Chromium; its .exe's make-up
    git dpkg-dev file lintian xvfb xauth xdotool x11-utils imagemagick python3 python3-xlib python3-gi
    gir1.2-atspi-2.0 at-spi2-core dbus chromium python3-websocket python3-pefile icoutils
)

case ${1:-} in
    run) packages=("${run[@]}") ;;
    windows) packages=("${run[@]}" "${windows[@]}") ;;
    web) packages=("${web[@]}") ;;
    test) packages=("${run[@]}" "${windows[@]}" "${web[@]}" "${test[@]}") ;;
    release) packages=("${run[@]}" "${windows[@]}" "${web[@]}" "${release[@]}") ;;
    *) echo "usage: setup.sh run|windows|web|test|release" >&2; exit 2 ;;
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
if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
fi
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
