// The program on scaled displays: the prefix's LogPixels at 96, 144 and 192 on a 1920 x 1080
// screen whose every pixel tells its own place, so a capture that is scaled, shifted or cut
// short cannot match it. The skinned main window must answer clicks where it is drawn, the
// flows' files must be the screen's own pixels, and the kxselect stage's grab and overlay,
// asked from its DPI-unaware control window, must cover and copy the whole screen.
#include <gtest/gtest.h>

#include "session.h"

namespace e2e {
namespace {

constexpr int kW = 1920, kH = 1080;

// Red and green: the low bytes of x and y; blue: their high parts.
Rgb Place(int x, int y) {
  return {uint8_t(x & 255), uint8_t(y & 255), uint8_t((x >> 8) * 16 + (y >> 8))};
}

class ScaledDisplayE2E : public ::testing::TestWithParam<int> {};

TEST_P(ScaledDisplayE2E, CapturesArePhysicalPixelsAndTheWindowsAnswerWhereTheyAreDrawn) {
  Session s(kW, kH);
  ASSERT_TRUE(s.ready());
  ASSERT_TRUE(s.wine.SetRegistryValue("HKCU\\Control Panel\\Desktop", "LogPixels", "REG_DWORD",
                                      std::to_string(GetParam())));
  Image picture{kW, kH, std::vector<uint8_t>(size_t(kW) * kH * 3)};
  for (int i = 0; i < kW * kH; ++i) {
    const Rgb c = Place(i % kW, i / kW);
    picture.rgb[i * 3] = c.r, picture.rgb[i * 3 + 1] = c.g, picture.rgb[i * 3 + 2] = c.b;
  }
  ASSERT_TRUE(s.display.SetBackground(picture));
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 1}}));
  if (GetParam() == 144) SaveScreenshot(s.display, "main_window_144dpi");
  // Runs `start`; the next file must be w x h, and the picture from (x, y) unless x < 0.
  auto shot = [&](const std::function<void()>& start, int x, int y, int w, int h) {
    const auto files = s.Files();
    start();
    const Image file = s.NewCapture(files).value_or(Image{});
    EXPECT_EQ(std::pair(file.width, file.height), std::pair(w, h));
    EXPECT_TRUE(x < 0 || file.width != w || !Mismatches(file, 0, 0, w, h, x, y, Place));
    EXPECT_TRUE(s.FlowEnded());
  };
  auto inputType = [&](const std::string& type) {  // the main window's button, where drawn
    s.ClickMain(26 + 50, 152 + 18);
    ASSERT_TRUE(WaitUntil(
        [&] { return s.wine.WindowText(kMainClass, kMainTitle, kInputTypeId) == type; }, kDeadline));
  };

  // Fullscreen and Area through the Capture button: exactly the screen's pixels.
  shot([&] { s.ClickCapture(); }, 0, 0, kW, kH);
  ASSERT_NO_FATAL_FAILURE(inputType("Area"));
  shot(
      [&] {
        s.ClickCapture();
        ASSERT_TRUE(s.wine.WaitForWindow(kArea, kDeadline, s.kestrix.get()));
        s.Drag(100, 100, 299, 199, [&] {
          if (GetParam() == 144) SaveScreenshot(s.display, "area_overlay_144dpi");
        });
      },
      100, 100, 200, 100);
  ASSERT_NO_FATAL_FAILURE(inputType("Window"));

  // The stage's grab, refresh and area overlay, asked from an unaware window: the whole screen,
  // the frozen picture the screen itself inside the selection and dimmed to the far corner.
  Stage stage(s.display, s.wine);
  ASSERT_TRUE(stage.ready());
  EXPECT_EQ(stage.Grab(), "1920 1080");
  const Box alone = stage.Rect("alone");
  const std::string rect = std::to_string(alone.left) + " " + std::to_string(alone.top) + " " +
                           std::to_string(alone.right) + " " + std::to_string(alone.bottom);
  EXPECT_EQ(stage.Refresh(), rect);
  const Image before = s.display.CaptureScreen();
  Image mid;
  EXPECT_EQ(stage.DragArea({100, 100}, {299, 199}, mid).rect, (Box{100, 100, 300, 200}));
  ASSERT_EQ(mid.width, kW);
  EXPECT_EQ(
      Mismatches(mid, 100, 100, 200, 100, 100, 100, [&](int x, int y) { return before.At(x, y); }),
      0);
  const Rgb far = mid.At(kW - 1, kH - 1);
  EXPECT_TRUE(far.r == far.g && far.g == far.b && far != before.At(kW - 1, kH - 1));

  // Window through the Capture command (the stage covers the main window): a picked control's
  // file has the control's size on the screen.
  shot(
      [&] {
        ASSERT_TRUE(s.Command(kCaptureId));
        s.Pick(alone.CentreX(), alone.CentreY(), alone);
      },
      -1, -1, alone.right - alone.left, alone.bottom - alone.top);
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScaledDisplayE2E, ::testing::Values(96, 144, 192),
                         [](const auto& p) { return "LogPixels" + std::to_string(p.param); });

}  // namespace
}  // namespace e2e
