#!/usr/bin/env bash
# Times a full-screen capture at 1920x1080 under Wine on a private Xvfb, on two known scenes
# (photo-like and desktop-like) that a window of the benchmark keeps on the screen: the grab,
# the PNG, BMP and JPEG saves and the whole ProcessCapture, each next to the platform doing
# the same job alone (medians and their ratio). Exits non-zero when the screen did not show
# the scene or a step failed.
# Usage: tools/bench.sh [runs]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
runs=${1:-9}

kx_setup || exit 1

trap kx_end_wine_session EXIT
# Measured warm: the session keeps a persistent wineserver.
kx_begin_wine_session bench 1920x1080 || exit 1
kx_say "Capture benchmark (1920x1080, $runs runs)"
wine "$KX_BUILD/win64/capture_bench.exe" "$runs" </dev/null
status=$?
[ $status -eq 0 ] || echo "Benchmark failed (exit $status)" >&2
exit $status
