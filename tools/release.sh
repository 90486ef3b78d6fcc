#!/usr/bin/env bash
# Builds both executables and packs one zip per architecture with what a user installs:
# Kestrix.exe, the help file Kestrix.chm and the capture sound kest.wav, side by side.
# The entries carry one fixed date, so the archives change only when their files do.
# Then proves each archive: unzipped into a fresh prefix, its Kestrix.exe is started on a
# virtual display and takes captures (PrintScreen and a drag, a repeat, Fullscreen), whose
# files must decode to the pixels on the screen.
# Usage: tools/release.sh   (zips in build/release)
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kx_setup || exit 1

version=$(sed -n 's/^project(Kestrix VERSION \([0-9.]*\).*/\1/p' "$KX_ROOT/CMakeLists.txt")
release="$KX_BUILD/release"
files=(Kestrix.exe Kestrix.chm kest.wav)
zips=()
mkdir -p "$release"
kx_say "Packing Kestrix $version"
for arch in win64 win32; do
  stage=$(mktemp -d)
  for f in "${files[@]}"; do
    cp "$KX_BUILD/$arch/$f" "$stage/" || { rm -rf "$stage"; exit 1; }
    touch -d '2026-01-01 00:00:00 UTC' "$stage/$f"
  done
  zip_path="$release/Kestrix-$version-$arch.zip"
  rm -f "$zip_path"
  (cd "$stage" && TZ=UTC zip -q -X "$zip_path" "${files[@]}") || { rm -rf "$stage"; exit 1; }
  rm -rf "$stage"
  # The archive must hold exactly the three files.
  listed=$(unzip -Z1 "$zip_path" | sort | tr '\n' ' ')
  [ "$listed" = "$(printf '%s\n' "${files[@]}" | sort | tr '\n' ' ')" ] ||
    { echo "$zip_path holds: $listed" >&2; exit 1; }
  echo "    $zip_path  ($(stat -c %s "$zip_path") bytes: $listed)"
  zips+=("$zip_path")
done

for zip_path in "${zips[@]}"; do
  arch=${zip_path%.zip}
  arch=${arch##*-}
  kx_say "Proving $(basename "$zip_path"): unzipped into a fresh prefix, it captures"
  KX_BUILD_DIR="$KX_BUILD" KX_ARCH=$arch KX_RELEASE_ZIP="$zip_path" timeout --kill-after=30 300 \
    "$KX_BUILD/host/e2e/kx_e2e_tests" --gtest_brief=1 \
    --gtest_filter='CaptureFlowsE2E.PrintScreenDragsAnAreaOfThePicture' ||
    { echo "$zip_path does not capture" >&2; exit 1; }
done
