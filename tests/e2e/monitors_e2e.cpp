// Desktops of several monitors, each layout one session of the real program: areas dragged on
// every monitor and across their edges (files pixel-exact, black where no monitor shows), the
// overlay as drawn, the magnifier at every monitor's corners, a display change, window picks on
// a monitor that is not the primary (a window and a maximised one), and Fullscreen, which
// stays the primary.
#include <gtest/gtest.h>

#include <filesystem>

#include "../fixture/scene_fixture.h"
#include "app_session.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

struct Layout {
  const char* name;
  std::vector<Monitor> monitors;  // the first the primary, 1280 x 800 as in every session
  std::vector<Box> drags;         // one on each monitor, then across edges
  Box target;                     // kxscene's target window, on a monitor not the primary
  size_t maximisedOn;             // the monitor where kxscene maximises a window
};

// Chosen to break what assumes one monitor: a monitor left of the primary and lower (negative
// x, an uncovered corner above it and one below the primary), one above it and narrower
// (negative y, uncovered on both sides), three of different sizes in a row.
const Layout kLayouts[] = {
    {"LeftAndLower",
     {{0, 0, 1280, 800}, {-1024, 200, 1024, 768}},
     {{100, 100, 300, 200}, {-1000, 600, -800, 700}, {-120, 140, 130, 260}},
     {-800, 300, -500, 500},
     1},
    {"Above",
     {{0, 0, 1280, 800}, {128, -768, 1024, 768}},
     {{100, 100, 300, 200}, {300, -500, 500, -400}, {50, -60, 300, 60}},
     {300, -600, 600, -400},
     1},
    {"ThreeInARow",
     {{0, 0, 1280, 800}, {-1024, 0, 1024, 768}, {1280, 0, 1600, 900}},
     {{100, 100, 300, 200},
      {-900, 300, -700, 400},
      {1400, 500, 1600, 600},
      {1180, 700, 1380, 860},
      {-100, 700, 100, 850}},
     {1500, 300, 1800, 500},
     1},
};

bool OnMonitor(const std::vector<Monitor>& monitors, int x, int y) {
  for (const Monitor& m : monitors)
    if (x >= m.x && x < m.x + m.width && y >= m.y && y < m.y + m.height) return true;
  return false;
}

Rgb Of(scene::Colour c) {
  return {c.r, c.g, c.b};
}
Rgb Picture(int x, int y) {
  return Of(scene::PatternAt(x, y));
}

Box BoxOf(const Monitor& m) {
  return {m.x, m.y, m.x + m.width, m.y + m.height};
}
bool Inside(const Box& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

class MonitorsE2E : public AppSession, public ::testing::WithParamInterface<Layout> {
 protected:
  MonitorsE2E() : AppSession(GetParam().monitors) {}

  // What the desktop shows: kxscene's target with its control and its window of the desktop's
  // class over the picture on every monitor, black where no monitor is.
  Rgb Shown(int x, int y) const {
    const Box& t = GetParam().target;
    const scene::Place& e = scene::kElement;
    const int ex = t.left + e.left - scene::kTarget.left, ey = t.top + e.top - scene::kTarget.top;
    if (Inside({ex, ey, ex + e.right - e.left, ey + e.bottom - e.top}, x, y))
      return Of(scene::kControlColour);
    if (Inside(t, x, y)) return Of(scene::kTargetColour);
    const scene::Place& d = scene::kDesktop;
    if (Inside({d.left, d.top, d.right, d.bottom}, x, y)) return Of(scene::kDesktopColour);
    return OnMonitor(GetParam().monitors, x, y) ? Picture(x, y) : Rgb{};
  }

  // The picture as the screen's background, and kxscene with its target and a window to
  // maximise on monitors that are not the primary.
  void ShowScene() {
    ASSERT_TRUE(display.SetBackground(Picture));
    const Layout& layout = GetParam();
    const Monitor& m = layout.monitors[layout.maximisedOn];
    const std::string exe = fs::path(Locations::Get().exe).parent_path() / "kxscene.exe";
    scene_ = std::make_unique<Process>(
        std::vector<std::string>{"wine", exe, std::to_string(layout.target.left),
                                 std::to_string(layout.target.top),
                                 std::to_string(m.x + m.width / 2 - 150),
                                 std::to_string(m.y + m.height / 2 - 100)},
        wine.Environment());
    ASSERT_TRUE(wine.WaitForWindow("KXSceneControlWndClass", Millis(30000), scene_.get()));
  }

  // Before the press, near each corner of each monitor: the magnifier box beside the pointer,
  // on the pointer's own monitor, right of and below it unless that would cross the monitor's
  // left or bottom edge.
  void CheckMagnifierAtCorners() {
    for (const Monitor& m : GetParam().monitors) {
      const int l = m.x + 10, t = m.y + 10, r = m.x + m.width - 11, b = m.y + m.height - 11;
      const struct {
        int x, y, boxX, boxY;
      } corners[] = {
          {l, t, l + 8, t + 8}, {r, t, r - 244, t + 8}, {l, b, l + 8, b - 274}, {r, b, r - 244, b - 274}};
      for (const auto& c : corners) {
        display.MoveMouse(c.x, c.y);
        auto red = [](const Image& i) {
          return Mismatches(i, 0, 0, i.width, i.height, 0, 0, [](int, int) { return kFrameRed; }) == 0;
        };
        EXPECT_TRUE(Becomes([&] {
          return red(display.Capture(c.boxX, c.boxY, 237, 1)) &&
                 red(display.Capture(c.boxX, c.boxY, 1, 267));
        }))
            << "pointer at " << c.x << ", " << c.y;
      }
    }
  }

  // The overlay mid-drag over the whole desktop: the selection clean in a 3-pixel red frame,
  // every monitor's picture and windows dimmed, black where no monitor is. The crosshair and
  // the magnifier around the pointer (`x`, `y`) are left out.
  int OverlayMismatches(const Image& shown, const Box& selection, int x, int y) const {
    const Monitor b = display.Bounds();
    const Box framed = {selection.left - 3, selection.top - 3, selection.right + 3,
                        selection.bottom + 3};
    int bad = 0;
    for (int py = b.y; py < b.y + b.height; ++py)
      for (int px = b.x; px < b.x + b.width; ++px) {
        if (px == x + 1 || py == y + 1 || (std::abs(px - x) <= 250 && std::abs(py - y) <= 280))
          continue;
        const Rgb want = Inside(selection, px, py) ? Shown(px, py)
                         : Inside(framed, px, py)  ? kFrameRed
                                                   : Dimmed(Shown(px, py));
        bad += !(shown.At(px - b.x, py - b.y) == want);
      }
    return bad;
  }

  // A capture after "Capture" and `choose`, once the flow has ended.
  std::optional<Image> CaptureAfter(const std::function<void()>& choose) {
    const auto files = Files();
    ClickCapture();
    choose();
    auto file = NewCapture(files);
    EXPECT_TRUE(FlowEnded());
    return file;
  }

  std::unique_ptr<Process> scene_;
};

TEST_P(MonitorsE2E, AreasMagnifierPicksAndFullscreenOnEveryMonitor) {
  const Layout& layout = GetParam();
  ASSERT_NO_FATAL_FAILURE(ShowScene());
  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 2}}));
  EXPECT_EQ(std::pair(main.x, main.y), std::pair(kMainLeft, kMainTop)) << "not on the primary";

  for (size_t i = 0; i < layout.drags.size(); ++i) {
    const Box& d = layout.drags[i];
    SCOPED_TRACE(testing::PrintToString(d));
    const bool last = i + 1 == layout.drags.size();
    Image shown;
    const auto file = CaptureAfter([&] {
      ASSERT_TRUE(wine.WaitForWindow(kArea, kDeadline, kestrix.get()));
      if (i == 0) CheckMagnifierAtCorners();
      Drag(d.left, d.top, d.right - 1, d.bottom - 1, [&] {
        if (last) shown = display.Screenshot(std::string("monitors_") + layout.name + "_area_overlay");
      });
    });
    ASSERT_TRUE(file);
    const int w = d.right - d.left, h = d.bottom - d.top;
    ASSERT_EQ(std::pair(file->width, file->height), std::pair(w, h));
    EXPECT_EQ(Mismatches(*file, 0, 0, w, h, d.left, d.top, [&](int x, int y) { return Shown(x, y); }), 0);
    if (last) {
      EXPECT_EQ(OverlayMismatches(shown, d, d.right - 1, d.bottom - 1), 0);
    }
  }

  // A monitor added, removed or resized while the overlay is open ends it as Escape does.
  {
    const auto files = Files();
    ClickCapture();
    ASSERT_TRUE(wine.WaitForWindow(kArea, kDeadline, kestrix.get()));
    EXPECT_TRUE(wine.Act({"displaychange", kArea}));
    EXPECT_TRUE(Gone(kArea));
    EXPECT_TRUE(FlowEnded());
    Pause(1000);
    EXPECT_EQ(Files(), files);
  }

  // A window on a monitor that is not the primary, picked and captured as it is there.
  ClickMain(kInputTypeId);
  ASSERT_TRUE(TextBecomes(kInputTypeId, "Window"));
  const Box& t = layout.target;
  const auto window = CaptureAfter([&] {
    Pick(t.right - 20, t.bottom - 20, t, [&] {
      display.Screenshot(std::string("monitors_") + layout.name + "_window_picker");
    });
  });
  ASSERT_TRUE(window);
  ASSERT_EQ(std::pair(window->width, window->height), std::pair(t.right - t.left, t.bottom - t.top));
  const Image there = display.Capture(t.left, t.top, window->width, window->height);
  EXPECT_EQ(Mismatches(*window, 0, 0, there.width, there.height, 0, 0,
                       [&](int x, int y) { return there.At(x, y); }),
            0);
  // A repeat refreshes its rectangle there, within the desktop's bounds.
  const auto files = Files();
  ASSERT_TRUE(Command(kRepeatCaptureId));
  const auto again = NewCapture(files);
  ASSERT_TRUE(again);
  EXPECT_EQ(std::pair(again->width, again->height), std::pair(there.width, there.height));
  ASSERT_TRUE(FlowEnded());

  // Fullscreen is the primary screen, with the scene's window of the desktop's class on it.
  ClickMain(kInputTypeId);
  ASSERT_TRUE(TextBecomes(kInputTypeId, "Fullscreen"));
  const auto full = CaptureAfter([] {});
  ASSERT_TRUE(full);
  ASSERT_EQ(std::pair(full->width, full->height), std::pair(1280, 800));
  EXPECT_EQ(Mismatches(*full, 0, 0, 1280, 800, 0, 0,
                       [&](int x, int y) { return Shown(x, y); }),
            0);

  // A window maximised there: its monitor's work area, all of it the window's.
  ClickMain(kInputTypeId);
  ClickMain(kInputTypeId);
  ASSERT_TRUE(TextBecomes(kInputTypeId, "Window"));
  ASSERT_TRUE(wine.Act({"command", "KXSceneControlWndClass", std::to_string(scene::kShowMaximised)}));
  Pause(500);
  const Box m = BoxOf(layout.monitors[layout.maximisedOn]);
  const auto maximised = CaptureAfter([&] { Pick(m.CentreX(), m.CentreY(), m); });
  ASSERT_TRUE(maximised);
  ASSERT_EQ(std::pair(maximised->width, maximised->height), std::pair(m.right - m.left, m.bottom - m.top));
  EXPECT_EQ(Mismatches(*maximised, 0, 0, maximised->width, maximised->height, 0, 0,
                       [&](int, int) { return Of(scene::kMaximisedColour); }),
            0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, MonitorsE2E, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<Layout>& row) { return row.param.name; });

}  // namespace
}  // namespace e2e
