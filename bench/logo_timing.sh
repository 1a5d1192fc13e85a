#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How long a logo takes through nuvrel-cli to ecrsim on a line paced at 9600 baud, against the
# line's floor (every byte of the header and the file at 10 bits), and the CLI's processor time.
#
#   bench/logo_timing.sh [BUILD] [BYTES]     (default: build, 16384 bytes; 1048576 takes 18 minutes)
set -euo pipefail
build=${1:-build}
bytes=${2:-16384}
work=$(mktemp -d)
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT

# A two-colour BMP of about the size asked for: 2400 pixels a row, as many rows as fit.
python3 - "$work/logo.bmp" "$bytes" <<'PY'
import struct, sys
path, want = sys.argv[1], int(sys.argv[2])
width = 2400
row = ((width + 31) // 32) * 4
offset = 14 + 40 + 8
height = max(1, (want - offset) // row)
data = bytes(row * height)
header = b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset)
info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(data), 2835, 2835, 2, 2)
open(path, "wb").write(header + info + b"\0\0\0\0\xff\xff\xff\0" + data)
PY
size=$(stat -c %s "$work/logo.bmp")

"$build/ecrsim" --baud 9600 --link "$work/port" >"$work/sim.out" 2>&1 &
sim=$!
for _ in $(seq 50); do [ -e "$work/port" ] && break; sleep 0.1; done

start=$(date +%s.%N)
TIMEFORMAT='%U %S'
status=0
{ time "$build/nuvrel-cli" --port "$work/port" --yes --quiet logo "$work/logo.bmp" \
  >"$work/cli.out" 2>&1 || status=$?; } 2>"$work/cpu"
end=$(date +%s.%N)
if [ "$status" -ne 0 ]; then
  echo "the logo was not sent (exit status $status):"
  cat "$work/cli.out"
  exit 1
fi

read -r user sys <"$work/cpu"
awk -v size="$size" -v start="$start" -v end="$end" -v user="$user" -v sys="$sys" 'BEGIN {
  wall = end - start
  floor = (size + 8) * 10 / 9600
  printf "logo             %d bytes (chunks of %d)\n", size, int(size / 100)
  printf "wall time        %.3f s\n", wall
  printf "line floor       %.3f s (header and file at 10 bits a byte, 9600 baud)\n", floor
  printf "ratio to floor   %.3f\n", wall / floor
  printf "CPU time         %.3f s\n", user + sys
}'
