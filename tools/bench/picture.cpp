#include "picture.h"

#include <algorithm>

#include "base/handles.h"

namespace kx::bench {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

uint64_t Checksum(const Picture& picture) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (uint32_t pixel : picture.pixels)
    for (int shift = 0; shift < 24; shift += 8) {
      hash ^= (pixel >> shift) & 0xFF;
      hash *= 0x100000001B3ull;
    }
  return hash;
}

size_t CountDifferences(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height) return std::max(a.pixels.size(), b.pixels.size());
  size_t count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i)
    count += ((a.pixels[i] ^ b.pixels[i]) & 0xFFFFFF) != 0;
  return count;
}

Picture ReadBitmap(HBITMAP bitmap) {
  Picture picture;
  BITMAP bm = {};
  if (!bitmap || !GetObjectW(bitmap, sizeof(bm), &bm)) return picture;
  std::vector<uint32_t> pixels(size_t(bm.bmWidth) * bm.bmHeight);
  BITMAPINFO info = TopDown32(bm.bmWidth, bm.bmHeight);
  ScopedWindowDc screen(nullptr);
  if (GetDIBits(screen.Get(), bitmap, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS) !=
      bm.bmHeight)
    return picture;
  picture = {bm.bmWidth, bm.bmHeight, std::move(pixels)};
  return picture;
}

}  // namespace kx::bench
