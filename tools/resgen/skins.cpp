#include "pictures.h"

namespace resgen {

namespace {

constexpr int kSkinWidth = 320;
constexpr int kSkinHeight = 47;
constexpr int kBandHeight = 43;
constexpr int kGradientFirstRow = 2, kGradientLastRow = 27;
constexpr int kDarkRow = 28;
constexpr int kPaleFirstRow = 29;

// Three nested rounded outlines (dark, light, dark) around `inner`, cut to `rows`.
// Drawing the shape taller than the cut keeps the cut edge straight.
void NestedOutline(Canvas& c, double top, double bottom, Rgb inner) {
  double w = c.width();
  c.FillRoundRect(0, top, w, bottom, 4, kOutline);
  c.FillRoundRect(1, top + 1, w - 1, bottom - 1, 3, kInnerLine);
  c.FillRoundRect(2, top + 2, w - 2, bottom - 2, 2, kOutline);
  c.FillRoundRect(3, top + 3, w - 3, bottom - 3, 1, inner);
}

Canvas DrawTitleBand(Rgb bandTop, Rgb bandBottom) {
  Canvas band(kSkinWidth, kBandHeight, kWhite);
  NestedOutline(band, 0, kBandHeight + 10, kPaleBottom);
  // The blue part has no inner dark line: its gradient runs right up to the light line.
  band.VerticalGradient(2, kGradientFirstRow, kSkinWidth - 4,
                        kGradientLastRow - kGradientFirstRow + 1, bandTop, bandBottom);
  band.HLine(0, kSkinWidth - 1, kDarkRow, kOutline);
  band.VerticalGradient(3, kPaleFirstRow, kSkinWidth - 6, kBandHeight - kPaleFirstRow, kPaleTop,
                        kPaleBottom);
  return band;
}

Canvas DrawBottomEdge() {
  Canvas edge(kSkinWidth, 14, kWhite);
  NestedOutline(edge, -10, 14, kWhite);
  return edge;
}

Canvas DrawSkin(Rgb bandTop, Rgb bandBottom) {
  Canvas skin(kSkinWidth, kSkinHeight, kWhite);
  Canvas band = DrawTitleBand(bandTop, bandBottom);
  skin.Blit(band, 0, 0, kSkinWidth, kBandHeight, 0, 0);
  Canvas edge = DrawBottomEdge();
  skin.Blit(edge, 0, 10, kSkinWidth, kSkinHeight - kBandHeight, 0, kBandHeight);
  return skin;
}

}  // namespace

Canvas DrawMainSkin() {
  return DrawSkin(kBandTop, kBandBottom);
}

Canvas DrawToolSkin() {
  return DrawSkin(kBandTop, kBandBottom);
}

}  // namespace resgen
