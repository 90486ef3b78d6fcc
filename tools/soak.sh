#!/usr/bin/env bash
# Soak of the interval captures under Wine on a private 1920x1080 Xvfb: the interval window's
# tick driven [captures] times (default 1000), each a full-screen PNG, with the process's
# private memory and GDI and USER object counts printed every 100 captures; then the area
# overlay and the window picker opened and closed 300 times each, with a drag and a pick.
# Usage: tools/soak.sh [captures]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
captures=${1:-1000}

kx_setup || exit 1
trap kx_end_wine_session EXIT
kx_begin_wine_session soak 1920x1080 || exit 1
kx_say "Interval soak ($captures captures, 1920x1080 PNG)"
# Each line of figures gets the resident and anonymous (private) memory of the Wine process.
fifo=$(mktemp -u)
mkfifo "$fifo"
wine "$KX_BUILD/win64/soak.exe" "$captures" </dev/null >"$fifo" &
pid=$!
while IFS= read -r line; do
  case $line in
    *private\ MB*) echo "$line   RSS MB  anon MB" ;;
    [[:space:]]*[0-9]*)
      rss=$(awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null)
      anon=$(awk '/^RssAnon/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null)
      printf '%s %8s %8s\n' "$line" "$rss" "$anon" ;;
    *) echo "$line" ;;
  esac
done <"$fifo"
wait "$pid"
status=$?
rm -f "$fifo"
exit $status
