#!/usr/bin/env bash
# Soak of the interval captures under Wine on a private 1920x1080 Xvfb: the interval window's
# tick driven [captures] times (default 1000), each a full-screen PNG, with the process's
# private memory and GDI and USER object counts printed every 100 captures; for each
# executable in turn (default both, win64 and win32).
# Usage: tools/soak.sh [captures] [win64|win32 ...]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
captures=${1:-1000}
shift $(($# > 0))
archs=("$@")
[ ${#archs[@]} -eq 0 ] && archs=(win64 win32)

kx_setup || exit 1
trap kx_end_wine_session EXIT
kx_begin_wine_session soak 1920x1080 || exit 1
status=0
fifo=$(mktemp -u)
mkfifo "$fifo"
for arch in "${archs[@]}"; do
  echo
  kx_say "Interval soak, $arch ($captures captures, 1920x1080 PNG)"
  exe="$KX_BUILD/$arch/soak.exe"
  wine "$exe" "$captures" </dev/null >"$fifo" &
  started=$!
  # Each line of figures gets the resident and anonymous (private) memory of the program's
  # own process, found while its first line is on its way.
  pid=$(kx_wine_process "$exe") || { echo "no $arch soak.exe process" >&2; status=1; }
  while IFS= read -r line; do
    case $line in
      *captures*) echo "$line   RSS MB  anon MB   (pid $pid)" ;;
      [[:space:]]*[0-9]*)
        rss=$(awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null)
        anon=$(awk '/^RssAnon/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null)
        printf '%s %8s %8s\n' "$line" "$rss" "$anon" ;;
      *) echo "$line" ;;
    esac
  done <"$fifo"
  wait "$started" || status=1
done
rm -f "$fifo"
exit $status
