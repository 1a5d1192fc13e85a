#!/usr/bin/env bash
# Runs every benchmark program that the build produced.
set -euo pipefail
build=${1:-build}
shopt -s nullglob
# A benchmark that misses its target fails the run, after the others have run too.
status=0
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || status=1
done
echo "== logo_timing"
bash "$(dirname "$0")/../bench/logo_timing.sh" "$build" || status=1
echo "== fleet_timing"
bash "$(dirname "$0")/../bench/fleet_timing.sh" "$build" || status=1
exit $status
