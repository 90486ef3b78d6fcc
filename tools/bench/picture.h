// A picture as the benchmark shows it and reads it back: 0x00RRGGBB pixels, top row first.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kx::bench {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// A 32-bit top-down DIB header of the given size.
BITMAPINFO TopDown32(int width, int height);

// FNV-1a over the red, green and blue of every pixel; the unused top byte does not count.
uint64_t Checksum(const Picture& picture);

// Pixels that differ in colour; every pixel when the sizes differ.
size_t CountDifferences(const Picture& a, const Picture& b);

// The pixels of a GDI bitmap (an empty picture when it cannot be read).
Picture ReadBitmap(HBITMAP bitmap);

}  // namespace kx::bench
