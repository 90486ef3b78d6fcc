#include "select/dimming.h"

#include <cmath>
#include <cstring>
#include <emmintrin.h>

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

// Screens are mostly flat: four pixels like the four before take their greys as they are.
void ScreenDimmer::DimRow32(const uint8_t* p, uint8_t* q, int width) const {
  auto grey = [this](const uint8_t* pixel) {
    return int(Grey(pixel[2], pixel[1], pixel[0]) * 0x010101u);
  };
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);  // not the unused bytes
  __m128i lastFour = _mm_setzero_si128(), lastGreys = _mm_setzero_si128();  // black stays black
  int x = 0;
  for (; x + 4 <= width; x += 4, p += 16, q += 16) {
    const __m128i four =
        _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), colour);
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(four, lastFour)) != 0xFFFF) {
      lastFour = four;
      lastGreys = _mm_setr_epi32(grey(p), grey(p + 4), grey(p + 8), grey(p + 12));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(q), lastGreys);
  }
  for (; x < width; ++x, p += 4, q += 4) {
    const int pixelGrey = grey(p);
    std::memcpy(q, &pixelGrey, 4);
  }
}

void ScreenDimmer::Dim(const uint8_t* from, uint8_t* to, int width, int height,
                       int bitsPerPixel) const {
  if (bitsPerPixel != 24 && bitsPerPixel != 32) return;
  const int stride = DibStride(width, bitsPerPixel);
  for (int row = 0; row < height; ++row) {
    const uint8_t* p = from + size_t(row) * stride;
    uint8_t* q = to + size_t(row) * stride;
    if (bitsPerPixel == 32) {
      DimRow32(p, q, width);
      continue;
    }
    for (int x = 0; x < width; ++x, p += 3, q += 3) q[0] = q[1] = q[2] = Grey(p[0], p[1], p[2]);
  }
}

}  // namespace kx
