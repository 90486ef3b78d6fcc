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

void ScreenDimmer::Dim(uint8_t* bits, int width, int height, int bitsPerPixel) const {
  if (bitsPerPixel != 24 && bitsPerPixel != 32) return;
  const int stride = DibStride(width, bitsPerPixel), step = bitsPerPixel / 8;
  // Local copies: the byte stores below could alias anything the compiler has to reload.
  const double *w099 = weighted099_, *w019 = weighted019_, *w199 = weighted199_;
  const double* firstOf = firstOf_;
  const uint8_t* greyFloor = greyFloor_.data();
  auto grey = [=](uint8_t heavy, uint8_t green, uint8_t negative) {
    double radicand = w099[heavy] - w019[negative] + w199[green];
    radicand = radicand > 0 ? radicand : 0.0;  // a negative radicand gives 0, as 0 does
    const uint8_t floor = greyFloor[int(radicand)];
    return uint8_t(floor + (radicand >= firstOf[floor + 1]));
  };
  for (int row = 0; row < height; ++row) {
    uint8_t* p = bits + size_t(row) * stride;
    if (step == 4) {
      for (int x = 0; x < width; ++x, p += 4) {
        const uint8_t g = grey(p[2], p[1], p[0]);
        p[0] = p[1] = p[2] = g;
        p[3] = 0;
      }
    } else {
      for (int x = 0; x < width; ++x, p += 3) p[0] = p[1] = p[2] = grey(p[0], p[1], p[2]);
    }
  }
}

}  // namespace kx
