// The program's pictures. Each function draws one picture at its fixed size.
#pragma once

#include "canvas.h"

namespace resgen {

// The brand colours every picture shares.
inline constexpr Rgb kOutline = RgbHex(0x2A5090);
inline constexpr Rgb kInnerLine = RgbHex(0x7795C8);
inline constexpr Rgb kBandTop = RgbHex(0x587BB5);
inline constexpr Rgb kBandBottom = RgbHex(0x4D6FAA);
inline constexpr Rgb kPaleTop = RgbHex(0xC3DAF0);
inline constexpr Rgb kPaleBottom = RgbHex(0xF9FBFD);
inline constexpr Rgb kWhite = RgbHex(0xFFFFFF);

// The brand mark: a rounded blue tile with the four corner marks of a capture frame and a
// lens, filling the whole canvas.
struct ViewfinderStyle {
  double radius;
  Rgb top, bottom;  // the tile's vertical gradient
  double marginX, marginY, arm, stroke;
  double lens;
  double pupil = 0;  // a dark dot in the lens, when above 0
};
void DrawViewfinderTile(Canvas& canvas, const ViewfinderStyle& style);

// The application icon at size x size pixels, transparent outside its rounded square.
Canvas DrawAppIcon(int size);

// Window skins, 320 x 47: title band in rows 0-42, bottom edge in rows 43-46.
Canvas DrawMainSkin();
Canvas DrawToolSkin();

// Product logos on the white window body: 56 x 48 (main window) and 103 x 86 (about window).
Canvas DrawLogo(int width, int height);

// Button pictures: the 37 x 148 frame tile, the glyphs with their four stacked states,
// and the three-state strips of the main window's title bar.
Canvas DrawButtonTile();
enum class Glyph { ChevronLeft, ChevronRight, Triangle, Check, Cross, Switch, Spin, Swatch };
Canvas DrawGlyph(Glyph glyph);
enum class TitleButton { Close, Minimise, Menu };
Canvas DrawTitleButton(TitleButton button);

}  // namespace resgen
