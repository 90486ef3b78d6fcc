#include "writers.h"

#include <cstdint>
#include <fstream>

namespace resgen {

namespace {

class ByteWriter {
 public:
  void U8(uint8_t v) { bytes.push_back(v); }
  void U16(uint16_t v) {
    U8(uint8_t(v));
    U8(uint8_t(v >> 8));
  }
  void U32(uint32_t v) {
    U16(uint16_t(v));
    U16(uint16_t(v >> 16));
  }
  std::vector<uint8_t> bytes;
};

bool Save(const std::vector<uint8_t>& bytes, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

void InfoHeader(ByteWriter& w, int width, int height, int bits, uint32_t imageSize) {
  w.U32(40);
  w.U32(uint32_t(width));
  w.U32(uint32_t(height));
  w.U16(1);
  w.U16(uint16_t(bits));
  w.U32(0);  // BI_RGB
  w.U32(imageSize);
  w.U32(2835);  // 72 dpi
  w.U32(2835);
  w.U32(0);
  w.U32(0);
}

// The icon image: BGRA rows bottom-up, then a 1-bit AND mask padded to 32 bits per row.
std::vector<uint8_t> IconImage(const Canvas& c) {
  int n = c.width();
  int maskStride = ((n + 31) / 32) * 4;
  ByteWriter w;
  InfoHeader(w, n, n * 2, 32, uint32_t(n * n * 4 + maskStride * n));
  for (int y = n - 1; y >= 0; --y)
    for (int x = 0; x < n; ++x) {
      Rgb p = c.At(x, y);
      w.U8(p.b);
      w.U8(p.g);
      w.U8(p.r);
      w.U8(c.AlphaAt(x, y));
    }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(maskStride), 0);
    for (int x = 0; x < n; ++x)
      if (c.AlphaAt(x, y) == 0) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    for (uint8_t b : row) w.U8(b);
  }
  return w.bytes;
}

}  // namespace

bool WriteBmp24(const Canvas& c, const std::string& path) {
  int stride = (c.width() * 3 + 3) & ~3;
  uint32_t imageSize = uint32_t(stride * c.height());
  ByteWriter w;
  w.U16(0x4D42);  // "BM"
  w.U32(14 + 40 + imageSize);
  w.U32(0);
  w.U32(14 + 40);
  InfoHeader(w, c.width(), c.height(), 24, imageSize);
  for (int y = c.height() - 1; y >= 0; --y) {
    for (int x = 0; x < c.width(); ++x) {
      Rgb p = c.At(x, y);
      w.U8(p.b);
      w.U8(p.g);
      w.U8(p.r);
    }
    for (int pad = c.width() * 3; pad < stride; ++pad) w.U8(0);
  }
  return Save(w.bytes, path);
}

bool WriteIco(const std::vector<Canvas>& images, const std::string& path) {
  std::vector<std::vector<uint8_t>> encoded;
  for (const Canvas& c : images) encoded.push_back(IconImage(c));
  ByteWriter w;
  w.U16(0);
  w.U16(1);  // icon
  w.U16(uint16_t(images.size()));
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    int n = images[i].width();
    w.U8(uint8_t(n >= 256 ? 0 : n));
    w.U8(uint8_t(n >= 256 ? 0 : n));
    w.U8(0);
    w.U8(0);
    w.U16(1);
    w.U16(32);
    w.U32(uint32_t(encoded[i].size()));
    w.U32(offset);
    offset += uint32_t(encoded[i].size());
  }
  for (const auto& e : encoded) w.bytes.insert(w.bytes.end(), e.begin(), e.end());
  return Save(w.bytes, path);
}

bool WriteWav16(const std::vector<int16_t>& samples, int sampleRate, const std::string& path) {
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  ByteWriter w;
  for (char c : std::string("RIFF")) w.U8(uint8_t(c));
  w.U32(36 + dataBytes);
  for (char c : std::string("WAVEfmt ")) w.U8(uint8_t(c));
  w.U32(16);  // PCM format chunk
  w.U16(1);   // WAVE_FORMAT_PCM
  w.U16(1);   // mono
  w.U32(uint32_t(sampleRate));
  w.U32(uint32_t(sampleRate) * 2);  // bytes per second
  w.U16(2);                         // block align
  w.U16(16);
  for (char c : std::string("data")) w.U8(uint8_t(c));
  w.U32(dataBytes);
  for (int16_t v : samples) w.U16(uint16_t(v));
  return Save(w.bytes, path);
}

}  // namespace resgen
