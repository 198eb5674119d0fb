#!/usr/bin/env bash
# Takes the README's screenshots of the window on a real X server (Xvfb), as a user sees it:
# Greek and English, the hyperbola off and on, and a zoomed view. Needs xvfb, xdotool and
# imagemagick.
# Usage: docs/screenshots.sh [path to kymata]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
kymata=${1:-$here/../build/src/kymata}
display=:97
Xvfb $display -screen 0 1600x900x24 -dpi 96 -nolisten tcp &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
unset QT_QPA_PLATFORM
"$kymata" &
app=$!
sleep 2
shot() { import -window root "$here/$1"; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.7; }
# Positions of the controls in a 1600 x 900 window at 96 dpi (the start-up layout).
hyperbola=(935 34)
english=(850 136)
greek=(850 99)
shot window-greek.png
click "${hyperbola[@]}"; shot window-greek-hyperbola.png
click "${english[@]}"; shot window-english-hyperbola.png
click "${hyperbola[@]}"; shot window-english.png
# The lens, zoomed about the cursor with the mouse wheel.
xdotool mousemove 440 330
for _ in 1 2 3 4 5 6; do xdotool click 4; sleep 0.2; done
sleep 0.5; shot window-zoomed.png
