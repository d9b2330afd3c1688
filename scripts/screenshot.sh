#!/usr/bin/env bash
# Takes a screenshot of the real program on a virtual X server.
# usage: scripts/screenshot.sh PROGRAM OUTPUT.png [SCALE]
set -euo pipefail
program=$1
output=$2
scale=${3:-1}

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

DISPLAY=$display QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$program" &
app=$!
window=
for _ in $(seq 100); do
    window=$(DISPLAY=$display xdotool search --onlyvisible --classname prince-trials 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "no window appeared" >&2; kill "$app"; exit 1; }
sleep 0.5
DISPLAY=$display import -window "$window" "$output"
kill "$app"
wait "$app" 2>/dev/null || true
