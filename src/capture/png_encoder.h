// Our own PNG writer for captures: 8-bit RGB, each row filtered (Up, or Sub or Paeth where a
// sampled estimate finds them clearly smaller), then a fast deflate made for screens (flat
// areas and repeated rows become the longest matches) in Huffman blocks. The platform's
// encoder writes rows unfiltered with a slow, thorough deflate; this one is many times faster
// at a similar size. No platform headers, only SSE2 (which both builds require) for a
// checksum, so it also builds and runs natively on x86.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace kx {

// Rows of 4-byte pixels (blue, green, red, one unused byte), as a 32-bit DIB or GDI+ image
// holds them, top row first, `stride` bytes from one row to the next.
struct PngSource {
  const uint8_t* pixels;
  int width, height;
  ptrdiff_t stride;
};

// Takes the file's bytes in order, a few pieces of up to about 400 KB; false stops the writing.
using PngWrite = std::function<bool(const uint8_t* bytes, size_t size)>;

enum class PngStatus { kWritten, kOutOfMemory, kWriteFailed };

// Writes the pixels as a PNG file: signature, header, the data in chunks of about 256 KB, end.
// Out of memory also for an image too wide to address.
PngStatus WritePng(const PngSource& source, const PngWrite& write);

}  // namespace kx
