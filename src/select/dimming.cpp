#include "select/dimming.h"

#include <cmath>

namespace kx {

namespace {

// The largest radicand: 0.099 x 255 x 255 + 0.199 x 255 x 255, below 19378.
constexpr int kRadicandBuckets = 19379;

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

ScreenDimmer::ScreenDimmer() : greyFloor_(kRadicandBuckets) {
  // Written as the formula groups them, so that each product rounds the same way.
  for (int x = 0; x < 256; ++x) {
    weighted099_[x] = 0.099 * x * x;
    weighted019_[x] = 0.019 * x * x;
    weighted199_[x] = 0.199 * x * x;
  }
  // The grey is monotonic in the radicand, so each value starts at one least double: walk
  // down from k^2 while the square root still rounds up to k.
  firstOf_[0] = 0;
  for (int k = 1; k < 256; ++k) {
    double first = double(k) * k;
    for (double below = std::nextafter(first, 0.0); GreyOfRadicand(below) >= k;
         below = std::nextafter(below, 0.0))
      first = below;
    firstOf_[k] = k < 140 ? first : INFINITY;  // greys above 139 cannot occur
  }
  for (int i = 0; i < kRadicandBuckets; ++i) greyFloor_[i] = GreyOfRadicand(i);
}

uint8_t ScreenDimmer::Grey(uint8_t heavy, uint8_t green, uint8_t negative) const {
  double radicand = weighted099_[heavy] - weighted019_[negative] + weighted199_[green];
  if (!(radicand > 0)) return 0;
  uint8_t grey = greyFloor_[int(radicand)];
  return grey + (radicand >= firstOf_[grey + 1]);
}

void ScreenDimmer::Dim(uint8_t* bits, int width, int height, int bitsPerPixel) const {
  if (bitsPerPixel != 24 && bitsPerPixel != 32) return;
  const int stride = DibStride(width, bitsPerPixel), step = bitsPerPixel / 8;
  for (int row = 0; row < height; ++row) {
    uint8_t* p = bits + size_t(row) * stride;
    if (step == 4) {
      for (int x = 0; x < width; ++x, p += 4) {
        const uint8_t grey = Grey(p[2], p[1], p[0]);
        p[0] = p[1] = p[2] = grey;
        p[3] = 0;
      }
    } else {
      for (int x = 0; x < width; ++x, p += 3) p[0] = p[1] = p[2] = Grey(p[0], p[1], p[2]);
    }
  }
}

}  // namespace kx
