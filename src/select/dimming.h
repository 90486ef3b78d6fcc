// The grey, darker copy of the screen that the selection overlays show around the chosen
// area. A pure pass over a device-independent pixel buffer, apart from any window code.
#pragma once

#include <cstdint>
#include <vector>

namespace kx {

// Row stride of a bottom-up or top-down DIB without compression, in bytes.
int DibStride(int width, int bitsPerPixel);

// Replaces every pixel of the buffer by its grey value:
//   v = sqrt(0.099 r^2 - 0.019 b^2 + 0.199 g^2) at 32 bits, blue and red weights exchanged at
//   24 bits (byte 0 weighted 0.099, byte 2 -0.019); a negative radicand gives 0; truncated.
// The result is byte-for-byte the double-precision formula, computed without a square root
// per pixel. Other depths are left alone; row padding is never touched.
class ScreenDimmer {
 public:
  ScreenDimmer();
  void Dim(uint8_t* bits, int width, int height, int bitsPerPixel) const;

 private:
  double weighted099_[256], weighted019_[256], weighted199_[256];
  // greyFloor_[i] is the grey of the radicand i; a radicand in [i, i + 1) is one more when it
  // reaches firstOf_[greyFloor_[i] + 1], the least double whose grey is that value.
  std::vector<uint8_t> greyFloor_;
  double firstOf_[256];
};

}  // namespace kx
