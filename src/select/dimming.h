// The grey, darker copy of the screen that the selection overlays show around the chosen
// area. A pure pass over a device-independent pixel buffer, apart from any window code.
#pragma once

#include <cstdint>

namespace kx {

// Row stride of a bottom-up or top-down DIB without compression, in bytes.
int DibStride(int width, int bitsPerPixel);

// Replaces every pixel of the buffer by its grey value:
//   v = sqrt(0.099 r^2 - 0.019 b^2 + 0.199 g^2) at 32 bits, blue and red weights exchanged at
//   24 bits (byte 0 weighted 0.099, byte 2 -0.019); a negative radicand gives 0; truncated.
// The result is byte-for-byte the double-precision formula, computed in integers: 1000 times
// the radicand is an exact integer k, and the grey is the truncated root of k / 1000, except
// where k / 1000 is exactly a square and the double's rounding decides. Other depths are left
// alone; row padding is never touched.
class ScreenDimmer {
 public:
  ScreenDimmer();
  void Dim(uint8_t* bits, int width, int height, int bitsPerPixel) const {
    Dim(bits, bits, width, height, bitsPerPixel);
  }
  // The same into another buffer of the same layout (or the same one); at other depths
  // nothing is written.
  void Dim(const uint8_t* from, uint8_t* to, int width, int height, int bitsPerPixel) const;

 private:
  uint8_t Grey(uint8_t heavy, uint8_t green, uint8_t negative) const;
  void DimRow32(const uint8_t* from, uint8_t* to, int width) const;

  // The largest radicand: 0.099 x 255 x 255 + 0.199 x 255 x 255, below 19378; its grey, 139.
  static constexpr int kRadicands = 19379, kGreys = 140;
  // Arrays, not pointers, so that the pixel stores cannot make the compiler reload them.
  int32_t thousand099_[256], thousand019_[256], thousand199_[256];  // 1000 x the weighted squares
  uint32_t thousandSquare_[kGreys];                                 // 1000 k^2
  uint8_t greyFloor_[kRadicands];  // the grey of each integer radicand
  // For the radicands that are squares: the formula's terms as it rounds them, and the least
  // double whose grey is k.
  double weighted099_[256], weighted019_[256], weighted199_[256];
  double firstOf_[kGreys];
};

}  // namespace kx
