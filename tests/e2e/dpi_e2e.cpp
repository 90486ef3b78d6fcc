// The program on scaled displays: the prefix's LogPixels at 96, 144 and 192 on a 1920 x 1080
// screen whose every pixel tells its own place, so a capture that is scaled, shifted or cut
// short cannot match it. The skinned main window must answer clicks where it is drawn, and
// the flows' files must be the screen's own pixels.
#include <gtest/gtest.h>

#include "app_session.h"

namespace e2e {
namespace {

constexpr int kW = 1920, kH = 1080;

// Red and green: the low bytes of x and y; blue: their high parts.
Rgb Place(int x, int y) {
  return {uint8_t(x & 255), uint8_t(y & 255), uint8_t((x >> 8) * 16 + (y >> 8))};
}

class ScaledDisplayE2E : public AppSession, public ::testing::WithParamInterface<int> {
 protected:
  ScaledDisplayE2E() : AppSession(kW, kH) {}
};

TEST_P(ScaledDisplayE2E, CapturesArePhysicalPixelsAndTheWindowsAnswerWhereTheyAreDrawn) {
  ASSERT_TRUE(wine.SetRegistryValue("HKCU\\Control Panel\\Desktop", "LogPixels", "REG_DWORD",
                                    std::to_string(GetParam())));
  ASSERT_TRUE(display.SetBackground(Place));
  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 1}}));
  if (GetParam() == 144) display.Screenshot("main_window_144dpi");
  // Runs `start`; the next file must be w x h, and the picture from (x, y) unless x < 0.
  auto shot = [&](const std::function<void()>& start, int x, int y, int w, int h) {
    const auto files = Files();
    start();
    const Image file = NewCapture(files).value_or(Image{});
    EXPECT_EQ(std::pair(file.width, file.height), std::pair(w, h));
    EXPECT_TRUE(x < 0 || file.width != w || !Mismatches(file, 0, 0, w, h, x, y, Place));
    EXPECT_TRUE(FlowEnded());
  };
  auto inputType = [&](const std::string& type) {  // the main window's button, where drawn
    ClickMain(kInputTypeId);
    ASSERT_TRUE(WaitUntil(
        [&] { return wine.WindowText(kMainClass, kMainTitle, kInputTypeId) == type; }, kDeadline));
  };

  // Fullscreen and Area through the Capture button: exactly the screen's pixels.
  shot([&] { ClickCapture(); }, 0, 0, kW, kH);
  ASSERT_NO_FATAL_FAILURE(inputType("Area"));
  shot(
      [&] {
        ClickCapture();
        ASSERT_TRUE(wine.WaitForWindow(kArea, kDeadline, kestrix.get()));
        Drag(100, 100, 299, 199, [&] {
          if (GetParam() == 144) display.Screenshot("area_overlay_144dpi");
        });
      },
      100, 100, 200, 100);

  // Window, the main window not hidden: a picked control's file has its size on the screen.
  ASSERT_NO_FATAL_FAILURE(CloseFromElsewhere());
  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 0}, {kSetHide, 0}}));
  const auto saveAs = wine.FindChild(kMainClass, kMainTitle, kSaveAsId);
  ASSERT_TRUE(saveAs);
  const WindowInfo c = *saveAs;
  shot(
      [&] {
        ClickCapture();
        Pick(c.x + c.width / 2, c.y + c.height / 2, {c.x, c.y, c.x + c.width, c.y + c.height});
      },
      -1, -1, c.width, c.height);
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScaledDisplayE2E, ::testing::Values(96, 144, 192),
                         [](const auto& p) { return "LogPixels" + std::to_string(p.param); });

}  // namespace
}  // namespace e2e
