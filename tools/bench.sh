#!/usr/bin/env bash
# Times a full-screen capture at 1920x1080 under Wine on a private Xvfb, on two known scenes
# (photo-like and desktop-like) that a window of the benchmark keeps on the screen: the grab,
# the PNG, BMP and JPEG saves and the whole ProcessCapture, each next to the platform doing
# the same job alone (medians and their ratio). Then the program's start to its window shown,
# and what it costs while idle, each next to a bare window program (bare_window.exe). Exits
# non-zero when the screen did not show the scene or a step failed.
# Usage: tools/bench.sh [runs]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
runs=${1:-9}
idle_seconds=10

# CPU time of a process and all its threads, in milliseconds.
cpu_ms() {
  local stat
  stat=$(cat "/proc/$1/stat") || return 1
  set -- ${stat##*) }  # the fields after the command name; utime and stime are 12 and 13
  echo $(((${12} + ${13}) * 1000 / $(getconf CLK_TCK)))
}

# Times its threads went to sleep and were woken again (voluntary context switches).
wakeups() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

# Starts a program of ours (Windows path) with its messages traced, waits for its window
# (class, title) to be shown, rests the pointer at (x, y) and prints, over $idle_seconds s:
# CPU milliseconds, wake-ups and WM_TIMER messages it received. Closes it afterwards.
idle_cost() {
  local exe=$1 class=$2 title=$3 x=$4 y=$5
  local trace
  trace=$(mktemp)
  xdotool mousemove 0 0
  WINEDEBUG=+msg wine "$exe" 2>"$trace" </dev/null >/dev/null &
  local pid=$!
  local waited=0
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
    sleep 0.2
    waited=$((waited + 1))
    [ $waited -gt 150 ] && { echo "FAILED: no window"; kill "$pid"; rm -f "$trace"; return 1; }
  done
  xdotool mousemove "$x" "$y"
  sleep 2  # first paint and whatever the pointer starts
  local cpu0 wake0 timers0
  cpu0=$(cpu_ms "$pid") wake0=$(wakeups "$pid") timers0=$(grep -a -c '(WM_TIMER)' "$trace")
  sleep "$idle_seconds"
  local cpu1 wake1 timers1
  cpu1=$(cpu_ms "$pid") wake1=$(wakeups "$pid") timers1=$(grep -a -c '(WM_TIMER)' "$trace")
  wine "$KX_BUILD/win64/kxprobe.exe" close "$class" >/dev/null 2>&1 </dev/null
  wait "$pid"
  rm -f "$trace"
  echo "$((cpu1 - cpu0)) $((wake1 - wake0)) $((timers1 - timers0))"
}

kx_setup || exit 1

trap kx_end_wine_session EXIT
# Measured warm: the session keeps a persistent wineserver.
kx_begin_wine_session bench 1920x1080 || exit 1
kx_say "Capture benchmark (1920x1080, $runs runs)"
wine "$KX_BUILD/win64/capture_bench.exe" "$runs" </dev/null
status=$?

win_path() { echo "Z:${1//\//\\}"; }
kestrix=$(win_path "$KX_BUILD/win64/Kestrix.exe")
bare=$(win_path "$KX_BUILD/win64/bare_window.exe")
wine "$KX_BUILD/win64/start_bench.exe" "$runs" "$kestrix" "$bare" </dev/null || status=1

# The main window is centred on the 1920 x 1080 screen; the pointer rests away from it, then
# on its "Capture" button, where a button polls for the pointer leaving it.
capture_x=$((1920 / 2 - 233 + 301)) capture_y=$((1080 / 2 - 285 + 522))
echo
echo "idle, $idle_seconds s after the window was shown; wake-ups = voluntary context switches"
printf '%-24s %7s %8s %9s   %-18s %7s %8s %9s\n' "pointer" "CPU ms" "wake-ups" "WM_TIMER" \
  "baseline" "CPU ms" "wake-ups" "WM_TIMER"
for place in "away:5 5" "on Capture:$capture_x $capture_y"; do
  read -r x y <<<"${place#*:}"
  ours=$(idle_cost "$kestrix" KXMainWndClass "HALVECOR Kestrix" "$x" "$y") || status=1
  base=$(idle_cost "$bare" KXBareWndClass "Bare window" "$x" "$y") || status=1
  read -r our_cpu our_wake our_timers <<<"$ours"
  read -r base_cpu base_wake base_timers <<<"$base"
  printf '%-24s %7s %8s %9s   %-18s %7s %8s %9s\n' "${place%%:*}" "$our_cpu" "$our_wake" \
    "$our_timers" "bare window" "$base_cpu" "$base_wake" "$base_timers"
done

# The overlays again on two 1920 x 1080 monitors side by side, next to a bare copy of the same
# 3840 x 1080: their cost should grow no faster than the pixels. Wine shows both only with its
# own XRandR use off, read by a wineserver started after the setting.
kx_end_wine_session
kx_begin_wine_session bench-monitors 3840x1080 || exit 1
xrandr --setmonitor KX0 1920/508x1080/286+0+0 screen >/dev/null &&
  xrandr --setmonitor KX1 1920/508x1080/286+1920+0 none >/dev/null || status=1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f </dev/null >/dev/null 2>&1
wineserver -k && wineserver -p && wine cmd /c exit </dev/null >/dev/null 2>&1
wine "$KX_BUILD/win64/capture_bench.exe" "$runs" overlays </dev/null || status=1

[ $status -eq 0 ] || echo "Benchmark failed (exit $status)" >&2
exit $status
