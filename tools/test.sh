#!/usr/bin/env bash
# Runs every test of Kestrix: builds both executables, then the unit tests under Wine
# (ctest, private Xvfb and prefix) and the end-to-end tests (real Kestrix.exe under Wine).
# Usage: tools/test.sh [gtest filter for both layers]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
filter=${1:-*}

kx_setup || exit 1

kx_say "Resource generator (pictures, sound): two runs give the same bytes"
pictures_a=$(mktemp -d) pictures_b=$(mktemp -d)
"$KX_BUILD/host/resgen/kx_resgen" "$pictures_a" && "$KX_BUILD/host/resgen/kx_resgen" "$pictures_b" &&
  diff -r "$pictures_a" "$pictures_b" && cmp -s "$pictures_a/pictures.rc" "$KX_BUILD/win64/pictures/pictures.rc"
pictures_rc=$?
echo "    $(ls "$pictures_a" | wc -l) files compared"
rm -rf "$pictures_a" "$pictures_b"

kx_say "Beside both executables: the sound, and the help file with every page and screenshot"
beside_rc=0
for arch in win64 win32; do
  [ -s "$KX_BUILD/$arch/kest.wav" ] || { echo "    no kest.wav in $arch" >&2; beside_rc=1; }
  listing=$(chmls list "$KX_BUILD/$arch/Kestrix.chm" 2>/dev/null) || { echo "    no Kestrix.chm in $arch" >&2; beside_rc=1; }
  for f in "$KX_ROOT"/docs/help/*.html "$KX_ROOT"/docs/screenshots/*.png; do
    name=${f#"$KX_ROOT"/docs/}
    name=${name#help/}
    grep -qF " /$name" <<<"$listing" || { echo "    $arch/Kestrix.chm lacks $name" >&2; beside_rc=1; }
  done
done
echo "    $(ls "$KX_ROOT"/docs/help/*.html "$KX_ROOT"/docs/screenshots/*.png | wc -l) files looked for in each"

trap kx_end_wine_session EXIT

kx_say "Unit tests (GoogleTest under Wine)"
kx_begin_wine_session unit 1280x800 || exit 1
ctest_filter=()
[ "$filter" != "*" ] && ctest_filter=(-R "$filter")
(cd "$KX_BUILD/win64" && ctest --output-on-failure --timeout 120 "${ctest_filter[@]}")
unit_rc=$?
kx_end_wine_session

kx_say "End-to-end tests (Kestrix.exe under Wine, driven through X)"
mkdir -p "$KX_BUILD/screenshots"
# Every wait inside has its own deadline; the outer limit only guards against the unforeseen.
KX_BUILD_DIR="$KX_BUILD" timeout --kill-after=30 1800 "$KX_BUILD/host/e2e/kx_e2e_tests" --gtest_filter="$filter" \
  --gtest_output="xml:$KX_BUILD/e2e-results.xml"
e2e_rc=$?

echo
kx_say "Summary"
result() { [ "$1" -eq 0 ] && echo PASS || echo "FAIL (exit $1)"; }
echo "    build        : PASS (win64 and win32 Kestrix.exe)"
echo "    pictures     : $(result $pictures_rc)"
echo "    beside exe   : $(result $beside_rc)"
echo "    unit tests   : $(result $unit_rc)"
echo "    end-to-end   : $(result $e2e_rc)   screenshots in $KX_BUILD/screenshots"
if [ $pictures_rc -eq 0 ] && [ $beside_rc -eq 0 ] && [ $unit_rc -eq 0 ] && [ $e2e_rc -eq 0 ]; then
  echo "ALL TESTS PASSED"
  exit 0
fi
echo "TESTS FAILED"
exit 1
