#!/usr/bin/env bash
# Runs a Windows program under wine without a display and without asking anything: a private wine
# folder (NUVREL_WINEPREFIX; the Windows build sets it to wine/ in its build folder), no debug
# chatter, no installers for .NET or the HTML engine. The first run makes the folder (a few
# seconds). Usage: wine-run.sh PROGRAM.exe [ARGS...]; wine-run.sh --serve keeps the folder's wine
# server running until wine-run.sh --stop ends it.
set -euo pipefail
wine=$(command -v wine64 || command -v wine || true)
if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then wine=/usr/lib/wine/wine64; fi
if [ -z "$wine" ]; then
  echo "wine-run.sh: wine is not installed (apt-get install wine64)" >&2
  exit 127
fi
export WINEPREFIX="${NUVREL_WINEPREFIX:-$PWD/.wine-nuvrel}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns the command line and file names into UTF-16 through the locale's character set.
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
if [ "${1:-}" = --stop ]; then
  exec "$server" -k
fi
if [ "${1:-}" = --serve ]; then
  exec "$server" -p </dev/null >/dev/null 2>&1
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1 || true
fi
# The wine server outlives the program for a while and writes to the standard error it was started
# with: it is started here, apart from the program's output (a second one ends at once).
"$server" -p10 </dev/null >/dev/null 2>&1 || true
exec "$wine" "$@"
