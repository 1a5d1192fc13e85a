#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The fleet's wall time against one register's: six simulated registers on TCP ports (one of them
# refusing a record near the end) programmed at once by `nuvrel-cli fleet --jobs 6`, against a
# fleet of one. Each sends the example articles and reads the articles report back. Fails when
# the six take more than 1.3 times as long as the one.
#
#   bench/fleet_timing.sh [BUILD]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT

start_sim() {  # NAME [ecrsim options]: starts one in this shell, so that the trap ends it
  local name=$1
  shift
  "$build/ecrsim" --listen 127.0.0.1:0 "$@" >"$work/$name.out" 2>"$work/$name.err" &
  pids+=($!)
  for _ in $(seq 50); do
    [ -s "$work/$name.out" ] && break
    sleep 0.1
  done
}
address() {  # NAME: the address it listens on
  sed -n 's/^ecrsim: listening on //p' "$work/$1.out"
}

steps="[do]
send articles $source_dir/examples/articles.txt
report articles {name}-report.txt"
echo "$steps" >"$work/one.ini"
start_sim one --serial 100
printf '\n[one]\nport = %s\n' "$(address one)" >>"$work/one.ini"
echo "$steps" >"$work/six.ini"
for i in 1 2 3 4 5 6; do
  fault=()
  [ "$i" -eq 4 ] && fault=(--fault nak@14)
  start_sim "r$i" --serial "$i" "${fault[@]}"
  printf '\n[r%d]\nport = %s\n' "$i" "$(address "r$i")" >>"$work/six.ini"
done

run() {  # MANIFEST: the fleet's wall time in milliseconds
  local begin end
  begin=$(date +%s%N)
  "$build/nuvrel-cli" --settings "$work/nuvrel.ini" fleet "$1" --jobs 6 >"$1.out" 2>&1 || true
  end=$(date +%s%N)
  echo $(((end - begin) / 1000000))
}

one=$(run "$work/one.ini")
six=$(run "$work/six.ini")
summary=$(sed -n '/of 6 registers done/p' "$work/six.ini.out")
awk -v one="$one" -v six="$six" -v summary="$summary" 'BEGIN {
  printf "one register     %.3f s\n", one / 1000
  printf "six registers    %.3f s (%s)\n", six / 1000, summary
  printf "ratio            %.2f (at most 1.30)\n", six / one
  exit (six / one > 1.3)
}'
