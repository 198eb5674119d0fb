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
kill $app $xvfb 2>/dev/null || true
wait 2>/dev/null || true

# The window on other screens, each on its own X server of that size with a window manager when
# one is installed (openbox), so that the frame shows too: a laptop, a small projector, a
# portrait monitor (scaled to half for the README).
screen() {
    local size=$1 name=$2
    shift 2
    Xvfb :98 -screen 0 "${size}x24" -dpi 96 -nolisten tcp &
    xvfb=$!
    sleep 1
    export DISPLAY=:98
    wm=""
    if command -v openbox >/dev/null; then
        openbox >/dev/null 2>&1 &
        wm=$!
        sleep 1
    fi
    "$kymata" "$@" &
    app=$!
    sleep 3
    import -window root "$here/$name"
    kill $app $wm $xvfb 2>/dev/null || true
    wait 2>/dev/null || true
}
screen 1600x900 window-waves.png --view waves
screen 1024x768 window-1024x768.png --view waves
screen 800x600 window-800x600.png --lang en
screen 1080x1920 window-portrait.png
convert "$here/window-portrait.png" -resize 50% "$here/window-portrait.png"
