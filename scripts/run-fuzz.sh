#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan and UBSan) in a tree of their own and runs each one
# for a while on a scratch copy of its seed corpus. Fails, naming the target, on any crash, leak,
# undefined behaviour, broken property or time-out; the input that did it is kept in
# BUILD/findings/TARGET/.
#
#   scripts/run-fuzz.sh [BUILD] [SECONDS]     (defaults: build-fuzz, 60 seconds per target)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-60}
jobs=$(nproc 2>/dev/null || echo 2)

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -DNUVREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >/dev/null
fi
cmake --build "$build" -j "$jobs"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
for corpus in fuzz/corpus/*/; do
  target=$(basename "$corpus")
  binary="$build/fuzz/fuzz_$target"
  findings="$build/findings/$target"
  mkdir -p "$scratch/$target" "$findings"
  cp -r "$corpus". "$scratch/$target/"
  log="$build/findings/$target.log"
  echo "== $target: ${seconds}s"
  if "$binary" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$scratch/$target" >"$log" 2>&1; then
    grep -E '^Done [0-9]+ runs' "$log" || tail -n 1 "$log"
  else
    echo "FAILED: $target (the log is $log; the input is in $findings/)"
    grep -E 'property broken|runtime error|ERROR: |SUMMARY: |Test unit written' "$log" | head -n 10 ||
      tail -n 20 "$log"
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found problems in: ${failed[*]}"
  exit 1
fi
echo "Fuzzing found nothing."
