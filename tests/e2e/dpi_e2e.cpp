// The program on scaled displays: the prefix's LogPixels at 96, 144 and 192 on a 1920 x 1080
// screen, one session per setting. The screen shows a picture whose every pixel tells its
// own place, so a grab or an overlay that is scaled, shifted or cut short cannot match it.
// The skinned windows must answer clicks where they are drawn; the overlays and grabs of the
// kxselect stage, asked from its DPI-unaware control window, must still cover and copy the
// screen pixel for pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "harness.h"
#include "stage.h"

namespace e2e {
namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kMainWidth = 467;  // the main window's layout width
const std::string kMainClass = "KXMainWndClass";
const std::string kTitle = "HALVECOR Kestrix";

// Red and green: the low bytes of x and y; blue: their high parts.
Rgb PlaceColour(int x, int y) {
  return {uint8_t(x & 255), uint8_t(y & 255), uint8_t((x >> 8) * 16 + (y >> 8))};
}

Image PlacePicture() {
  Image picture{kWidth, kHeight, std::vector<uint8_t>(size_t(kWidth) * kHeight * 3)};
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Rgb c = PlaceColour(x, y);
      uint8_t* p = &picture.rgb[(size_t(y) * kWidth + x) * 3];
      p[0] = c.r, p[1] = c.g, p[2] = c.b;
    }
  return picture;
}

class ScaledDisplayE2E : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display.ok()) << "Xvfb did not start";
    ASSERT_FALSE(wine.prefix().empty()) << "no Wine prefix";
    ASSERT_TRUE(wine.SetRegistryValue("HKCU\\Control Panel\\Desktop", "LogPixels", "REG_DWORD",
                                      std::to_string(GetParam())));
    ASSERT_TRUE(display.SetBackground(PlacePicture()));
  }

  // Clicks a main-window control at its layout place, scaled as the window is on the screen.
  void ClickMain(const WindowInfo& main, int x, int y, int width, int height) {
    const double scale = double(main.width) / kMainWidth;
    display.Click(main.x + int((x + width / 2) * scale), main.y + int((y + height / 2) * scale));
  }
  bool MainTextBecomes(int id, const std::string& text) {
    return WaitUntil([&] { return wine.WindowText(kMainClass, kTitle, id) == text; },
                     Millis(5000), Millis(100));
  }
  std::string Shot(const std::string& name) {
    return GetParam() == 144 ? SaveScreenshot(display, name) : "";
  }

  VirtualDisplay display{kWidth, kHeight};
  WineSession wine{display};
};

TEST_P(ScaledDisplayE2E, GrabsAndOverlaysArePhysicalAndTheWindowsAnswerWhereTheyAreDrawn) {
  auto kestrix = wine.Launch();
  auto main = wine.WaitForWindow(kMainClass, Millis(30000), kestrix.get());
  ASSERT_TRUE(main) << "no main window";
  Stage::Pause(1000);  // the first paint

  // The main window's controls, and a tool window's, answer where they are drawn.
  ClickMain(*main, 26, 152, 103, 37);  // the input type: Window, then Fullscreen
  EXPECT_TRUE(MainTextBecomes(1029, "Fullscreen"));
  display.MoveMouse(5, 5);
  Stage::Pause(300);
  Shot("main_window_144dpi");
  ClickMain(*main, 26, 312, 103, 37);  // Caption opens its window
  ASSERT_TRUE(wine.WaitForWindow("KXCaptionWndClass", Millis(10000), kestrix.get()));
  auto ok = wine.FindChild("KXCaptionWndClass", "", 1026);
  ASSERT_TRUE(ok);
  display.Click(ok->x + ok->width / 2, ok->y + ok->height / 2);
  EXPECT_TRUE(WaitUntil([&] { return !wine.FindWindow("KXCaptionWndClass"); }, Millis(5000)));

  // The stage's overlays and grab, asked from an unaware window, are the physical screen.
  Stage stage(display, wine);
  ASSERT_TRUE(stage.ready());
  // A whole-screen grab: the full size, and the corner pixel where the screen shows it.
  const std::string grab = stage.Grab();
  const Rgb shown = display.Capture(kWidth - 1, kHeight - 1, 1, 1).At(0, 0);
  char expected[32] = {};
  std::snprintf(expected, sizeof(expected), "%d %d 0x%02X%02X%02X", kWidth, kHeight, shown.r,
                shown.g, shown.b);
  EXPECT_EQ(grab, expected);

  const Image before = display.CaptureScreen();
  Image mid;
  Result r = stage.Run(1, [&] {
    stage.Drag({100, 100}, {299, 199});
    Stage::Pause(300);
    mid = display.CaptureScreen();
    Shot("area_overlay_144dpi");
    stage.Release();
  });
  EXPECT_EQ(r.end, 1);
  EXPECT_EQ(r.rect, (Box{100, 100, 300, 200}));
  ASSERT_EQ(mid.width, kWidth);
  // The frozen picture is the screen itself inside the selection, and dimmed out to the
  // bottom-right corner: the overlay covers all of it.
  for (int y = 100; y < 200; ++y)
    for (int x = 100; x < 300; ++x) ASSERT_EQ(mid.At(x, y), before.At(x, y)) << x << "," << y;
  const Rgb far = mid.At(kWidth - 1, kHeight - 1), was = before.At(kWidth - 1, kHeight - 1);
  EXPECT_TRUE(far.r == far.g && far.g == far.b && far != was) << int(far.r) << " " << int(was.r);
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScaledDisplayE2E, ::testing::Values(96, 144, 192),
                         [](const auto& info) { return "LogPixels" + std::to_string(info.param); });

}  // namespace
}  // namespace e2e
