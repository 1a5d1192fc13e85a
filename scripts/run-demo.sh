#!/usr/bin/env bash
# Starts the simulated register on a pseudo-terminal and identifies it with nuvrel-cli.
set -euo pipefail
build=${1:-build}

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
