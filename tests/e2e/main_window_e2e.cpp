// The main window of the real program, started under Wine and looked at on the display.
#include <gtest/gtest.h>

#include "harness.h"

namespace e2e {
namespace {

constexpr Millis kStartDeadline(30000);

class MainWindowE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display.ok()) << "Xvfb did not start";
    ASSERT_FALSE(wine.prefix().empty()) << "no Wine prefix";
  }

  VirtualDisplay display{1280, 800};
  WineSession wine{display};
};

TEST_F(MainWindowE2E, AppearsCentredWithItsSizeAndRoundedCorners) {
  auto kestrix = wine.Launch();
  auto window = wine.WaitForWindow("KXMainWndClass", kStartDeadline, kestrix.get());
  ASSERT_TRUE(window) << "no main window; program running: " << kestrix->Running();
  EXPECT_TRUE(window->visible);
  EXPECT_EQ(window->x, 407);
  EXPECT_EQ(window->y, 115);
  EXPECT_EQ(window->width, 467);
  EXPECT_EQ(window->height, 571);

  // Wait for the first paint: the window's middle no longer shows the desktop.
  Rgb desktop = display.Capture(5, 5, 1, 1).At(0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !(display.Capture(640, 400, 1, 1).At(0, 0) == desktop); },
                        Millis(10000)));
  SaveScreenshot(display, "main_window");
  Image shot = display.Capture(407, 115, 467, 571);
  // The region cuts each corner: its outermost pixel shows the desktop, the one just
  // inside the curve shows the window.
  const int corners[][4] = {{0, 0, 4, 4}, {466, 0, 462, 4}, {0, 570, 4, 566}, {466, 570, 462, 566}};
  for (const auto& c : corners) {
    EXPECT_EQ(shot.At(c[0], c[1]), desktop) << "outside at " << c[0] << "," << c[1];
    EXPECT_FALSE(shot.At(c[2], c[3]) == desktop) << "inside at " << c[2] << "," << c[3];
  }
  // Just beyond the window the desktop shows; along the edges' middles the window does.
  EXPECT_EQ(display.Capture(406, 400, 1, 1).At(0, 0), desktop);
  EXPECT_EQ(display.Capture(874, 400, 1, 1).At(0, 0), desktop);
  EXPECT_FALSE(shot.At(0, 285) == desktop);
  EXPECT_FALSE(shot.At(466, 285) == desktop);
  EXPECT_TRUE(kestrix->Running());
}

TEST_F(MainWindowE2E, SlashMinKeepsTheWindowHiddenWhileTheProgramRuns) {
  auto kestrix = wine.Launch({"/min"});
  auto window = wine.WaitForWindow("KXMainWndClass", kStartDeadline, kestrix.get());
  ASSERT_TRUE(window) << "no main window; program running: " << kestrix->Running();
  EXPECT_FALSE(window->visible);
  EXPECT_EQ(window->width, 467);
  EXPECT_TRUE(display.FindWindowsByTitle("HALVECOR Kestrix").empty() ||
              display.Capture(640, 400, 1, 1).At(0, 0) == display.Capture(5, 5, 1, 1).At(0, 0));
  EXPECT_TRUE(kestrix->Running());
}

TEST_F(MainWindowE2E, OtherSpellingsOfMinShowTheWindow) {
  for (const std::string arg : {"/MIN", "-min"}) {
    auto kestrix = wine.Launch({arg});
    auto window = wine.WaitForWindow("KXMainWndClass", kStartDeadline, kestrix.get());
    ASSERT_TRUE(window) << arg << ": no main window; program running: " << kestrix->Running();
    EXPECT_TRUE(window->visible) << arg;
    // Closed from outside, the program ends by itself.
    wine.Probe({"close", "KXMainWndClass"});
    EXPECT_EQ(kestrix->Wait(kStartDeadline), 0) << arg;
  }
}

}  // namespace
}  // namespace e2e
