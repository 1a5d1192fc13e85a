#!/usr/bin/env bash
# nuvrel-cli.exe under wine against the Linux build's nuvrel-cli, both talking to the Linux ecrsim:
# the Windows program reaches the simulator's pseudo-terminal as COM3 (a link in wine's dosdevices
# folder), the Linux one through --port. Each scenario runs on a fresh simulator with the same
# options for either program, and with nothing recorded of any register (XDG_DATA_HOME here, the
# wine folder's %APPDATA% there), and must give the same bytes on the wire (the traces, as runs of
# bytes in each direction), the same standard output and error, the same exit status and the same
# files. Then what only Windows can get wrong: sheets saved byte for byte and over an old file, a
# settings file beside the program found from another folder, file names outside the ANSI code
# page.
#
# Usage: e2e_compare.sh LINUX_BUILD WINDOWS_BUILD SOURCE
set -euo pipefail

linux_build=$(realpath "$1")
windows_build=$(realpath "$2")
source_dir=$(realpath "$3")
ecrsim="$linux_build/ecrsim"
linux_cli="$linux_build/nuvrel-cli"
windows_cli="$windows_build/nuvrel-cli.exe"
wine_run="$source_dir/scripts/wine-run.sh"
export NUVREL_WINEPREFIX="$windows_build/wine"
for program in "$ecrsim" "$linux_cli" "$windows_cli"; do
  [ -x "$program" ] || { echo "e2e_compare: $program is missing" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/nuvrel-windows-e2e.XXXXXX")

# What each program records of the registers, emptied before each scenario.
export XDG_DATA_HOME="$work/data"
forget_registers() {
  rm -rf "$XDG_DATA_HOME" "$NUVREL_WINEPREFIX"/drive_c/users/*/AppData/Roaming/Nuvrel
}

sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -f "$NUVREL_WINEPREFIX/dosdevices/com3"
  forget_registers
  "$wine_run" --stop 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The wine folder exists before the first timed run, and one wine server of ours serves every run.
# A server that wine starts for a run writes to that run's standard error; Debian's dumps its
# objects there on SIGHUP, which it gets when a pseudo-terminal it opened as COM3 closes (it opens
# files for its programs, as a session leader without a terminal). So a server left by an earlier
# step is ended first, and ours writes nowhere.
"$wine_run" cmd /c exit >/dev/null 2>&1 || true
"$wine_run" --stop >/dev/null 2>&1 || true
"$wine_run" --serve || true
mkdir -p "$NUVREL_WINEPREFIX/dosdevices"

# Sheets besides the examples: the articles with one price changed.
mkdir -p "$work/sheets-extra"
sed 's/\t65\.00\t/\t66.00\t/' "$source_dir/examples/articles.txt" >"$work/sheets-extra/changed.txt"

passed=0
failed=0
fail() {
  echo "FAIL $1: $2"
  failed=$((failed + 1))
}

# Starts ecrsim with the arguments, its terminal linked at $1; returns once it listens.
start_sim() {
  local link=$1
  shift
  local fifo="$work/sim-fifo"
  rm -f "$fifo"
  mkfifo "$fifo"
  "$ecrsim" --link "$link" "$@" >"$fifo" 2>>"$work/sim-errors" &
  sim_pid=$!
  local line=""
  exec 3<"$fifo"
  read -r -t 10 line <&3 || true
  exec 3<&-
  rm -f "$fifo"
  case "$line" in
    "ecrsim: listening on "*) ;;
    *) echo "e2e_compare: ecrsim did not start: $line" >&2; exit 2 ;;
  esac
}

stop_sim() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
}

# The trace as the conversation it records: one line per run of bytes in one direction (blocks
# are cut differently by each platform's reads), notes without the device (COM3 or a path).
conversation() {
  awk '
    $2 == "--" { flush(); note = $3; if (note != "open") { for (i = 4; i <= NF; i++) note = note " " $i }; print "--", note; next }
    $2 != dir { flush(); dir = $2 }
    { for (i = 3; i <= NF; i++) bytes = bytes " " $i }
    function flush() { if (dir != "" && bytes != "") print dir bytes; dir = ""; bytes = "" }
    END { flush() }
  ' "$1"
}

# run SIDE FOLDER ARGS...: one run of one side's program in FOLDER, after the examples were copied.
run_side() {
  local side=$1 folder=$2
  shift 2
  local status=0
  if [ "$side" = linux ]; then
    (cd "$folder" && "$linux_cli" --port "$work/ecr" --trace trace.txt "$@" \
      >>stdout.txt 2>>stderr.txt) || status=$?
  else
    (cd "$folder" && "$wine_run" "$windows_cli" --com 3 --trace trace.txt "$@" \
      >>stdout.txt 2>>stderr.txt) || status=$?
  fi
  echo "$status" >>"$folder/status.txt"
  conversation "$folder/trace.txt" >>"$folder/conversation.txt"
  rm -f "$folder/trace.txt"
}

# scenario NAME "ECRSIM OPTIONS" "COMMAND" ["COMMAND"...]: the commands in turn against one
# simulator, on each side.
scenario() {
  local name=$1 sim_options=$2
  shift 2
  # E2E_ONLY=REGEX runs only the scenarios whose names match.
  [[ "$name" =~ ${E2E_ONLY:-.} ]] || return 0
  for side in linux windows; do
    local folder="$work/$name/$side"
    mkdir -p "$folder"
    cp "$source_dir"/examples/* "$work"/sheets-extra/* "$folder/"
    forget_registers
    # shellcheck disable=SC2086
    start_sim "$work/ecr" $sim_options
    ln -sfn "$work/ecr" "$NUVREL_WINEPREFIX/dosdevices/com3"
    for command in "$@"; do
      # shellcheck disable=SC2086
      run_side "$side" "$folder" $command
    done
    stop_sim
  done
  if diff -r "$work/$name/linux" "$work/$name/windows" >"$work/$name.diff"; then
    passed=$((passed + 1))
    echo "ok   $name ($(awk '$1 != "--" { n += NF - 1 } END { print n + 0 }' \
      "$work/$name/linux/conversation.txt") bytes on the wire, the same)"
  else
    fail "$name" "Windows differs from Linux:"
    head -20 "$work/$name.diff"
  fi
}

scenario identify "" "identify"
scenario send-articles "" "send articles articles.txt"
scenario send-operators "" "send operators operators.txt"
scenario send-departments "" "send departments departments.txt"
scenario send-firm-data "" "send firm-data firm-data.txt"
scenario send-advertisement "" "send advertisement advertisement.txt"
scenario send-selection "" "send articles articles.txt --select 2-3"
scenario report-articles "" "send articles articles.txt" "report articles report.txt"
scenario report-daily "" "send articles articles.txt" \
  "report daily daily.txt --departments department-report.txt"
scenario logo "" "logo logo.bmp"
scenario send-changed "" "send articles articles.txt" "diff articles changed.txt" \
  "send articles changed.txt --changed" "diff articles changed.txt"
scenario fault-nak "--fault nak@1" "identify"
scenario fault-crc "--fault crc@1" "identify"
scenario fault-wrong-device "--fault wrong-device" "send operators operators.txt"
scenario fault-silence "--fault silence@1" "identify"
scenario fault-garbage "--fault garbage@1" "identify"
scenario fault-foreign-country "--fault foreign-country" "send articles articles.txt"
scenario fault-partial "--fault partial@1" "identify"
scenario fault-flip-price "--fault flip-price" "send articles articles.txt" \
  "report articles report.txt"

# The sheet file written as it was read: 537 bytes, again over the old file, and to stdout.
check_bytes() {
  local name=$1 expected=$2 actual=$3
  if cmp -s "$expected" "$actual"; then
    passed=$((passed + 1))
    echo "ok   $name ($(wc -c <"$actual") bytes)"
  else
    fail "$name" "$(wc -c <"$actual" 2>/dev/null || echo no) bytes, not those of $expected"
  fi
}
sheets="$work/sheets"
mkdir -p "$sheets"
cp "$source_dir/examples/articles.txt" "$sheets/"
(cd "$sheets" && "$linux_cli" check articles articles.txt -o linux.txt)
(cd "$sheets" && "$wine_run" "$windows_cli" check articles articles.txt -o windows.txt)
check_bytes check-saved "$sheets/linux.txt" "$sheets/windows.txt"
(cd "$sheets" && "$wine_run" "$windows_cli" check articles articles.txt -o windows.txt) ||
  fail check-saved-over "saving over an existing file failed"
check_bytes check-saved-over "$sheets/linux.txt" "$sheets/windows.txt"
(cd "$sheets" && "$wine_run" "$windows_cli" check articles articles.txt >stdout.txt)
check_bytes check-stdout "$sheets/linux.txt" "$sheets/stdout.txt"

# File names outside the ANSI code page: Serbian Latin and Cyrillic.
for name in "Čačak-artikli" "Артикли-Ниш"; do
  cp "$source_dir/examples/articles.txt" "$sheets/$name.txt"
  (cd "$sheets" && "$wine_run" "$windows_cli" check articles "$name.txt" -o "$name-излаз.txt") ||
    fail "name $name" "could not be opened or saved"
  check_bytes "name $name" "$sheets/linux.txt" "$sheets/$name-излаз.txt"
done

# A settings file beside the program, found from another folder: it names COM3 as the port.
portable="$work/portable"
mkdir -p "$portable/elsewhere"
cp "$windows_cli" "$portable/"
printf '[ECR]\r\nEcrCom=2\r\n' >"$portable/nuvrel.ini"
start_sim "$work/ecr"
ln -sfn "$work/ecr" "$NUVREL_WINEPREFIX/dosdevices/com3"
if (cd "$portable/elsewhere" && "$wine_run" ../nuvrel-cli.exe identify >identify.txt 2>&1) &&
  grep -q '123456' "$portable/elsewhere/identify.txt"; then
  passed=$((passed + 1))
  echo "ok   settings-beside-program"
else
  fail settings-beside-program "$(cat "$portable/elsewhere/identify.txt")"
fi
stop_sim

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
