#!/usr/bin/env bash
# Times a full-screen capture at 1920x1080 under Wine on a private Xvfb, on two known scenes
# (photo-like and desktop-like) that a window of the benchmark keeps on the screen: the grab,
# the PNG, BMP and JPEG saves and the whole ProcessCapture, each next to the platform doing
# the same job alone (medians and their ratio). Then the program's start to its window shown,
# step by step, next to a bare window program (bare_window.exe, and bare_platform.exe, which
# also takes the platform steps the program's start must take), and what the program costs
# while idle, next to the bare window program. Both
# executables are measured, one after the other, and their rows printed side by side. Exits
# non-zero when the screen did not show the scene or a step failed.
# With KX_BENCH_ONLY=overlays only the selection overlays are timed (one monitor, both
# executables, then two monitors).
# Usage: [KX_BENCH_ONLY=overlays] tools/bench.sh [runs] [capture|start|idle ...]   (the parts to
# run; all by default; the overlays are part of "capture")
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
runs=${1:-9}
shift $(($# > 0 ? 1 : 0))
parts=" ${*:-capture start idle} "
wanted() { [[ $parts == *" $1 "* ]]; }
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
# CPU milliseconds, wake-ups and WM_TIMER messages it received, read from the program's own
# process. Closes it afterwards with the probe given.
idle_cost() {
  local exe=$1 class=$2 title=$3 x=$4 y=$5 probe=$6
  local trace
  trace=$(mktemp)
  xdotool mousemove 0 0
  WINEDEBUG=+msg wine "$exe" 2>"$trace" </dev/null >/dev/null &
  local started=$! pid
  local waited=0
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
    sleep 0.2
    waited=$((waited + 1))
    [ $waited -gt 150 ] && { echo "FAILED: no window"; kill "$started"; rm -f "$trace"; return 1; }
  done
  pid=$(kx_wine_process "$exe") || { echo "FAILED: no process"; kill "$started"; rm -f "$trace"; return 1; }
  xdotool mousemove "$x" "$y"
  sleep 2  # first paint and whatever the pointer starts
  local cpu0 wake0 timers0
  cpu0=$(cpu_ms "$pid") wake0=$(wakeups "$pid") timers0=$(grep -a -c '(WM_TIMER)' "$trace")
  sleep "$idle_seconds"
  local cpu1 wake1 timers1
  cpu1=$(cpu_ms "$pid") wake1=$(wakeups "$pid") timers1=$(grep -a -c '(WM_TIMER)' "$trace")
  wine "$probe" close "$class" >/dev/null 2>&1 </dev/null
  wait "$started"
  rm -f "$trace"
  echo "$((cpu1 - cpu0)) $((wake1 - wake0)) $((timers1 - timers0))"
}

# Two outputs of one benchmark program, the 64-bit build's and the 32-bit build's, as one:
# the rows of their tables side by side, other lines once where both say the same.
side_by_side() {
  awk -v other="$2" '
    function fields(line, f) {
      sub(/^ +/, "", line)
      sub(/ +$/, "", line)
      return split(line, f, /  +/)
    }
    # Fields of a table row: step, ms, baseline, ms, ratio, [bytes], [FAILED]; or step, ms,
    # [FAILED] where the baseline has no such step.
    function figures(f, n, i, s) {
      s = n >= 5 ? sprintf("%8s %8s %6s", f[2], f[4], f[5]) : sprintf("%8s %8s %6s", f[2], "", "")
      for (i = 6; i <= n; i++) if (f[i] == "FAILED") s = s " FAILED"
      return s
    }
    function bytes(f, n) { return n >= 6 && f[6] != "FAILED" ? f[6] : "" }
    {
      a = $0
      if ((getline b < other) <= 0) b = ""
      sub(/\r$/, "", a)  # the console of a Windows program ends its lines so
      sub(/\r$/, "", b)
      na = fields(a, fa)
      nb = fields(b, fb)
      if (fa[1] == "step" && fb[1] == "step") {
        printf "%-22s %-26s | %-24s | %-24s |\n", "", "", "64-bit", "32-bit"
        printf "%-22s %-26s | %8s %8s %6s | %8s %8s %6s | %11s\n", "step", "baseline", "ms",
               "base ms", "ratio", "ms", "base ms", "ratio", "bytes"
      } else if (fa[1] == fb[1] && fa[2] ~ /^[0-9.]+$/ && fb[2] ~ /^[0-9.]+$/) {
        size = bytes(fa, na)
        if (bytes(fb, nb) != size) size = size " / " bytes(fb, nb)
        row = sprintf("%-22s %-26s | %s | %s | %11s", fa[1], na >= 5 ? fa[3] : "",
                      figures(fa, na), figures(fb, nb), size)
        sub(/ +$/, "", row)
        print row
      } else if (a == b) {
        print a
      } else {
        print "64-bit: " a
        print "32-bit: " b
      }
    }
    END { while ((getline b < other) > 0) print "32-bit: " b }' "$1"
}

kx_setup || exit 1

trap kx_end_wine_session EXIT
# Measured warm: the session keeps a persistent wineserver.
kx_begin_wine_session bench 1920x1080 || exit 1
win_path() { echo "Z:${1//\//\\}"; }
out=$(mktemp -d)
status=0
if [ "${KX_BENCH_ONLY:-}" = overlays ]; then
  for arch in win64 win32; do
    kx_say "Overlay benchmark, $arch (1920x1080, $runs runs)"
    wine "$KX_BUILD/$arch/capture_bench.exe" "$runs" overlays </dev/null >"$out/$arch-overlays" ||
      status=1
  done
  side_by_side "$out/win64-overlays" "$out/win32-overlays"
fi
for arch in win64 win32; do
  [ "${KX_BENCH_ONLY:-}" = overlays ] && break
  if wanted capture; then
    kx_say "Capture benchmark, $arch (1920x1080, $runs runs)"
    wine "$KX_BUILD/$arch/capture_bench.exe" "$runs" </dev/null >"$out/$arch-capture" || status=1
  fi
  if wanted start; then
    kx_say "Start benchmark, $arch ($runs runs)"
    wine "$KX_BUILD/$arch/start_bench.exe" "$runs" "$(win_path "$KX_BUILD/$arch/Kestrix.exe")" \
      "$(win_path "$KX_BUILD/$arch/bare_window.exe")" \
      "$(win_path "$KX_BUILD/$arch/bare_platform.exe")" </dev/null >"$out/$arch-start" || status=1
  fi
done
echo
[ "${KX_BENCH_ONLY:-}" = overlays ] && parts=" "
wanted capture && side_by_side "$out/win64-capture" "$out/win32-capture"
wanted start && side_by_side "$out/win64-start" "$out/win32-start"

idle_table() {
  # The main window is centred on the 1920 x 1080 screen; the pointer rests away from it, then
  # on its "Capture" button, where a button polls for the pointer leaving it.
  capture_x=$((1920 / 2 - 233 + 301)) capture_y=$((1080 / 2 - 285 + 522))
  echo
  echo "idle, $idle_seconds s after the window was shown; wake-ups = voluntary context switches"
  printf '%-11s %-12s | %-24s | %s\n' "" "" "64-bit" "32-bit"
  printf '%-11s %-12s | %6s %8s %8s | %6s %8s %8s\n' "pointer" "program" "CPU ms" "wake-ups" \
    "WM_TIMER" "CPU ms" "wake-ups" "WM_TIMER"
  for place in "away:5 5" "on Capture:$capture_x $capture_y"; do
    read -r x y <<<"${place#*:}"
    for program in "Kestrix:Kestrix.exe:KXMainWndClass:HALVECOR Kestrix" \
                   "bare window:bare_window.exe:KXBareWndClass:Bare window"; do
      IFS=: read -r name exe class title <<<"$program"
      figures=()
      for arch in win64 win32; do
        cost=$(idle_cost "$(win_path "$KX_BUILD/$arch/$exe")" "$class" "$title" "$x" "$y" \
          "$KX_BUILD/$arch/kxprobe.exe") || status=1
        read -r cpu wake timers <<<"$cost"
        figures+=("$(printf '%6s %8s %8s' "$cpu" "$wake" "$timers")")
      done
      printf '%-11s %-12s | %s | %s\n' "${place%%:*}" "$name" "${figures[0]}" "${figures[1]}"
    done
  done
}
wanted idle && idle_table
rm -rf "$out"

# The overlays again on two 1920 x 1080 monitors side by side, next to a bare copy of the same
# 3840 x 1080: their cost should grow no faster than the pixels. Wine shows both only with its
# own XRandR use off, read by a wineserver started after the setting.
if ! wanted capture && [ "${KX_BENCH_ONLY:-}" != overlays ]; then
  exit $status
fi
kx_end_wine_session
kx_begin_wine_session bench-monitors 3840x1080 || exit 1
xrandr --setmonitor KX0 1920/508x1080/286+0+0 screen >/dev/null &&
  xrandr --setmonitor KX1 1920/508x1080/286+1920+0 none >/dev/null || status=1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f </dev/null >/dev/null 2>&1
wineserver -k && wineserver -p && wine cmd /c exit </dev/null >/dev/null 2>&1
wine "$KX_BUILD/win64/capture_bench.exe" "$runs" overlays </dev/null || status=1

[ $status -eq 0 ] || echo "Benchmark failed (exit $status)" >&2
exit $status
