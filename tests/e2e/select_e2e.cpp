// The two selection overlays as a person uses them, on the kxselect stage (a dialog with
// nested controls, a maximised window, one partly off screen, a hidden and a minimised one):
// real X input drags out areas and picks windows; the results, and the pixels of what the
// overlays show, are checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "harness.h"
#include "stage.h"

namespace e2e {
namespace {

constexpr Rgb kRed = {209, 53, 37};

// The dimming rule at 32 bits per pixel.
Rgb Dimmed(Rgb c) {
  double v = std::sqrt(0.099 * c.r * c.r - 0.019 * c.b * c.b + 0.199 * c.g * c.g);
  uint8_t grey = std::isnan(v) ? 0 : uint8_t(v);
  return {grey, grey, grey};
}

// The display and prefix a stage runs in, made before the stage (a base made first).
struct StageWorld {
  explicit StageWorld(int depth) : screen(1280, 800, depth), wine(screen) {}
  VirtualDisplay screen;
  WineSession wine;
};

// kxselect running in a fresh prefix on a 1280 x 800 screen of its own.
class StageSession : private StageWorld, public Stage {
 public:
  explicit StageSession(int depth = 24) : StageWorld(depth), Stage(screen, wine) {}
};

TEST(AreaOverlayE2E, DragsOutTheSameAreaEveryWayOnADimmedPictureWithFrameCrosshairAndMagnifier) {
  StageSession stage;
  ASSERT_TRUE(stage.ready());
  VirtualDisplay& display = stage.display();

  // A right click turns the magnifier on and Escape cancels, on its release.
  Result r = stage.Run(1, [&] {
    display.Click(640, 400, 3);
    StageSession::Pause(200);
    display.Key("Escape");
  });
  EXPECT_EQ(r.end, 2);
  EXPECT_EQ(r.window, 0u);
  EXPECT_EQ(r.rect, Box{});
  EXPECT_EQ(r.magnifier, 1);

  // Dragged from the anchor to a button's label, so that the magnifier has something to show.
  const Point anchor = {150, 60}, cursor = {460, 160};
  const Box expected = {150, 60, 461, 161};
  ASSERT_TRUE(stage.Settle());
  const Image before = display.CaptureScreen();
  Image mid;
  r = stage.Run(1, [&] {
    stage.Drag(anchor, cursor);
    StageSession::Pause(300);
    mid = display.CaptureScreen();
    SaveScreenshot(display, "area_overlay_mid_drag");
    stage.Release();
  });
  EXPECT_EQ(r.end, 1);
  EXPECT_EQ(r.rect, expected);
  ASSERT_EQ(mid.width, 1280);
  // Clean inside the selection, including the edge pixels the crosshair keeps clear of.
  for (int y = expected.top; y < expected.bottom; ++y)
    for (int x = expected.left; x < expected.right; ++x)
      ASSERT_EQ(mid.At(x, y), before.At(x, y)) << x << "," << y;
  // A 3-pixel red frame; the crosshair one pixel beyond the cursor, away from the anchor.
  for (int d = 1; d <= 3; ++d) {
    EXPECT_EQ(mid.At(expected.left - d, 110), kRed) << d;
    EXPECT_EQ(mid.At(300, expected.top - d), kRed) << d;
    EXPECT_EQ(mid.At(300, expected.bottom - 1 + d), kRed) << d;
  }
  EXPECT_EQ(mid.At(900, cursor.y + 1), kRed);
  EXPECT_EQ(mid.At(cursor.x + 1, 600), kRed);
  EXPECT_EQ(mid.At(900, cursor.y + 2), (Rgb{134, 134, 134}));  // white turns grey 134
  // The magnifier left of and below the cursor; dimmed everywhere else (so the box ends there).
  const Box magnifier = {cursor.x - 244, cursor.y + 8, cursor.x - 7, cursor.y + 275};
  EXPECT_EQ(mid.At(magnifier.left, magnifier.top), kRed);
  EXPECT_EQ(mid.At(magnifier.right - 1, magnifier.bottom - 1), kRed);
  for (int y = 0; y < 800; ++y)
    for (int x = 0; x < 1280; ++x) {
      const bool nearSelection = x >= expected.left - 3 && x < expected.right + 3 &&
                                 y >= expected.top - 3 && y < expected.bottom + 3;
      const bool onMagnifier =
          x >= magnifier.left && x < magnifier.right && y >= magnifier.top && y < magnifier.bottom;
      if (nearSelection || onMagnifier || x == cursor.x + 1 || y == cursor.y + 1) continue;
      ASSERT_EQ(mid.At(x, y), Dimmed(before.At(x, y))) << x << "," << y;
    }

  // Every direction gives the same area.
  const Point corners[][2] = {{cursor, anchor},
                              {{cursor.x, anchor.y}, {anchor.x, cursor.y}},
                              {{anchor.x, cursor.y}, {cursor.x, anchor.y}}};
  for (const auto& c : corners) {
    r = stage.Run(1, [&] {
      stage.Drag(c[0], c[1]);
      stage.Release();
    });
    EXPECT_EQ(r.rect, expected) << c[0].x << "," << c[0].y;
  }
  // A press and release without a move selects nothing; back at the anchor, one pixel.
  r = stage.Run(1, [&] { display.Click(400, 300); });
  EXPECT_EQ(r.end, 1);
  EXPECT_EQ(r.rect, Box{});
  r = stage.Run(1, [&] {
    stage.Drag({400, 300}, {450, 320});
    display.MoveMouse(400, 300);
    StageSession::Pause();
    stage.Release();
  });
  EXPECT_EQ(r.rect, (Box{400, 300, 401, 301}));
  // Shift, Ctrl or a second button hold the selection still.
  const char* const heldKeys[] = {"Shift_L", "Control_L", nullptr};  // null: the middle button
  for (const char* key : heldKeys) {
    auto hold = [&](bool down) {
      key ? display.KeyState(key, down) : display.MouseButton(2, down);
    };
    r = stage.Run(1, [&] {
      stage.Drag({300, 200}, {400, 300});
      hold(true);
      StageSession::Pause();
      display.MoveMouse(600, 500);
      StageSession::Pause();
      stage.Release();
      hold(false);
    });
    EXPECT_EQ(r.rect, (Box{300, 200, 401, 301})) << (key ? key : "middle button");
  }
}

TEST(WindowPickerE2E, PicksTheDeepestLatestElementAndOnlyWindowsThatWereThereToBeSeen) {
  StageSession stage;
  ASSERT_TRUE(stage.ready());
  VirtualDisplay& display = stage.display();
  auto pickAt = [&](int x, int y, const char* screenshot = nullptr) {
    return stage.Run(2, [&] {
      display.MoveMouse(x - 5, y - 5);
      StageSession::Pause();
      display.MoveMouse(x, y);
      StageSession::Pause(200);
      if (screenshot) SaveScreenshot(display, screenshot);
      display.Click(x, y);
    });
  };

  // A click before any move picks nothing but the pixel under the pointer (below the work
  // area, where no candidate is).
  display.MoveMouse(1000, 780);
  Result r = stage.Run(2, [&] {
    display.MouseButton(1, true);
    display.MouseButton(1, false);
  });
  EXPECT_EQ(r.end, 1);
  EXPECT_EQ(r.window, 0u);
  EXPECT_EQ(r.rect, (Box{1000, 780, 1001, 781}));

  // The two overlapping buttons have the same depth: the one enumerated later wins.
  const auto& elements = stage.Elements();
  const auto later = std::find(elements.begin(), elements.end(), "first") >
                             std::find(elements.begin(), elements.end(), "second")
                         ? "first"
                         : "second";
  const Box dialog = stage.Rect("dialog");
  const struct {
    int x, y;
    std::string picked;
  } cases[] = {
      {stage.Rect("alone").CentreX(), stage.Rect("alone").CentreY(), "alone"},
      {dialog.right - 20, dialog.bottom - 20, "dialog"},
      {stage.Rect("inner").CentreX(), stage.Rect("inner").CentreY(), "inner"},
      {stage.Rect("panel").left + 5, stage.Rect("panel").bottom - 5, "panel"},
      {440, 145, later},
  };
  for (const auto& c : cases) {
    r = pickAt(c.x, c.y, c.picked == "inner" ? "window_picker_control" : nullptr);
    EXPECT_EQ(r.window, stage.Handle(c.picked)) << c.picked;
    EXPECT_EQ(r.rect, stage.Rect(c.picked)) << c.picked;
  }
  // A maximised window is the work area, not its rectangle clamped to the screen.
  r = pickAt(1000, 600);
  EXPECT_EQ(r.window, stage.Handle("maximised"));
  EXPECT_EQ(r.rect, (Box{0, 0, 1280, 760}));
  // Partly off screen: clamped on the pick.
  r = pickAt(50, 550);
  EXPECT_EQ(r.window, stage.Handle("offscreen"));
  EXPECT_EQ(r.rect, (Box{0, 500, 140, 600}));
  // Hidden and minimised windows are passed over.
  const Box hidden = stage.Rect("hidden"), minimised = stage.Rect("minimised");
  EXPECT_EQ(pickAt(hidden.CentreX(), hidden.CentreY()).window, stage.Handle("maximised"));
  EXPECT_NE(pickAt(minimised.CentreX(), minimised.CentreY()).window, stage.Handle("minimised"));
  // Escape cancels.
  r = stage.Run(2, [&] { display.Key("Escape"); });
  EXPECT_EQ(r.end, 2);
  EXPECT_EQ(r.window, 0u);
  EXPECT_EQ(r.rect, Box{});
}

TEST(AreaOverlayE2E, OnASixteenBitScreenNothingIsDimmedAndTheSelectionStillWorks) {
  StageSession stage(16);
  ASSERT_TRUE(stage.ready());
  VirtualDisplay& display = stage.display();
  ASSERT_TRUE(stage.Settle());
  const Image before = display.CaptureScreen();
  Image mid;
  Result r = stage.DragArea({300, 200}, {500, 350}, mid);
  EXPECT_EQ(r.rect, (Box{300, 200, 501, 351}));
  ASSERT_EQ(mid.width, 1280);
  EXPECT_EQ(mid.At(1000, 600), before.At(1000, 600));
  EXPECT_EQ(mid.At(150, 150), before.At(150, 150));
  EXPECT_NE(mid.At(299, 260), before.At(299, 260));  // the frame
}

}  // namespace
}  // namespace e2e
