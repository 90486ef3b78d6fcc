// The program's pictures. Each function draws one picture at its fixed size.
#pragma once

#include "canvas.h"

namespace resgen {

// The brand colours every picture shares.
inline constexpr Rgb kOutline = RgbHex(0x2A5090);
inline constexpr Rgb kInnerLine = RgbHex(0x7795C8);
inline constexpr Rgb kBandTop = RgbHex(0x587BB5);
inline constexpr Rgb kBandBottom = RgbHex(0x4D6FAA);
inline constexpr Rgb kWhite = RgbHex(0xFFFFFF);

// The application icon at size x size pixels, transparent outside its rounded square.
Canvas DrawAppIcon(int size);

}  // namespace resgen
