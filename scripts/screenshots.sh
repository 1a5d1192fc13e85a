#!/usr/bin/env bash
# Takes the manual's screenshots of the running program under a virtual screen (Xvfb), against the
# simulated register: the main window, the Find dialog, the Reports tab and the Logo Manager.
# Usage: scripts/screenshots.sh [BUILD] [OUT]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
out=${2:-docs/manual/nuvrel-manual}
mkdir -p "$out"
out=$(cd "$out" && pwd)
examples=$(cd "$(dirname "$0")/../examples" && pwd)

export DISPLAY=:93
Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"

"$build/nuvrel" --no-splash --simulator "--settings=$work/nuvrel.ini" "$examples/articles.txt" &
app=$!
sleep 2
window=$(xdotool search --sync --name "Nuvrel Serbian" | head -1)
focus() { xdotool windowfocus --sync "$window"; sleep 0.2; }
shot() { sleep "${2:-0.8}"; import -window root -crop 1000x680+0+0 "$out/$1"; }

focus; xdotool mousemove 140 206 click 1; shot main-window.png
focus; xdotool key ctrl+f; shot find.png; xdotool key Escape
focus; xdotool key F6; sleep 0.3
# Operators into the register, then the daily reports.
xdotool type --delay 60 "Ana"; xdotool key Return; xdotool type --delay 60 "Marko"; xdotool key Return
focus; xdotool key ctrl+d; sleep 4
focus; xdotool key ctrl+w; sleep 6
# Get reports ends on the Department report; the next tab is Reports.
focus; xdotool key F6; shot reports.png 1
focus; xdotool key ctrl+l; shot logo-manager.png 1.5
