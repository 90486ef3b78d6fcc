#!/usr/bin/env bash
# Builds both executables and packs one zip per architecture with what a user installs:
# Kestrix.exe, the help file Kestrix.chm and the capture sound kest.wav, side by side.
# The entries carry one fixed date, so the archives change only when their files do.
# Usage: tools/release.sh   (zips in build/release)
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kx_ensure_packages || { echo "Could not install the packages" >&2; exit 1; }
kx_build || { echo "Build failed" >&2; exit 1; }

version=$(sed -n 's/^project(Kestrix VERSION \([0-9.]*\).*/\1/p' "$KX_ROOT/CMakeLists.txt")
release="$KX_BUILD/release"
files=(Kestrix.exe Kestrix.chm kest.wav)
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
done
