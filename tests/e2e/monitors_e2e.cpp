// Desktops of several monitors, one session of the real program per layout: areas dragged on
// every monitor and across their edges (files pixel-exact, black where no monitor shows), the
// overlay as drawn, the magnifier at every monitor's corners, a display change, Fullscreen (the
// primary), and picks of a window and of a maximised one on a monitor that is not the primary.
#include <gtest/gtest.h>

#include <filesystem>

#include "../fixture/scene_fixture.h"
#include "app_session.h"

namespace e2e {
namespace {

struct Layout {
  const char* name;
  std::vector<Monitor> monitors;  // the primary (1280 x 800, as in every session) first
  std::vector<Box> drags;         // on each monitor, then across edges, the last ending on one
  Box target;                     // kxscene's window; it maximises another on monitors[1]
};

// A monitor left of the primary and lower (negative x, uncovered corners), one above it and
// narrower (negative y), three of different sizes in a row.
const Layout kLayouts[] = {
    {"LeftAndLower",
     {{0, 0, 1280, 800}, {-1024, 200, 1024, 768}},
     {{100, 100, 300, 200}, {-1000, 600, -800, 700}, {-120, 140, 130, 260}},
     {-800, 300, -500, 500}},
    {"Above",
     {{0, 0, 1280, 800}, {128, -768, 1024, 768}},
     {{100, 100, 300, 200}, {300, -500, 500, -400}, {50, -60, 300, 60}},
     {300, -600, 600, -400}},
    {"ThreeInARow",
     {{0, 0, 1280, 800}, {-1024, 0, 1024, 768}, {1280, 0, 1600, 900}},
     {{100, 100, 300, 200},
      {-900, 300, -700, 400},
      {1400, 500, 1600, 600},
      {-100, 700, 100, 850},
      {1180, 700, 1380, 860}},
     {1500, 300, 1800, 500}},
};

Rgb Picture(int x, int y) {
  const scene::Colour c = scene::PatternAt(x, y);
  return {c.r, c.g, c.b};
}
bool Inside(const Box& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
Box BoxOf(const Monitor& m) {
  return {m.x, m.y, m.x + m.width, m.y + m.height};
}
// The magnifier's box with the pointer at (x, y) on `m`: right of and below the pointer unless
// that would cross the monitor's left or bottom edge.
Box MagnifierBox(const Monitor& m, int x, int y) {
  const int left = x - m.x >= 244 ? x - 244 : x + 8;
  const int top = y + 274 > m.y + m.height ? y - 274 : y + 8;
  return {left, top, left + 237, top + 267};
}

class MonitorsE2E : public AppSession, public ::testing::WithParamInterface<Layout> {
 protected:
  MonitorsE2E() : AppSession(GetParam().monitors) {}

  // The picture on every monitor, black where no monitor is.
  static Rgb Shown(int x, int y) {
    for (const Monitor& m : GetParam().monitors)
      if (Inside(BoxOf(m), x, y)) return Picture(x, y);
    return {};
  }

  // Near each corner of each monitor, the magnifier's box on that monitor.
  void CheckMagnifierAtCorners() {
    auto red = [](const Image& i) {
      return Mismatches(i, 0, 0, i.width, i.height, 0, 0, [](int, int) { return kFrameRed; }) == 0;
    };
    for (const Monitor& m : GetParam().monitors)
      for (int corner = 0; corner < 4; ++corner) {
        const int x = corner & 1 ? m.x + m.width - 11 : m.x + 10;
        const int y = corner & 2 ? m.y + m.height - 11 : m.y + 10;
        const Box box = MagnifierBox(m, x, y);
        display.MoveMouse(x, y);
        EXPECT_TRUE(Becomes([&] {
          return red(display.Capture(box.left, box.top, 237, 1)) &&
                 red(display.Capture(box.left, box.top, 1, 267));
        })) << x
            << ", " << y;
      }
  }

  // Mid-drag, the whole desktop but the crosshair and the magnifier by the pointer (x, y, on
  // a monitor): the selection clean in its 3-pixel frame, every monitor dimmed, black where
  // none is.
  int OverlayMismatches(const Image& shown, const Box& selection, int x, int y) const {
    const Monitor b = display.Bounds();
    if (shown.width != b.width || shown.height != b.height) return -1;  // none taken
    const Box framed = {selection.left - 3, selection.top - 3, selection.right + 3,
                        selection.bottom + 3};
    Box magnifier = {};
    for (const Monitor& m : GetParam().monitors)
      if (Inside(BoxOf(m), x, y)) magnifier = MagnifierBox(m, x, y);
    int bad = 0;
    for (int py = b.y; py < b.y + b.height; ++py)
      for (int px = b.x; px < b.x + b.width; ++px) {
        if (px == x + 1 || py == y + 1 || Inside(magnifier, px, py)) continue;
        const Rgb want = Inside(selection, px, py) ? Shown(px, py)
                         : Inside(framed, px, py)  ? kFrameRed
                                                   : Dimmed(Shown(px, py));
        bad += !(shown.At(px - b.x, py - b.y) == want);
      }
    return bad;
  }

  // Pixels of a capture that are not what `expected` gives for the screen rectangle `at`; -1
  // when there is none or its size differs.
  static int Differences(const std::optional<Image>& file, const Box& at,
                         const std::function<Rgb(int, int)>& expected) {
    if (!file || file->width != at.right - at.left || file->height != at.bottom - at.top) return -1;
    return Mismatches(*file, 0, 0, file->width, file->height, at.left, at.top, expected);
  }

  // The file of a capture started with "Capture" and chosen by `choose`.
  std::optional<Image> CaptureAfter(const std::function<void()>& choose) {
    const auto files = Files();
    ClickCapture();
    choose();
    auto file = NewCapture(files);
    EXPECT_TRUE(FlowEnded());
    return file;
  }
};

TEST_P(MonitorsE2E, AreasMagnifierFullscreenAndPicksOnEveryMonitor) {
  const Layout& layout = GetParam();
  const std::string name = std::string("monitors_") + layout.name;
  ASSERT_TRUE(display.SetBackground(Picture));
  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 2}}));
  EXPECT_EQ(std::pair(main.x, main.y), std::pair(kMainLeft, kMainTop)) << "not on the primary";

  for (const Box& d : layout.drags) {
    SCOPED_TRACE(testing::PrintToString(d));
    const bool first = &d == &layout.drags.front(), last = &d == &layout.drags.back();
    Image shown;
    const auto file = CaptureAfter([&] {
      ASSERT_TRUE(wine.WaitForWindow(kArea, kDeadline, kestrix.get()));
      if (first) CheckMagnifierAtCorners();
      Drag(d.left, d.top, d.right - 1, d.bottom - 1, [&] {
        if (last) shown = display.Screenshot(name + "_area_overlay");
      });
    });
    EXPECT_EQ(Differences(file, d, Shown), 0);
    EXPECT_EQ(last ? OverlayMismatches(shown, d, d.right - 1, d.bottom - 1) : 0, 0);
  }

  // A monitor added, removed or resized while the overlay is open ends it as Escape does.
  const auto before = Files();
  ClickCapture();
  ASSERT_TRUE(wine.WaitForWindow(kArea, kDeadline, kestrix.get()));
  EXPECT_TRUE(wine.Act({"displaychange", kArea}));
  EXPECT_TRUE(Gone(kArea) && FlowEnded());
  Pause(1000);
  EXPECT_EQ(Files(), before);

  for (const char* type : {"Window", "Fullscreen"}) {
    ClickMain(kInputTypeId);
    ASSERT_TRUE(TextBecomes(kInputTypeId, type));
  }
  EXPECT_EQ(Differences(CaptureAfter([] {}), {0, 0, 1280, 800}, Picture), 0);

  // kxscene's window on a monitor that is not the primary; a pick, then a repeat, which
  // refreshes its rectangle within the desktop's bounds.
  const Box& t = layout.target;
  const Box m = BoxOf(layout.monitors[1]);
  const std::string exe = std::filesystem::path(Locations::Get().exe).parent_path() / "kxscene.exe";
  Process scene({"wine", exe, std::to_string(t.left), std::to_string(t.top),
                 std::to_string(m.CentreX() - 150), std::to_string(m.CentreY() - 100)},
                wine.Environment());
  ASSERT_TRUE(wine.WaitForWindow("KXSceneControlWndClass", Millis(30000), &scene));
  for (const char* type : {"Area", "Window"}) {
    ClickMain(kInputTypeId);
    ASSERT_TRUE(TextBecomes(kInputTypeId, type));
  }
  const auto window = CaptureAfter([&] {
    Pick(t.right - 20, t.bottom - 20, t, [&] { display.Screenshot(name + "_window_picker"); });
  });
  const Image there = display.Capture(t.left, t.top, t.right - t.left, t.bottom - t.top);
  auto asThere = [&](int x, int y) { return there.At(x - t.left, y - t.top); };
  EXPECT_EQ(Differences(window, t, asThere), 0);
  const auto files = Files();
  ASSERT_TRUE(Command(kRepeatCaptureId));
  EXPECT_EQ(Differences(NewCapture(files), t, asThere), 0);
  ASSERT_TRUE(FlowEnded());

  // A window maximised there: its monitor's work area, all of it the window's.
  ASSERT_TRUE(
      wine.Act({"command", "KXSceneControlWndClass", std::to_string(scene::kShowMaximised)}));
  Pause(500);
  const scene::Colour c = scene::kMaximisedColour;
  EXPECT_EQ(Differences(CaptureAfter([&] { Pick(m.CentreX(), m.CentreY(), m); }), m,
                        [&](int, int) {
                          return Rgb{c.r, c.g, c.b};
                        }),
            0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, MonitorsE2E, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<Layout>& row) {
                           return row.param.name;
                         });

}  // namespace
}  // namespace e2e
