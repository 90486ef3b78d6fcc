#!/usr/bin/env bash
# Soak of the interval captures under Wine on a private 1920x1080 Xvfb: the interval window's
# tick driven [captures] times (default 1000), each a full-screen PNG, with the process's
# private memory and GDI and USER object counts printed every 100 captures; then the area
# overlay and the window picker opened and closed 300 times each, with a drag and a pick; for
# each executable in turn (default both, win64 and win32).
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
trap '' PIPE  # an answer to a program that died is not the script's end
for arch in "${archs[@]}"; do
  echo
  kx_say "Interval soak, $arch ($captures captures, 1920x1080 PNG)"
  exe="$KX_BUILD/$arch/soak.exe"
  coproc SOAK { wine "$exe" "$captures"; }
  started=$SOAK_PID
  exec {from}<&"${SOAK[0]}" {to}>&"${SOAK[1]}"  # kept when the coprocess ends
  # Each line of figures gets the resident and anonymous (private) memory of the program's
  # own process, read while it waits between captures for the answer that lets it go on.
  pid=$(kx_wine_process "$exe") || { echo "no $arch soak.exe process" >&2; status=1; }
  while IFS= read -r line <&$from; do
    case $line in
      *private\ MB*) echo "$line   RSS MB  anon MB   (pid $pid)" ;;
      [[:space:]]*[0-9]*)
        rss=$(awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null)
        anon=$(awk '/^RssAnon/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null)
        printf '%s %8s %8s\n' "$line" "$rss" "$anon"
        echo >&$to ;;
      *) echo "$line" ;;
    esac
  done
  exec {from}<&- {to}>&-
  wait "$started" || status=1
done
exit $status
