// The selection overlays: the dimming pass against the formula for every colour, the
// geometry of selection, crosshair, magnifier, glide and candidates, and the overlays on real
// windows with real input (Escape on its release, focus loss, the picker's snapshot and glide).
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <memory>
#include <vector>

#include "screen_pattern.h"
#include "select/area_geometry.h"
#include "select/dimming.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"
#include "select/pick_geometry.h"
#include "toolkit_support.h"
#include "ui/theme.h"

namespace kx {

bool operator==(const ScreenRect& a, const ScreenRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
void PrintTo(const ScreenRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

// The grey of the pixel bytes b0, b1, b2, straight from the rule, in double precision.
uint8_t FormulaGrey(int b0, int b1, int b2, int bitsPerPixel) {
  double v = bitsPerPixel == 32 ? std::sqrt(0.099 * b2 * b2 - 0.019 * b0 * b0 + 0.199 * b1 * b1)
                                : std::sqrt(0.099 * b0 * b0 - 0.019 * b2 * b2 + 0.199 * b1 * b1);
  if (v < 0 || std::isnan(v)) v = 0;
  if (v > 255) v = 255;
  return uint8_t(v);
}

TEST(SelectDimming, EveryColourGivesTheFormulasGreyAt32And24BitsAndRowPaddingStays) {
  // 4099 pixels a row leave 3 bytes of padding at 24 bits; the rows hold all 2^24 colours.
  constexpr int kWidth = 4099, kHeight = (1 << 24) / kWidth + 1;
  const ScreenDimmer dimmer;
  for (int bits : {32, 24}) {
    const int stride = DibStride(kWidth, bits), step = bits / 8;
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[size_t(stride) * kHeight]);
    std::fill_n(buffer.get(), size_t(stride) * kHeight, uint8_t(0xA5));
    for (int row = 0; row < kHeight; ++row)
      for (int x = 0; x < kWidth; ++x) {
        const uint32_t colour = uint32_t(row * kWidth + x) & 0xFFFFFF;
        uint8_t* p = &buffer[size_t(row) * stride + x * step];
        p[0] = uint8_t(colour), p[1] = uint8_t(colour >> 8), p[2] = uint8_t(colour >> 16);
      }
    dimmer.Dim(buffer.get(), kWidth, kHeight, bits);
    int wrong = 0;
    for (int row = 0; row < kHeight; ++row) {
      const uint8_t* line = &buffer[size_t(row) * stride];
      for (int x = 0; x < kWidth; ++x) {
        const uint32_t colour = uint32_t(row * kWidth + x) & 0xFFFFFF;
        const uint8_t grey = FormulaGrey(colour & 0xFF, (colour >> 8) & 0xFF, colour >> 16, bits);
        const uint8_t* p = line + x * step;
        wrong += p[0] != grey || p[1] != grey || p[2] != grey || (step == 4 && p[3] != 0);
      }
      for (int pad = kWidth * step; pad < stride; ++pad) wrong += line[pad] != 0xA5;
    }
    EXPECT_EQ(wrong, 0) << bits << " bits";
  }
  // The rule itself, at the colours everyone knows.
  const struct {
    uint8_t b0, b1, b2;
    int bits, grey;
  } named[] = {{255, 255, 255, 32, 134},
               {0, 0, 0, 32, 0},
               {255, 0, 0, 32, 0},
               {0, 0, 255, 24, 0},
               {255, 255, 255, 24, 134}};
  for (const auto& n : named) {
    uint8_t pixel[4] = {n.b0, n.b1, n.b2, 77};
    dimmer.Dim(pixel, 1, 1, n.bits);
    EXPECT_EQ(pixel[0], n.grey) << int(n.b0) << " " << int(n.b2) << " at " << n.bits;
  }
  uint8_t sixteen[4] = {1, 2, 3, 4};
  dimmer.Dim(sixteen, 2, 1, 16);
  EXPECT_EQ(sixteen[0] + sixteen[1] + sixteen[2] + sixteen[3], 10);
}

TEST(SelectGeometry, SelectionCrosshairMagnifierAndLabel) {
  const struct {
    POINT anchor, cursor;
    ScreenRect selection;
    POINT cross;
  } drags[] = {
      {{10, 20}, {30, 50}, {10, 20, 31, 51}, {31, 51}},
      {{30, 50}, {10, 20}, {10, 20, 31, 51}, {9, 19}},
      {{30, 20}, {10, 50}, {10, 20, 31, 51}, {9, 51}},
      {{10, 50}, {30, 20}, {10, 20, 31, 51}, {31, 19}},
      {{5, 5}, {5, 5}, {5, 5, 6, 6}, {6, 6}},
  };
  for (const auto& d : drags) {
    EXPECT_EQ(SelectionRect(d.anchor, d.cursor), d.selection);
    const POINT cross = CrosshairPoint(true, d.anchor, d.cursor);
    EXPECT_EQ(cross.x, d.cross.x);
    EXPECT_EQ(cross.y, d.cross.y);
  }
  EXPECT_EQ(CrosshairPoint(false, {1, 1}, {40, 50}).x, 40);
  // The box goes left of the cursor unless it would leave the screen, and below unless it
  // would cross the bottom: the four corners of a 1280 x 800 screen, and the thresholds.
  const struct {
    POINT cursor;
    LONG left, top;
  } places[] = {{{0, 0}, 8, 8},           {{1279, 0}, 1035, 8},   {{0, 799}, 8, 525},
                {{1279, 799}, 1035, 525}, {{243, 526}, 251, 534}, {{244, 527}, 0, 253}};
  for (const auto& p : places) {
    const MagnifierLayout m = PlaceMagnifier(p.cursor, 800);
    EXPECT_EQ(m.box.left, p.left) << p.cursor.x << "," << p.cursor.y;
    EXPECT_EQ(m.box.top, p.top) << p.cursor.x << "," << p.cursor.y;
    EXPECT_EQ(m.box.right - m.box.left, 237);
    EXPECT_EQ(m.box.bottom - m.box.top, 267);
  }
  const MagnifierLayout m = PlaceMagnifier({500, 300}, 800);
  EXPECT_EQ(m.zoomed.left, m.box.left + 3);
  EXPECT_EQ(m.source.x, 490);
  // The box's cross runs through the middle of the zoomed cursor pixel (11 x 11 at +113).
  EXPECT_EQ(m.crossTop.x - m.box.left, 3 + 10 * 11 + 5);
  EXPECT_EQ(m.label.top - m.box.top, 244);
  EXPECT_EQ(MagnifierLabel(true, {10, 20, 31, 51}, {30, 50}), L"21 x 31");
  EXPECT_EQ(MagnifierLabel(false, {}, {640, 7}), L"640 x 7");
}

TEST(SelectGeometry, GlideClampMaximisedInsetAndCandidateOrder) {
  // Truncated toward zero on both sides; after nine steps an edge can stay one pixel short.
  const ScreenRect start = {0, 0, 10, 10}, target = {49, -49, 69, -40};
  const struct {
    int step;
    ScreenRect shown;
  } glide[] = {{1, {5, -5, 16, 5}}, {4, {21, -21, 36, -12}}, {9, {48, -48, 69, -40}}};
  for (const auto& g : glide) EXPECT_EQ(GlideRect(start, target, g.step), g.shown) << g.step;

  EXPECT_EQ(ClampToScreen({-5, -1, 1300, 900}, 1280, 800), (ScreenRect{0, 0, 1280, 800}));
  EXPECT_EQ(ClampToScreen({5, 6, 7, 8}, 1280, 800), (ScreenRect{5, 6, 7, 8}));
  // The last edge that sticks out sets the inset.
  EXPECT_EQ(MaximisedFallbackRect({-4, -4, 1284, 804}, 1280, 800), (ScreenRect{0, 0, 1280, 800}));
  EXPECT_EQ(MaximisedFallbackRect({-8, -2, 1280, 800}, 1280, 800), (ScreenRect{-6, 0, 1278, 798}));
  EXPECT_EQ(MaximisedFallbackRect({0, -2, 1290, 800}, 1280, 800), (ScreenRect{10, 8, 1280, 790}));

  // Deepest first; equal depths last-enumerated first.
  auto h = [](int n) { return reinterpret_cast<HWND>(intptr_t(n)); };
  std::vector<WindowNode> enumerated;
  for (int depth : {0, 1, 0, 2, 1})
    enumerated.push_back({h(int(enumerated.size()) + 1), {}, depth, {}});
  const int order[] = {4, 5, 2, 3, 1};
  const std::vector<WindowNode> ordered = OrderChildren(enumerated);
  for (size_t i = 0; i < ordered.size(); ++i) EXPECT_EQ(ordered[i].window, h(order[i])) << i;

  // The first window holding the point, then its first element holding it.
  std::vector<WindowNode> windows = {
      {h(10),
       {0, 0, 100, 100},
       0,
       {{h(11), {10, 10, 20, 20}, 1, {}}, {h(12), {0, 0, 50, 50}, 0, {}}}},
      {h(20), {0, 0, 500, 500}, 0, {{h(21), {150, 150, 160, 160}, 0, {}}}}};
  const struct {
    POINT p;
    HWND found;
  } hits[] = {{{15, 15}, h(11)},   {{20, 20}, h(12)},   {{60, 60}, h(10)},
              {{100, 100}, h(20)}, {{155, 155}, h(21)}, {{500, 10}, nullptr}};
  for (const auto& hit : hits) {
    const WindowNode* node = FindCandidate(windows, hit.p);
    EXPECT_EQ(node ? node->window : nullptr, hit.found) << hit.p.x << "," << hit.p.y;
  }
}

void RegisterOverlaysOnce() {
  static bool done = RegisterWindow<GetAreaWnd>(GetModuleHandleW(nullptr)) &&
                     RegisterWindow<GetWindowWnd>(GetModuleHandleW(nullptr));
  ASSERT_TRUE(done);
}

void Key(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(input));
}

TEST(SelectOverlays, EscapeCancelsOnItsReleaseAndAFocusLossEndsWithoutWriting) {
  RegisterOverlaysOnce();
  test::RecordingParent other(10, 10, 50, 50);
  const struct {
    const wchar_t* className;
    Selection (*run)(CaptureProfile&);
  } overlays[] = {{GetAreaWnd::kClassName, RunGetAreaWindow},
                  {GetWindowWnd::kClassName, RunGetWindowWindow}};
  int runs = 0;
  // Closes an overlay that failed to end by itself, so that the checks fail instead of hanging.
  auto guard = [&](const wchar_t* className) {
    test::RunLater(3000, [&runs, className, run = ++runs] {
      if (run == runs) PostMessageW(FindWindowW(className, nullptr), WM_CLOSE, 0, 0);
    });
  };
  for (const auto& overlay : overlays) {
    CaptureProfile profile = {};
    profile.InWindow = 77;
    profile.InRect = {1, 2, 3, 4};
    bool openAfterPress = false;
    test::RunLater(150, [] { Key(VK_ESCAPE, true); });
    test::RunLater(400, [&] {
      openAfterPress = FindWindowW(overlay.className, nullptr) != nullptr;
      Key(VK_ESCAPE, false);
    });
    guard(overlay.className);
    Selection s = overlay.run(profile);
    EXPECT_TRUE(openAfterPress);
    EXPECT_EQ(s.end, SelectionEnd::kCancelled);
    EXPECT_TRUE(s.Cancelled());
    EXPECT_EQ(profile.InWindow, 0u);
    EXPECT_EQ(profile.InRect, ScreenRect{});

    profile.InWindow = 77;
    profile.InRect = {1, 2, 3, 4};
    test::RunLater(200, [&] { SetForegroundWindow(other.hwnd()); });
    guard(overlay.className);
    s = overlay.run(profile);
    EXPECT_EQ(s.end, SelectionEnd::kClosed);
    EXPECT_EQ(profile.InWindow, 77u);
    EXPECT_EQ(profile.InRect, (ScreenRect{1, 2, 3, 4}));
  }
}

// x of the picker frame's left edge on row y (the first frame-coloured pixel), or -1.
int FrameLeft(const test::Pixels& pixels, int y) {
  for (int x = 0; x < pixels.width(); ++x)
    if (pixels.At(x, y) == theme::kSelectionFrame) return x;
  return -1;
}

TEST(SelectOverlays, PickerGlidesFromTheFrameShownAndKeepsToItsSnapshot) {
  RegisterOverlaysOnce();
  test::PatternWindow a(100, 100, 200, 150, 0xFFFFFF, 0xFFFFFF),
      b(600, 400, 300, 200, 0xE0E0E0, 0xE0E0E0);
  ASSERT_TRUE(a.WaitUntilShown() && b.WaitUntilShown());
  SetCursorPos(50, 50);
  CaptureProfile profile = {};
  SelectionEnd end = SelectionEnd::kClosed;
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HWND picker = CreateWindowOf<GetWindowWnd>({0, WS_POPUP, 0, 0, width, height}, profile, end);
  ASSERT_TRUE(picker);
  auto* object = WindowObject<GetWindowWnd>(picker);
  auto moveTo = [&](int x, int y) {
    SetCursorPos(x, y);
    SendMessageW(picker, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  };
  auto ticks = [&](int n) {
    for (int i = 0; i < n; ++i) SendMessageW(picker, WM_TIMER, GetWindowWnd::kGlideTimer, 0);
  };
  auto frameLeft = [&](int y) {
    return FrameLeft(
        test::Pixels(width, height, [&](HDC dc, int w, int h) { object->Paint(dc, w, h); }), y);
  };
  // A window opened after the picker is not in its snapshot.
  test::PatternWindow late(700, 100, 100, 100, 0xFFFFFF, 0xFFFFFF);
  ASSERT_TRUE(late.WaitUntilShown());

  moveTo(150, 150);
  ticks(9);
  EXPECT_EQ(frameLeft(175), 100 - 3);
  moveTo(700, 450);
  ticks(4);
  EXPECT_EQ(frameLeft(233 + 5), 322 - 3);  // four ninths of the way to b
  moveTo(150, 150);                        // back mid-glide: from where the frame is now
  ticks(1);
  EXPECT_EQ(frameLeft(219 + 5), 298 - 3);
  moveTo(750, 150);           // over the late window only: the highlight stays
  DestroyWindow(a.Handle());  // gone before the click: still the pick, for the flow to handle
  SendMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(750, 150));
  EXPECT_FALSE(IsWindow(picker));
  EXPECT_EQ(end, SelectionEnd::kChosen);
  EXPECT_EQ(profile.InWindow, uint32_t(HandleToLong(a.Handle())));
  EXPECT_EQ(profile.InRect, (ScreenRect{100, 100, 300, 250}));
}

}  // namespace
}  // namespace kx
