#!/usr/bin/env bash
# Builds Kestrix if needed and runs it under Wine on your X display; settings persist in
# build/wine/run between runs. With no DISPLAY it shows the main job on a virtual display
# instead (PrintScreen, a drag, the file) and prints where the capture and a picture are.
# KX_ARCH=win32 runs the 32-bit build instead of the 64-bit one.
# Usage: tools/run.sh [/min]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kx_setup || exit 1
arch=${KX_ARCH:-win64}

if [ -z "${DISPLAY:-}" ]; then
  # Nothing would be seen of a window here: show the main job instead, as the tests drive it.
  kx_say "No DISPLAY set: Kestrix on a virtual display with a picture on it; PrintScreen, a drag"
  mkdir -p "$KX_BUILD/screenshots"
  KX_BUILD_DIR="$KX_BUILD" "$KX_BUILD/host/e2e/kx_e2e_tests" \
    --gtest_filter='CaptureFlowsE2E.PrintScreenDragsAnAreaOfThePicture' | grep -E '^(capture|overlay):|OK|FAILED'
  exit "${PIPESTATUS[0]}"
fi

prefix="$KX_BUILD/wine/run"
# A prefix made by another Wine may not start: it is made again, settings and all.
if ! cmp -s "$prefix/.kestrix-template" "$KX_BUILD/wine/template/.kestrix-template"; then
  rm -rf "$prefix"
  cp -a "$KX_BUILD/wine/template" "$prefix"
  # The tests hide Wine's stand-alone tray window; here it is the way back to a hidden window.
  kx_wine_in "$prefix" wine reg add 'HKCU\Software\Wine\X11 Driver' /v ShowSystray /d Y /f
  WINEPREFIX="$prefix" wineserver -w
fi
mkdir -p "$KX_BUILD/wine/run-home"

kx_say "Running Kestrix on $DISPLAY"
WINEPREFIX="$prefix" WINEDEBUG=-all HOME="$KX_BUILD/wine/run-home" wine "$KX_BUILD/$arch/Kestrix.exe" "$@"
rc=$?
WINEPREFIX="$prefix" wineserver -k 2>/dev/null
exit $rc
