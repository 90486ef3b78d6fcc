#!/usr/bin/env bash
# Runs every test of Kestrix: builds both executables, then, for each of them (64-bit and
# 32-bit), the unit tests under Wine (ctest, private Xvfb and prefix) and the end-to-end tests
# (that build's Kestrix.exe under Wine).
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

archs=(win64 win32)
declare -A unit_rc unit_count e2e_rc e2e_count
# The whole suite must find tests in both builds: a build without them is a failure, not a pass.
ctest_filter=(--no-tests=error)
[ "$filter" != "*" ] && ctest_filter=(-R "$filter")
for arch in "${archs[@]}"; do
  kx_say "Unit tests, $arch (GoogleTest under Wine)"
  kx_begin_wine_session "unit-$arch" 1280x800 || exit 1
  (cd "$KX_BUILD/$arch" && ctest --output-on-failure --timeout 120 "${ctest_filter[@]}") |
    tee "$KX_BUILD/unit-$arch.log"
  unit_rc[$arch]=${PIPESTATUS[0]}
  kx_end_wine_session
  # "100% tests passed, 0 tests failed out of 81"
  unit_count[$arch]=$(sed -n 's/.*tests passed, \([0-9]*\) tests\? failed out of \([0-9]*\).*/\2 \1/p' \
    "$KX_BUILD/unit-$arch.log")

  kx_say "End-to-end tests, $arch (its Kestrix.exe under Wine, driven through X)"
  # Every wait inside has its own deadline; the outer limit only guards against the unforeseen.
  KX_BUILD_DIR="$KX_BUILD" KX_ARCH=$arch timeout --kill-after=30 1800 \
    "$KX_BUILD/host/e2e/kx_e2e_tests" --gtest_filter="$filter" \
    --gtest_output="xml:$KX_BUILD/e2e-results-$arch.xml"
  e2e_rc[$arch]=$?
  # <testsuites tests="45" failures="0" ...
  e2e_count[$arch]=$(sed -n 's/^<testsuites tests="\([0-9]*\)" failures="\([0-9]*\)".*/\1 \2/p' \
    "$KX_BUILD/e2e-results-$arch.xml" 2>/dev/null)
done

echo
kx_say "Summary"
result() { [ "$1" -eq 0 ] && echo PASS || echo "FAIL (exit $1)"; }
# "PASS, 0 of 9 failed" or "FAIL (exit 8), 1 of 9 failed" in a column of the given width, from
# an exit code and "<tests> <failed>".
layer() {
  local width=$1 rc=$2 total failed
  read -r total failed <<<"$3"
  printf '%-*s' "$width" "$(result "$rc")${total:+, ${failed:-0} of $total failed}"
}
echo "    build        : PASS (win64 and win32 Kestrix.exe)"
echo "    pictures     : $(result $pictures_rc)"
echo "    beside exe   : $(result $beside_rc)"
printf '    %-12s   %-34s%s\n' "" "64-bit (win64)" "32-bit (win32)"
echo "    unit tests   : $(layer 34 "${unit_rc[win64]}" "${unit_count[win64]}")$(layer 0 "${unit_rc[win32]}" "${unit_count[win32]}")"
echo "    end-to-end   : $(layer 34 "${e2e_rc[win64]}" "${e2e_count[win64]}")$(layer 0 "${e2e_rc[win32]}" "${e2e_count[win32]}")"
echo "    screenshots in $KX_BUILD/screenshots/win64 and win32"
passed=0 failed=0 ok=$((pictures_rc + beside_rc))
for arch in "${archs[@]}"; do
  for layer in unit e2e; do
    declare -n rc=${layer}_rc count=${layer}_count
    read -r total bad <<<"${count[$arch]}"
    # A run that ended without a report counts as one failed test.
    [ -z "$total" ] && [ "${rc[$arch]}" -ne 0 ] && bad=1
    passed=$((passed + ${total:-0} - ${bad:-0})) failed=$((failed + ${bad:-0}))
    ok=$((ok + rc[$arch]))
    unset -n rc count
  done
done
[ $ok -eq 0 ] && echo "ALL TESTS PASSED" || echo "TESTS FAILED"
echo "tests: $passed passed, $failed failed"
[ $ok -eq 0 ]
