// The two selection overlays as a person uses them, on the kxselect stage (a dialog with
// nested controls, a maximised window, one partly off screen, a hidden and a minimised one):
// real X input drags out areas and picks windows; the results, and the pixels of what the
// overlays show, are checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "session.h"

namespace e2e {
namespace {

// The dimming rule at 32 bits per pixel.
Rgb Dimmed(Rgb c) {
  double v = std::sqrt(0.099 * c.r * c.r - 0.019 * c.b * c.b + 0.199 * c.g * c.g);
  uint8_t grey = std::isnan(v) ? 0 : uint8_t(v);
  return {grey, grey, grey};
}

TEST(SelectE2E, AreaOverlayAndWindowPickerOnTheStage) {
  Session s(1280, 800);
  Stage stage(s.display, s.wine);
  ASSERT_TRUE(stage.ready());
  VirtualDisplay& display = s.display;

  // A right click turns the magnifier on and Escape cancels, on its release.
  Result r = stage.Run(1, [&] {
    display.Click(640, 400, 3);
    Stage::Pause(200);
    display.Key("Escape");
  });
  EXPECT_EQ(r.end, 2);
  EXPECT_EQ(r.rect, Box{});
  EXPECT_EQ(r.magnifier, 1);

  // Dragged from the anchor to a button's label, so that the magnifier has something to show.
  const Point anchor = {150, 60}, cursor = {460, 160};
  const Box expected = {150, 60, 461, 161};
  ASSERT_TRUE(stage.Settle());
  const Image before = display.CaptureScreen();
  Image mid;
  r = stage.DragArea(anchor, cursor, mid);
  mid.SavePng(Locations::Get().artifacts + "/area_overlay_mid_drag.png");
  EXPECT_EQ(r.end, 1);
  EXPECT_EQ(r.rect, expected);
  ASSERT_EQ(mid.width, 1280);
  // A 3-pixel red frame; the crosshair one pixel beyond the cursor; the magnifier left of and
  // below it; the selection clean, and everything else dimmed.
  for (int d = 1; d <= 3; ++d) {
    EXPECT_EQ(mid.At(expected.left - d, 110), kFrameRed) << d;
    EXPECT_EQ(mid.At(300, expected.bottom - 1 + d), kFrameRed) << d;
  }
  EXPECT_EQ(mid.At(900, cursor.y + 1), kFrameRed);
  EXPECT_EQ(mid.At(cursor.x + 1, 600), kFrameRed);
  const Box magnifier = {cursor.x - 244, cursor.y + 8, cursor.x - 7, cursor.y + 275};
  EXPECT_EQ(mid.At(magnifier.left, magnifier.top), kFrameRed);
  EXPECT_EQ(mid.At(magnifier.right - 1, magnifier.bottom - 1), kFrameRed);
  auto in = [](const Box& b, int x, int y, int margin) {
    return x >= b.left - margin && x < b.right + margin && y >= b.top - margin &&
           y < b.bottom + margin;
  };
  EXPECT_EQ(Mismatches(mid, 0, 0, 1280, 800, 0, 0,
                       [&](int x, int y) {
                         if (in(expected, x, y, 0)) return before.At(x, y);
                         const bool drawn = in(expected, x, y, 3) || in(magnifier, x, y, 0) ||
                                            x == cursor.x + 1 || y == cursor.y + 1;
                         return drawn ? mid.At(x, y) : Dimmed(before.At(x, y));
                       }),
            0);

  // Backwards gives the same area (the geometry of every direction is the unit tests'); a
  // click without a move selects nothing; Shift, Ctrl or a second button hold it still.
  auto drag = [&](Point from, Point to, const std::function<void(bool)>& hold = nullptr) {
    return [&, from, to, hold] {
      stage.Drag(from, to);
      if (hold) hold(true), Stage::Pause(), display.MoveMouse(600, 500), Stage::Pause();
      stage.Release();
      if (hold) hold(false);
    };
  };
  auto key = [&](const char* k) { return [&, k](bool down) { display.KeyState(k, down); }; };
  const struct {
    std::function<void()> input;
    Box rect;
  } drags[] = {
      {drag(cursor, anchor), expected},
      {[&] { display.Click(400, 300); }, Box{}},
      {drag({300, 200}, {400, 300}, key("Shift_L")), {300, 200, 401, 301}},
      {drag({300, 200}, {400, 300}, key("Control_L")), {300, 200, 401, 301}},
      {drag({300, 200}, {400, 300}, [&](bool down) { display.MouseButton(2, down); }),
       {300, 200, 401, 301}},
  };
  for (size_t i = 0; i < std::size(drags); ++i) {
    r = stage.Run(1, drags[i].input);
    EXPECT_EQ(r.end, 1) << i;
    EXPECT_EQ(r.rect, drags[i].rect) << i;
  }

  // The picker: a click before any move picks the pixel under the pointer (below the work
  // area, where no candidate is).
  display.MoveMouse(1000, 780);
  r = stage.Run(2, [&] { display.MouseButton(1, true), display.MouseButton(1, false); });
  EXPECT_EQ(r.window, 0u);
  EXPECT_EQ(r.rect, (Box{1000, 780, 1001, 781}));
  // The deepest element, the later of two of the same depth; a maximised window is the work
  // area; one partly off screen is clamped; hidden and minimised ones are passed over.
  const auto& elements = stage.Elements();
  const std::string later = std::find(elements.begin(), elements.end(), "first") >
                                    std::find(elements.begin(), elements.end(), "second")
                                ? "first"
                                : "second";
  const Box dialog = stage.Rect("dialog"), panel = stage.Rect("panel"),
            hidden = stage.Rect("hidden");
  const struct {
    int x, y;
    std::string picked;
    Box rect = {};  // empty: the window's own
  } picks[] = {
      {stage.Rect("alone").CentreX(), stage.Rect("alone").CentreY(), "alone"},
      {dialog.right - 20, dialog.bottom - 20, "dialog"},
      {stage.Rect("inner").CentreX(), stage.Rect("inner").CentreY(), "inner"},
      {panel.left + 5, panel.bottom - 5, "panel"},
      {440, 145, later},
      {1000, 600, "maximised", {0, 0, 1280, 760}},
      {50, 550, "offscreen", {0, 500, 140, 600}},
      {hidden.CentreX(), hidden.CentreY(), "maximised", {0, 0, 1280, 760}},
      {stage.Rect("minimised").CentreX(),
       stage.Rect("minimised").CentreY(),
       "maximised",
       {0, 0, 1280, 760}},
  };
  for (const auto& p : picks) {
    r = stage.Run(2, [&] {
      display.MoveMouse(p.x - 5, p.y - 5);
      Stage::Pause();
      display.MoveMouse(p.x, p.y);
      Stage::Pause(200);
      if (p.picked == "inner") SaveScreenshot(display, "window_picker_control");
      display.Click(p.x, p.y);
    });
    EXPECT_EQ(r.window, stage.Handle(p.picked)) << p.picked << " at " << p.x << "," << p.y;
    EXPECT_EQ(r.rect, p.rect == Box{} ? stage.Rect(p.picked) : p.rect) << p.picked;
  }
}

TEST(SelectE2E, OnASixteenBitScreenNothingIsDimmedAndTheSelectionStillWorks) {
  Session s(1280, 800, 16);
  Stage stage(s.display, s.wine);
  ASSERT_TRUE(stage.ready() && stage.Settle());
  const Image before = s.display.CaptureScreen();
  Image mid;
  EXPECT_EQ(stage.DragArea({300, 200}, {500, 350}, mid).rect, (Box{300, 200, 501, 351}));
  ASSERT_EQ(mid.width, 1280);
  EXPECT_EQ(mid.At(1000, 600), before.At(1000, 600));
  EXPECT_EQ(mid.At(150, 150), before.At(150, 150));
  EXPECT_NE(mid.At(299, 260), before.At(299, 260));  // the frame
}

}  // namespace
}  // namespace e2e
