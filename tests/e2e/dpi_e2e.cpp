// The program on scaled displays: the prefix's LogPixels at 96, 144 and 192 on a 1920 x 1080
// screen, one session per setting. The screen shows a picture whose every pixel tells its
// own place, so a capture that is scaled, shifted or cut short cannot match it. The skinned
// windows must answer clicks where they are drawn; captures through the real flows must be
// the screen's own pixels; the grab and overlay of the kxselect stage, asked from its
// DPI-unaware control window (as a skinned window's handler asks where the platform
// stretches those), must still cover and copy the whole screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "harness.h"
#include "stage.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

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

// Where `image` first differs from the place-coded picture's part at (left, top); empty when
// it is exactly that part.
std::string FirstDifference(const Image& image, int left, int top) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y) != PlaceColour(left + x, top + y)) {
        const Rgb c = image.At(x, y);
        return "pixel " + std::to_string(x) + "," + std::to_string(y) + " is " +
               std::to_string(c.r) + "/" + std::to_string(c.g) + "/" + std::to_string(c.b);
      }
  return "";
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
  // The flow brings the main window back after a shot.
  bool MainShownAgain() {
    return WaitUntil(
        [&] {
          auto main = wine.FindWindow(kMainClass);
          return main && main->visible;
        },
        Millis(5000), Millis(100));
  }
  bool MainTextBecomes(int id, const std::string& text) {
    return WaitUntil([&] { return wine.WindowText(kMainClass, kTitle, id) == text; }, Millis(5000),
                     Millis(100));
  }
  // Runs `start` and waits for one more KEST-*.png in the storage folder (the user's
  // Pictures); the file, decoded once it is complete.
  Image NextCapture(const std::function<void()>& start) {
    const fs::path folder = fs::path(wine.UserFolder()) / "Pictures";
    auto files = [&] {
      std::set<fs::path> found;
      std::error_code ec;
      for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().filename().string().rfind("KEST-", 0) == 0) found.insert(entry.path());
      return found;
    };
    const std::set<fs::path> before = files();
    start();
    Image image;
    WaitUntil(
        [&] {
          for (const fs::path& file : files())
            if (!before.count(file)) image = Image::Load(file);
          return image.width > 0;
        },
        Millis(15000), Millis(200));
    return image;
  }
  std::string Shot(const std::string& name) {
    return GetParam() == 144 ? SaveScreenshot(display, name) : "";
  }

  VirtualDisplay display{kWidth, kHeight};
  WineSession wine{display};
};

TEST_P(ScaledDisplayE2E, CapturesArePhysicalPixelsAndTheWindowsAnswerWhereTheyAreDrawn) {
  auto kestrix = wine.Launch();
  auto main = wine.WaitForWindow(kMainClass, Millis(30000), kestrix.get());
  ASSERT_TRUE(main) << "no main window";
  Stage::Pause(1000);  // the first paint

  // The main window's controls, and a tool window's, answer where they are drawn.
  ClickMain(*main, 26, 152, 103, 37);  // the input type: Window, then Fullscreen
  ASSERT_TRUE(MainTextBecomes(1029, "Fullscreen"));
  display.MoveMouse(5, 5);
  Stage::Pause(300);
  Shot("main_window_144dpi");
  ClickMain(*main, 26, 312, 103, 37);  // Caption opens its window
  ASSERT_TRUE(wine.WaitForWindow("KXCaptionWndClass", Millis(10000), kestrix.get()));
  auto ok = wine.FindChild("KXCaptionWndClass", "", 1026);
  ASSERT_TRUE(ok);
  display.Click(ok->x + ok->width / 2, ok->y + ok->height / 2);
  ASSERT_TRUE(WaitUntil([&] { return !wine.FindWindow("KXCaptionWndClass"); }, Millis(5000)));

  // Fullscreen through the Capture button: the whole picture, pixel for pixel.
  Image shot = NextCapture([&] { ClickMain(*main, 231, 497, 140, 50); });
  EXPECT_EQ(shot.width, kWidth);
  EXPECT_EQ(shot.height, kHeight);
  EXPECT_EQ(FirstDifference(shot, 0, 0), "");

  // Area: the drag from (100, 100) to (299, 199) is 200 x 100 of exactly those pixels.
  ASSERT_TRUE(MainShownAgain());
  ClickMain(*main, 26, 152, 103, 37);
  ASSERT_TRUE(MainTextBecomes(1029, "Area"));
  shot = NextCapture([&] {
    ClickMain(*main, 231, 497, 140, 50);
    ASSERT_TRUE(wine.WaitForWindow("KXGetAreaWndClass", Millis(10000), kestrix.get()));
    Stage::Pause(300);
    Stage::Drag(display, {100, 100}, {299, 199});
    Stage::Pause(300);
    Shot("area_overlay_144dpi");
    display.MouseButton(1, false);
  });
  EXPECT_EQ(shot.width, 200);
  EXPECT_EQ(shot.height, 100);
  EXPECT_EQ(FirstDifference(shot, 100, 100), "");

  // The stage's grab and area overlay, asked from an unaware window, are the whole screen.
  ASSERT_TRUE(MainShownAgain());
  ClickMain(*main, 26, 152, 103, 37);
  ASSERT_TRUE(MainTextBecomes(1029, "Window"));
  Stage stage(display, wine);
  ASSERT_TRUE(stage.ready());
  EXPECT_EQ(stage.Grab(), "1920 1080");
  const Box alone = stage.Rect("alone");
  EXPECT_EQ(stage.Refresh(), std::to_string(alone.left) + " " + std::to_string(alone.top) + " " +
                                 std::to_string(alone.right) + " " + std::to_string(alone.bottom));
  const Image before = display.CaptureScreen();
  Image mid;
  Result r = stage.DragArea({100, 100}, {299, 199}, mid);
  EXPECT_EQ(r.end, 1);
  EXPECT_EQ(r.rect, (Box{100, 100, 300, 200}));
  ASSERT_EQ(mid.width, kWidth);
  // The frozen picture is the screen itself inside the selection, and dimmed out to the
  // bottom-right corner.
  for (int y = 100; y < 200; ++y)
    for (int x = 100; x < 300; ++x) ASSERT_EQ(mid.At(x, y), before.At(x, y)) << x << "," << y;
  const Rgb far = mid.At(kWidth - 1, kHeight - 1), was = before.At(kWidth - 1, kHeight - 1);
  EXPECT_TRUE(far.r == far.g && far.g == far.b && far != was) << int(far.r) << " " << int(was.r);

  // Window, through the Capture command (the stage covers the main window): a picked
  // control's file has the control's size on the screen.
  shot = NextCapture([&] {
    ASSERT_TRUE(wine.Act({"command", kMainClass, "1044"}));
    ASSERT_TRUE(wine.WaitForWindow("KXGetWindowWndClass", Millis(10000), kestrix.get()));
    Stage::Pause(300);
    display.MoveMouse(alone.CentreX() - 5, alone.CentreY());
    Stage::Pause();
    display.Click(alone.CentreX(), alone.CentreY());
  });
  EXPECT_EQ(shot.width, alone.right - alone.left);
  EXPECT_EQ(shot.height, alone.bottom - alone.top);
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScaledDisplayE2E, ::testing::Values(96, 144, 192),
                         [](const auto& param) {
                           return "LogPixels" + std::to_string(param.param);
                         });

}  // namespace
}  // namespace e2e
