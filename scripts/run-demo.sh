#!/usr/bin/env bash
# Starts the desktop program against the simulated register. Without a display (a server, a CI box)
# it runs under a virtual screen and only identifies the simulated register from the command line.
set -euo pipefail
build=${1:-build}

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/nuvrel" --simulator
fi

echo "No display: identifying the simulated register from the command line instead."
fifo=$(mktemp -u)
mkfifo "$fifo"
"$build/ecrsim" >"$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null; rm -f "$fifo"' EXIT
read -r line <"$fifo"
echo "$line"
device=${line##* }
echo "\$ nuvrel-cli --port $device identify"
"$build/nuvrel-cli" --port "$device" identify
