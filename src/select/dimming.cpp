#include "select/dimming.h"

#include <cmath>
#include <cstring>

namespace kx {

namespace {

uint8_t GreyOfRadicand(double radicand) {
  double v = std::sqrt(radicand);
  if (!(v >= 0)) v = 0;  // a negative radicand gives not-a-number
  if (v > 255) v = 255;
  return uint8_t(v);
}

}  // namespace

int DibStride(int width, int bitsPerPixel) {
  return (width * bitsPerPixel + 31) / 32 * 4;
}

ScreenDimmer::ScreenDimmer() {
  for (int x = 0; x < 256; ++x) {
    thousand099_[x] = 99 * x * x;
    thousand019_[x] = 19 * x * x;
    thousand199_[x] = 199 * x * x;
    // Written as the formula groups them, so that each product rounds the same way.
    weighted099_[x] = 0.099 * x * x;
    weighted019_[x] = 0.019 * x * x;
    weighted199_[x] = 0.199 * x * x;
  }
  // The grey is monotonic in the radicand, so each value starts at one least double: walk
  // down from k^2 while the square root still rounds up to k.
  firstOf_[0] = thousandSquare_[0] = 0;
  for (int k = 1; k < kGreys; ++k) {
    thousandSquare_[k] = 1000u * k * k;
    double first = double(k) * k;
    for (double below = std::nextafter(first, 0.0); GreyOfRadicand(below) >= k;
         below = std::nextafter(below, 0.0))
      first = below;
    firstOf_[k] = first;
  }
  for (int i = 0; i < kRadicands; ++i) greyFloor_[i] = GreyOfRadicand(i);
}

uint8_t ScreenDimmer::Grey(uint8_t heavy, uint8_t green, uint8_t negative) const {
  const int32_t k = thousand099_[heavy] - thousand019_[negative] + thousand199_[green];
  if (k <= 0) return 0;  // the formula's radicand is 0 or a negative that gives 0
  // The integer radicand's grey is the exact one, since k / 1000 lies at least 0.001 from the
  // next square, far beyond the double's rounding, unless it is that square.
  const uint8_t grey = greyFloor_[uint32_t(k) / 1000];
  if (uint32_t(k) != thousandSquare_[grey]) return grey;
  const double radicand = weighted099_[heavy] - weighted019_[negative] + weighted199_[green];
  return uint8_t(grey - 1 + (radicand >= firstOf_[grey]));
}

void ScreenDimmer::Dim(const uint8_t* from, uint8_t* to, int width, int height,
                       int bitsPerPixel) const {
  if (bitsPerPixel != 24 && bitsPerPixel != 32) return;
  const int stride = DibStride(width, bitsPerPixel);
  for (int row = 0; row < height; ++row) {
    const uint8_t* p = from + size_t(row) * stride;
    uint8_t* q = to + size_t(row) * stride;
    if (bitsPerPixel == 24) {
      for (int x = 0; x < width; ++x, p += 3, q += 3) q[0] = q[1] = q[2] = Grey(p[0], p[1], p[2]);
      continue;
    }
    // Screens are mostly flat: two pixels like the two before take their greys as they are.
    uint64_t lastPair = 0, lastGreys = 0;  // black stays black
    int x = 0;
    for (; x + 2 <= width; x += 2, p += 8, q += 8) {
      uint64_t pair;
      std::memcpy(&pair, p, 8);
      pair &= 0x00FFFFFF00FFFFFFull;  // the unused bytes
      if (pair != lastPair) {
        const uint64_t left = Grey(p[2], p[1], p[0]), right = Grey(p[6], p[5], p[4]);
        lastPair = pair, lastGreys = (left | right << 32) * 0x010101u;
      }
      std::memcpy(q, &lastGreys, 8);
    }
    if (x < width) {
      const uint32_t grey = Grey(p[2], p[1], p[0]) * 0x010101u;
      std::memcpy(q, &grey, 4);
    }
  }
}

}  // namespace kx
