#!/usr/bin/env bash
# Times a full-screen capture at 1920x1080 under Wine on a private Xvfb: the grab, and for
# PNG, BMP and JPEG the encoding, the file write and the whole ProcessCapture (medians).
# Usage: tools/bench.sh [runs]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
runs=${1:-9}

kx_setup || exit 1

prefix="$KX_BUILD/wine/bench"
cleanup() {
  [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null
  kx_stop_xvfb
}
trap cleanup EXIT

rm -rf "$prefix" && cp -a "$KX_BUILD/wine/template" "$prefix"
mkdir -p "$KX_BUILD/wine/bench-home"
kx_start_xvfb 1920x1080 || { echo "Xvfb did not start" >&2; exit 1; }
export WINEPREFIX="$prefix" WINEDEBUG=-all HOME="$KX_BUILD/wine/bench-home" DISPLAY="$KX_XVFB_DISPLAY"
# Measure warm: a persistent wineserver with its services already started.
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
kx_say "Capture benchmark (1920x1080, $runs runs)"
wine "$KX_BUILD/win64/capture_bench.exe" "$runs" </dev/null
