// Our own PNG writer for captures: 8-bit RGB, each row filtered (Up, or Sub or Paeth where a
// sampled estimate finds them clearly smaller), then a fast deflate made for screens (flat
// areas and repeated rows become the longest matches) in Huffman blocks. The platform's
// encoder writes rows unfiltered with a slow, thorough deflate; this one is many times faster
// at a similar size. Portable: no platform headers, so it also builds and runs natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kx {

// Rows of 4-byte pixels (blue, green, red, one unused byte), as a 32-bit DIB or GDI+ image
// holds them, top row first, `stride` bytes from one row to the next.
struct PngSource {
  const uint8_t* pixels;
  int width, height;
  ptrdiff_t stride;
};

// The bytes of a whole PNG file.
struct PngFile {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0;
};

// Writes the pixels as a PNG file (signature, header, one data chunk, end). False, with `file`
// empty, only when memory runs out or the rows would take about 2 GB or more.
bool EncodePng(const PngSource& source, PngFile& file);

}  // namespace kx
