#!/usr/bin/env bash
# Times a full-screen capture at 1920x1080 under Wine on a private Xvfb: the grab, and for
# PNG, BMP and JPEG the encoding, the file write and the whole ProcessCapture; then the
# selection overlays from request to first paint, and their dimming pass (medians).
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
