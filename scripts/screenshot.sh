#!/usr/bin/env bash
# Takes a screenshot of the real program on a virtual X server, optionally after clicking
# at points of the window (real X events).
# usage: scripts/screenshot.sh PROGRAM OUTPUT.png [--scale N] [--click X,Y]...
set -euo pipefail
program=$1
output=$2
shift 2
scale=1
clicks=()
while [ $# -gt 0 ]; do
    case $1 in
        --scale) scale=$2; shift 2 ;;
        --click) clicks+=("$2"); shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r number <&"$fd"
export DISPLAY=:$number

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$program" 2>/dev/null &
app=$!
window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --classname prince-trials 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "no window appeared" >&2; kill "$app"; exit 1; }
sleep 0.3
for point in "${clicks[@]}"; do
    xdotool mousemove --window "$window" --sync "${point%,*}" "${point#*,}" click 1
    sleep 0.2
done
xdotool mousemove 1000 700
sleep 0.3
import -window "$window" "$output"
kill "$app"
wait "$app" 2>/dev/null || true
echo "wrote $output"
