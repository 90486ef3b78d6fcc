// The selection overlays: the dimming pass against the formula for every colour, the geometry
// of selection, crosshair, magnifier, glide and candidates. Drags, picks, Escape and the
// overlay's dimming, frame and magnifier as drawn are checked end to end.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "select/area_geometry.h"
#include "select/dimming.h"
#include "select/pick_geometry.h"

namespace kx {

bool operator==(const ScreenRect& a, const ScreenRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
void PrintTo(const ScreenRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

TEST(SelectDimming, EveryColourGivesTheFormulasGreyAt32And24Bits) {
  // 4099 pixels a row leave 3 bytes of padding at 24 bits; the rows hold all 2^24 colours.
  constexpr int kWidth = 4099, kHeight = (1 << 24) / kWidth + 1;
  for (int bits : {32, 24}) {
    const int stride = DibStride(kWidth, bits), step = bits / 8;
    std::vector<uint8_t> buffer(size_t(stride) * kHeight, 0xA5);
    for (uint32_t colour = 0; colour < kWidth * kHeight; ++colour)
      std::memcpy(&buffer[colour / kWidth * stride + colour % kWidth * step], &colour, 3);
    ScreenDimmer().Dim(buffer.data(), kWidth, kHeight, bits);
    int wrong = 0;
    for (uint32_t colour = 0; colour < kWidth * kHeight; ++colour) {
      const int b0 = colour & 0xFF, b1 = (colour >> 8) & 0xFF, b2 = (colour >> 16) & 0xFF;
      const double v = bits == 32 ? std::sqrt(0.099 * b2 * b2 - 0.019 * b0 * b0 + 0.199 * b1 * b1)
                                  : std::sqrt(0.099 * b0 * b0 - 0.019 * b2 * b2 + 0.199 * b1 * b1);
      const uint8_t grey = v >= 0 ? uint8_t(v) : 0;  // not-a-number below 0
      const uint8_t* p = &buffer[colour / kWidth * stride + colour % kWidth * step];
      wrong += p[0] != grey || p[1] != grey || p[2] != grey || (step == 4 && p[3] != 0);
    }
    for (int row = 0; row < kHeight; ++row)
      for (int pad = kWidth * step; pad < stride; ++pad)
        wrong += buffer[row * stride + pad] != 0xA5;
    EXPECT_EQ(wrong, 0) << bits << " bits";
  }
}

TEST(SelectGeometry, SelectionCrosshairMagnifierAndLabel) {
  const struct {
    POINT anchor, cursor, cross;
  } drags[] = {{{10, 20}, {30, 50}, {31, 51}},
               {{30, 50}, {10, 20}, {9, 19}},
               {{30, 20}, {10, 50}, {9, 51}},
               {{10, 50}, {30, 20}, {31, 19}}};
  for (const auto& d : drags) {
    EXPECT_EQ(SelectionRect(d.anchor, d.cursor), (ScreenRect{10, 20, 31, 51}));
    const POINT cross = CrosshairPoint(true, d.anchor, d.cursor);
    EXPECT_EQ(cross.x * 1000 + cross.y, d.cross.x * 1000 + d.cross.y);
  }
  EXPECT_EQ(SelectionRect({5, 5}, {5, 5}), (ScreenRect{5, 5, 6, 6}));
  EXPECT_EQ(CrosshairPoint(false, {1, 1}, {40, 50}).x, 40);
  // The box goes left of the cursor unless it would leave the monitor under it, and below
  // unless it would cross that monitor's bottom: the four corners of a 1280 x 800 primary, the
  // thresholds, and the same on a monitor left of and lower than the primary.
  const ScreenRect primary = {0, 0, 1280, 800}, left = {-1024, 200, 0, 968};
  const struct {
    ScreenRect monitor;
    POINT cursor;
    LONG left, top;
  } places[] = {{primary, {0, 0}, 8, 8},          {primary, {1279, 0}, 1035, 8},
                {primary, {0, 799}, 8, 525},      {primary, {1279, 799}, 1035, 525},
                {primary, {243, 526}, 251, 534},  {primary, {244, 527}, 0, 253},
                {left, {-1024, 200}, -1016, 208}, {left, {-1, 967}, -245, 693}};
  for (const auto& p : places) {
    const MagnifierLayout m = PlaceMagnifier(p.cursor, p.monitor);
    EXPECT_EQ((ScreenRect{m.box.left, m.box.top, m.box.right, m.box.bottom}),
              (ScreenRect{p.left, p.top, p.left + 237, p.top + 267}))
        << p.cursor.x << "," << p.cursor.y;
  }
  const MagnifierLayout m = PlaceMagnifier({500, 300}, primary);
  EXPECT_EQ(m.zoomed.left, m.box.left + 3);
  EXPECT_EQ(m.source.x, 490);
  // The box's cross runs through the middle of the zoomed cursor pixel (11 x 11 at +113).
  EXPECT_EQ(m.crossTop.x - m.box.left, 3 + 10 * 11 + 5);
  EXPECT_EQ(m.label.top - m.box.top, 244);
  EXPECT_EQ(MagnifierLabel(true, {10, 20, 31, 51}, {30, 50}), L"21 x 31");
  EXPECT_EQ(MagnifierLabel(false, {}, {640, 7}), L"640 x 7");
}

TEST(SelectGeometry, GlideMaximisedInsetAndCandidateOrder) {
  // Truncated toward zero on both sides; after nine steps an edge can stay one pixel short.
  const ScreenRect start = {0, 0, 10, 10}, target = {49, -49, 69, -40};
  EXPECT_EQ(GlideRect(start, target, 1), (ScreenRect{5, -5, 16, 5}));
  EXPECT_EQ(GlideRect(start, target, 4), (ScreenRect{21, -21, 36, -12}));
  EXPECT_EQ(GlideRect(start, target, 9), (ScreenRect{48, -48, 69, -40}));
  // The last edge that sticks out sets the inset.
  EXPECT_EQ(MaximisedFallbackRect({-4, -4, 1284, 804}, 1280, 800), (ScreenRect{0, 0, 1280, 800}));
  EXPECT_EQ(MaximisedFallbackRect({-8, -2, 1280, 800}, 1280, 800), (ScreenRect{-6, 0, 1278, 798}));
  EXPECT_EQ(MaximisedFallbackRect({0, -2, 1290, 800}, 1280, 800), (ScreenRect{10, 8, 1280, 790}));

  // Deepest first; equal depths last-enumerated first.
  auto h = [](int n) { return reinterpret_cast<HWND>(intptr_t(n)); };
  std::vector<WindowNode> enumerated;
  for (int depth : {0, 1, 0, 2, 1})
    enumerated.push_back({h(int(enumerated.size()) + 1), {}, depth, {}});
  const std::vector<WindowNode> ordered = OrderChildren(enumerated);
  std::vector<HWND> order;
  for (const WindowNode& n : ordered) order.push_back(n.window);
  EXPECT_EQ(order, (std::vector<HWND>{h(4), h(5), h(2), h(3), h(1)}));
}

// A desktop of a primary, a monitor left of it and lower, and one above it and narrower: the
// monitor of a point (the nearest where none shows it) and the parts no monitor shows.
TEST(SelectGeometry, MonitorOfAPointAndUncoveredParts) {
  const std::vector<ScreenRect> monitors = {
      {0, 0, 1280, 800}, {-1024, 200, 0, 968}, {200, -600, 1000, 0}};
  const struct {
    POINT p;
    size_t monitor;
  } points[] = {{{-1, 799}, 1}, {{999, -1}, 2}, {{1280, 400}, 0}, {{-50, 100}, 0}, {{-60, 190}, 1}};
  for (const auto& c : points)
    EXPECT_EQ(MonitorAt(monitors, c.p, {}), monitors[c.monitor]) << c.p.x << "," << c.p.y;
  const struct {
    ScreenRect area;
    std::vector<ScreenRect> parts;
  } areas[] = {{{-120, 140, 130, 260}, {{-120, 140, 0, 200}}},
               {{-1024, 0, 1280, 968}, {{0, 800, 1280, 968}, {-1024, 0, 0, 200}}},
               {{990, -10, 1010, 10}, {{1000, -10, 1010, 0}}},
               {{0, 0, 1280, 800}, {}}};
  for (const auto& a : areas) EXPECT_EQ(UncoveredParts(a.area, monitors), a.parts) << a.area.left;
}

}  // namespace
}  // namespace kx
