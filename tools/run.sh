#!/usr/bin/env bash
# Builds Kestrix if needed and runs it under Wine: on your X display when DISPLAY is set,
# otherwise on a virtual one. Settings persist in build/wine/run between runs.
# Usage: tools/run.sh [/min]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kx_setup || exit 1

prefix="$KX_BUILD/wine/run"
if [ ! -d "$prefix" ]; then
  cp -a "$KX_BUILD/wine/template" "$prefix"
  # The tests hide Wine's stand-alone tray window; here it is the way back to a hidden window.
  kx_wine_in "$prefix" wine reg add 'HKCU\Software\Wine\X11 Driver' /v ShowSystray /d Y /f
  WINEPREFIX="$prefix" wineserver -w
fi
mkdir -p "$KX_BUILD/wine/run-home"

if [ -z "${DISPLAY:-}" ]; then
  kx_start_xvfb 1280x800 || { echo "Xvfb did not start" >&2; exit 1; }
  trap kx_stop_xvfb EXIT
  export DISPLAY="$KX_XVFB_DISPLAY"
  kx_say "No DISPLAY set: running on the virtual display $DISPLAY (Xvfb, pid $KX_XVFB_PID)."
  echo "    Nothing is visible there; set DISPLAY to see the window. Ctrl+C stops it."
else
  kx_say "Running Kestrix on $DISPLAY"
fi

WINEPREFIX="$prefix" WINEDEBUG=-all HOME="$KX_BUILD/wine/run-home" wine "$KX_BUILD/win64/Kestrix.exe" "$@"
rc=$?
WINEPREFIX="$prefix" wineserver -k 2>/dev/null
exit $rc
