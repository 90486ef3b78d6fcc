#include <array>

#include "pictures.h"

namespace resgen {

namespace {

constexpr int kTileSize = 37;
constexpr int kStates = 4;  // normal, hover, pressed, disabled

struct StateColours {
  Rgb frame, fill, glyph;
};

constexpr std::array<StateColours, kStates> kButtonStates = {{
    {RgbHex(0xDCDCDC), RgbHex(0xF2F2F2), RgbHex(0xB5B5B5)},
    {RgbHex(0xC6C6C6), RgbHex(0xF4F4F4), RgbHex(0x979797)},
    {RgbHex(0xCBCBCB), RgbHex(0xE9E9E9), RgbHex(0x979797)},
    {RgbHex(0xDCDCDC), RgbHex(0xF2F2F2), RgbHex(0xC7C7C7)},
}};

// A chevron of three-pixel arms meeting at a tip, drawn with exact pixels so that it
// stays crisp at 5 x 9.
void Chevron(Canvas& c, int x, int y, bool pointsLeft, Rgb ink) {
  for (int row = 0; row < 9; ++row) {
    int depth = row <= 4 ? row : 8 - row;  // 0 at the ends, 4 at the tip
    int col = pointsLeft ? 4 - depth : depth;
    c.Set(x + col, y + row, ink);
    int thick = pointsLeft ? col + 1 : col - 1;
    if (thick >= 0 && thick < 5) c.Set(x + thick, y + row, Mix(ink, c.At(x + thick, y + row), 0.5));
  }
}

void VerticalChevron(Canvas& c, int x, int y, bool pointsUp, Rgb ink) {
  for (int col = 0; col < 9; ++col) {
    int depth = col <= 4 ? col : 8 - col;
    int row = pointsUp ? 4 - depth : depth;
    c.Set(x + col, y + row, ink);
    int thick = pointsUp ? row + 1 : row - 1;
    if (thick >= 0 && thick < 5) c.Set(x + col, y + thick, Mix(ink, c.At(x + col, y + thick), 0.5));
  }
}

void DrawGlyphPicture(Canvas& c, Glyph glyph, int top, Rgb ink) {
  int w = c.width();
  switch (glyph) {
    case Glyph::ChevronLeft:
      Chevron(c, 0, top, true, ink);
      break;
    case Glyph::ChevronRight:
      Chevron(c, 0, top, false, ink);
      break;
    case Glyph::Triangle:
      for (int row = 0; row < 5; ++row) c.HLine(row, w - 1 - row, top + row, ink);
      break;
    case Glyph::Check: {
      Canvas picture(13, 13, c.At(0, top));
      picture.StrokeLine(2, 6.8, 5.2, 10, 2.2, ink);
      picture.StrokeLine(5.2, 10, 11, 2.6, 2.2, ink);
      c.Blit(picture, 0, 0, 13, 13, 0, top);
      break;
    }
    case Glyph::Cross: {
      Canvas picture(13, 13, c.At(0, top));
      picture.StrokeLine(3, 3, 10, 10, 2.0, ink);
      picture.StrokeLine(10, 3, 3, 10, 2.0, ink);
      c.Blit(picture, 0, 0, 13, 13, 0, top);
      break;
    }
    case Glyph::Switch:
      Chevron(c, 0, top, true, ink);
      Chevron(c, 10, top, false, ink);
      break;
    case Glyph::Spin:
      VerticalChevron(c, 0, top + 1, true, ink);
      VerticalChevron(c, 0, top + 11, false, ink);
      break;
    case Glyph::Swatch:
      c.FillRect(0, top, 13, 3, ink);  // the thick title bar
      c.VLine(0, top, top + 10, ink);
      c.VLine(12, top, top + 10, ink);
      c.HLine(0, 12, top + 10, ink);
      break;
  }
}

struct GlyphSize {
  int width, pictureHeight;
};

GlyphSize SizeOf(Glyph glyph) {
  switch (glyph) {
    case Glyph::ChevronLeft:
    case Glyph::ChevronRight:
      return {5, 9};
    case Glyph::Triangle:
      return {9, 5};
    case Glyph::Check:
    case Glyph::Cross:
      return {13, 13};
    case Glyph::Switch:
      return {15, 9};
    case Glyph::Spin:
      return {9, 17};
    case Glyph::Swatch:
      return {13, 11};
  }
  return {1, 1};
}

// Title-bar buttons sit at y 1 over the band's light line and the top of its gradient,
// so the normal picture repeats exactly those skin rows.
Canvas TitleBackground(int width, Rgb top, Rgb bottom) {
  Canvas c(width, 17, kInnerLine);
  c.VerticalGradient(0, 1, width, 16, top, Mix(top, bottom, 15.0 / 25));
  return c;
}

void DrawTitleSymbol(Canvas& c, TitleButton button, Rgb ink) {
  double cx = c.width() / 2.0, cy = 9.0;
  switch (button) {
    case TitleButton::Close:
      c.StrokeLine(cx - 3.5, cy - 3.5, cx + 3.5, cy + 3.5, 1.6, ink);
      c.StrokeLine(cx + 3.5, cy - 3.5, cx - 3.5, cy + 3.5, 1.6, ink);
      break;
    case TitleButton::Minimise:
      c.FillRect(int(cx) - 4, 12, 9, 2, ink);
      break;
    case TitleButton::Menu:
      for (int i = 0; i < 4; ++i) c.HLine(int(cx) - 4, int(cx) + 4, 4 + 3 * i, ink);
      break;
  }
}

}  // namespace

Canvas DrawButtonTile() {
  Canvas tile(kTileSize, kTileSize * kStates, kWhite);
  for (int s = 0; s < kStates; ++s) {
    Canvas one(kTileSize, kTileSize, kWhite);
    one.FillRoundRect(2, 2, kTileSize - 2, kTileSize - 2, 4, kButtonStates[s].frame);
    one.FillRoundRect(3, 3, kTileSize - 3, kTileSize - 3, 3, kButtonStates[s].fill);
    tile.Blit(one, 0, 0, kTileSize, kTileSize, 0, kTileSize * s);
  }
  return tile;
}

Canvas DrawGlyph(Glyph glyph) {
  GlyphSize size = SizeOf(glyph);
  Canvas c(size.width, size.pictureHeight * kStates);
  for (int s = 0; s < kStates; ++s) {
    int top = size.pictureHeight * s;
    c.FillRect(0, top, size.width, size.pictureHeight, kButtonStates[s].fill);
    DrawGlyphPicture(c, glyph, top, kButtonStates[s].glyph);
  }
  return c;
}

Canvas DrawTitleButton(TitleButton button) {
  int width = button == TitleButton::Close ? 41 : 23;
  const Rgb tops[] = {kBandTop, Mix(kBandTop, kWhite, 0.18), kOutline};
  const Rgb bottoms[] = {kBandBottom, Mix(kBandBottom, kWhite, 0.18), kOutline};
  Canvas strip(width, 17 * 3);
  for (int s = 0; s < 3; ++s) {
    Canvas one = TitleBackground(width, tops[s], bottoms[s]);
    DrawTitleSymbol(one, button, kWhite);
    strip.Blit(one, 0, 0, width, 17, 0, 17 * s);
  }
  return strip;
}

}  // namespace resgen
