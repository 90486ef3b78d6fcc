// The button control: its arithmetic, its property messages, real mouse clicks, drags,
// hover and spin repeats, and what it draws, read back as pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include "resource_ids.h"
#include "toolkit_support.h"
#include "ui/button.h"
#include "ui/tool_buttons.h"
#include "ui/window_base.h"

namespace kx {
namespace {

using test::MouseDown;
using test::MouseMoveTo;
using test::MouseUp;
using test::Pixels;
using test::PumpUntil;
using test::RecordingParent;

TEST(ButtonArithmetic, SpinStepGrowsByOnePercentOfTheMaximumPerNinePixels) {
  const int bottom = 37, margin = 2;
  struct Case {
    int d, range100, range500;
  } cases[] = {{1, 3, 11},  {8, 3, 11},  {9, 4, 16}, {17, 4, 16},
               {18, 5, 21}, {26, 5, 21}, {27, 6, 26}};
  for (const Case& c : cases) {
    int above = margin - c.d;           // d pixels above the inner edge of the top band
    int below = bottom - margin + c.d;  // d pixels into or below the bottom band
    EXPECT_EQ(SpinRepeatStep(above, bottom, margin, 100), c.range100) << "above, d " << c.d;
    EXPECT_EQ(SpinRepeatStep(below, bottom, margin, 100), -c.range100) << "below, d " << c.d;
    EXPECT_EQ(SpinRepeatStep(above, bottom, margin, 500), c.range500) << "above, d " << c.d;
    EXPECT_EQ(SpinRepeatStep(below, bottom, margin, 500), -c.range500) << "below, d " << c.d;
  }
  EXPECT_EQ(SpinRepeatStep(bottom - margin, bottom, margin, 100), -3) << "the band's first row";
  // Inside the button: one up in the upper half (y <= bottom / 2), one down below it.
  for (auto [y, step] : {std::pair{2, 1}, {18, 1}, {19, -1}, {34, -1}})
    EXPECT_EQ(SpinRepeatStep(y, bottom, margin, 500), step) << "y " << y;
}

TEST(ButtonArithmetic, AMinimumAboveTheMaximumWinsAndOnlyTheInnerRectHits) {
  EXPECT_EQ(ClampToRange(7, 10, 5), 10);
  HitRect hit = HitRectForMargin(37, 37, 2);
  const std::pair<POINT, bool> points[] = {{{1, 18}, false}, {{18, 1}, false},  {{2, 2}, true},
                                           {{34, 34}, true}, {{35, 18}, false}, {{18, 35}, false}};
  for (auto [point, inside] : points)
    EXPECT_EQ(InsideHitRect(hit, point), inside) << point.x << "," << point.y;
}

Pixels Render(HWND b);

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MouseMoveTo({5, 5});  // away from every window
  }
  HWND Make(int x, int y, int w, int h, const wchar_t* text = L"Go", int id = 1026) {
    HWND b = CreatePlainButton(parent.hwnd(), text, id, x, y, w, h);
    UpdateWindow(b);
    return b;
  }
  POINT At(HWND b, int x, int y) { return test::ClientToScreenPoint(b, x, y); }
  void Click(HWND b, int x, int y) {
    MouseMoveTo(At(b, x, y));
    MouseDown();
    MouseUp();
  }
  // A toggle, or a cycle over 0..2.
  HWND MakeOfType(UINT type, int y, int id) {
    HWND b = Make(10, y, 91, 37, L"Typed", id);
    SendMessageW(b, BXM_TYPE, kSetSilently, type);
    if (type == BXT_CYCLE) SendMessageW(b, BXM_RANGE, kSetSilently, MAKELPARAM(0, 2));
    return b;
  }
  int Commands(int id = 1026) { return parent.Count(WM_COMMAND, id); }
  ButtonEx* Object(HWND b) { return WindowObject<ButtonEx>(b); }

  RecordingParent parent;
};

TEST_F(ButtonTest, PropertyMessagesReadWriteAndRepaintOnRequest) {
  HWND b = CreateButtonEx(parent.hwnd(), L"", 1026, 10, 10, 91, 37);
  ASSERT_TRUE(b);
  // Defaults as created.
  EXPECT_EQ(SendMessageW(b, BXM_TYPE, 0, 3), LRESULT(BXT_PUSH));
  EXPECT_EQ(SendMessageW(b, BXM_MARGIN, 0, 0), 2);
  EXPECT_EQ(SendMessageW(b, BXM_TEXTX, 0, 0), -1);
  EXPECT_EQ(SendMessageW(b, BXM_AUTOTOGGLE, 0, 0), 1);
  const UINT messages[] = {BXM_TYPE,   BXM_BACKSTYLE, BXM_BACKBITMAP, BXM_IMAGE1,
                           BXM_IMAGE2, BXM_TEXTX,     BXM_CHECK,      BXM_AUTOTOGGLE};
  const LPARAM values[] = {2, 1, 5380, 5381, 5382, 30, 1, 0};
  for (size_t i = 0; i < std::size(messages); ++i) {
    EXPECT_EQ(SendMessageW(b, messages[i], kSetSilently, values[i]), values[i]) << messages[i];
    EXPECT_EQ(SendMessageW(b, messages[i], 0, 12345), values[i]) << "a read changes nothing";
  }
  EXPECT_EQ(SendMessageW(b, BXM_VALUE, kSetSilently, 9999), 9999);  // not clamped
  EXPECT_EQ(SendMessageW(b, BXM_VALUE, kSetSilently, -3), -3);
  LRESULT range = SendMessageW(b, BXM_RANGE, kSetSilently, MAKELPARAM(1, 500));
  EXPECT_EQ(HIWORD(range), 500);
  EXPECT_EQ(LOWORD(range), 1);
  EXPECT_EQ(SendMessageW(b, BXM_RANGE, 0, 0), range);
  LRESULT pos = SendMessageW(b, BXM_IMAGE1POS, kSetSilently, MAKELPARAM(10, 14));
  EXPECT_EQ(LOWORD(pos), 10);
  EXPECT_EQ(HIWORD(pos), 14);
  EXPECT_EQ(SendMessageW(b, BXM_IMAGE2POS, kSetSilently, MAKELPARAM(7, 3)), MAKELPARAM(7, 3));

  // Silent writes leave nothing to repaint; the high word asks for a repaint.
  ValidateRect(b, nullptr);
  SendMessageW(b, BXM_CHECK, kSetSilently, 0);
  EXPECT_FALSE(GetUpdateRect(b, nullptr, FALSE));
  SendMessageW(b, BXM_CHECK, 0x10000, 1);  // high word alone does not set
  EXPECT_EQ(SendMessageW(b, BXM_CHECK, 0, 0), 0);
  EXPECT_FALSE(GetUpdateRect(b, nullptr, FALSE));
  SendMessageW(b, BXM_CHECK, kSetAndRepaint, 1);
  EXPECT_TRUE(GetUpdateRect(b, nullptr, FALSE));
}

TEST_F(ButtonTest, APressInsideTheMarginBandDoesNothing) {
  HWND b = Make(10, 10, 91, 37);
  MouseMoveTo(At(b, 1, 18));
  MouseDown();
  EXPECT_NE(GetCapture(), b);
  EXPECT_EQ(Object(b)->TimerInterval(kPressPollTimer), 0u);
  MouseUp();
  EXPECT_EQ(Commands(), 0);
  // One pixel further in, the same press is a click.
  Click(b, 2, 18);
  EXPECT_EQ(Commands(), 1);
  // Setting the margin to 0 makes the edge react.
  SendMessageW(b, BXM_MARGIN, kSetSilently, 0);
  Click(b, 0, 18);
  EXPECT_EQ(Commands(), 2);
}

TEST_F(ButtonTest, AClickSendsOneCommandAndADragOffSendsNothing) {
  HWND push = Make(10, 10, 91, 37, L"Push", 1026);
  MouseMoveTo(At(push, 40, 18));
  MouseDown();
  EXPECT_EQ(GetCapture(), push);
  EXPECT_EQ(Object(push)->TimerInterval(kPressPollTimer), 10u);
  MouseUp();
  EXPECT_EQ(Commands(1026), 1);
  for (const test::Recorded& e : parent.events())
    if (e.message == WM_COMMAND) {
      EXPECT_EQ(e.from, push);
    }
  EXPECT_NE(GetCapture(), push);

  HWND toggle = MakeOfType(BXT_TOGGLE, 60, 1027);
  HWND cycle = MakeOfType(BXT_CYCLE, 110, 1028);
  for (HWND b : {push, toggle, cycle}) {
    int id = GetDlgCtrlID(b);
    int before = Commands(id);
    MouseMoveTo(At(b, 40, 18));
    MouseDown();
    MouseMoveTo(At(b, 200, 18));  // off the button, still captured
    // The press poll pops the button up while the cursor is off it.
    EXPECT_TRUE(PumpUntil([&] { return Render(b).At(20, 18) != RGB(0xE9, 0xE9, 0xE9); }));
    MouseUp();
    EXPECT_EQ(Commands(id), before) << id;
  }
  EXPECT_EQ(SendMessageW(toggle, BXM_CHECK, 0, 0), 0);
  EXPECT_EQ(SendMessageW(cycle, BXM_VALUE, 0, 0), 0);
}

TEST_F(ButtonTest, TogglesFlipOnlyWithAutoToggleAndCyclesWrap) {
  HWND toggle = MakeOfType(BXT_TOGGLE, 10, 1026);
  Click(toggle, 40, 18);
  EXPECT_EQ(SendMessageW(toggle, BXM_CHECK, 0, 0), 1);
  Click(toggle, 40, 18);
  EXPECT_EQ(SendMessageW(toggle, BXM_CHECK, 0, 0), 0);
  SendMessageW(toggle, BXM_AUTOTOGGLE, kSetSilently, 0);
  Click(toggle, 40, 18);
  EXPECT_EQ(SendMessageW(toggle, BXM_CHECK, 0, 0), 0);
  EXPECT_EQ(Commands(1026), 3) << "a toggle without auto-toggle still reports the click";

  HWND cycle = MakeOfType(BXT_CYCLE, 60, 1027);
  SendMessageW(cycle, BXM_VALUE, kSetSilently, 1);
  Click(cycle, 40, 18);
  EXPECT_EQ(SendMessageW(cycle, BXM_VALUE, 0, 0), 2);
  Click(cycle, 40, 18);
  EXPECT_EQ(SendMessageW(cycle, BXM_VALUE, 0, 0), 0);
  EXPECT_EQ(Commands(1027), 2);
}

class SpinTest : public ButtonTest {
 protected:
  HWND MakeSpin(int minimum, int maximum, int value) {
    HWND s = CreateSpinButton(parent.hwnd(), 1030, 100, 100, 37, 37, minimum, maximum);
    SendMessageW(s, BXM_VALUE, kSetSilently, value);
    UpdateWindow(s);
    return s;
  }
  int Value(HWND s) { return int(SendMessageW(s, BXM_VALUE, 0, 0)); }
};

TEST_F(SpinTest, AnEarlyReleaseStepsOnceByTheHalf) {
  HWND s = MakeSpin(0, 100, 50);
  MouseMoveTo(At(s, 18, 18));
  MouseDown();
  EXPECT_EQ(Object(s)->TimerInterval(kSpinRepeatTimer), 399u);
  EXPECT_EQ(Object(s)->TimerInterval(kPressPollTimer), 0u);
  MouseUp();
  EXPECT_EQ(Value(s), 51);
  EXPECT_EQ(Commands(1030), 1);
  EXPECT_EQ(Object(s)->TimerInterval(kSpinRepeatTimer), 0u);
  MouseMoveTo(At(s, 18, 19));
  MouseDown();
  MouseUp();
  EXPECT_EQ(Value(s), 50);
  // A release after dragging off still reports, with the step taken by where it ended.
  MouseMoveTo(At(s, 18, 10));
  MouseDown();
  MouseMoveTo(At(s, 300, 10));
  MouseUp();
  EXPECT_EQ(Value(s), 51);
  EXPECT_EQ(Commands(1030), 3);
}

TEST_F(SpinTest, HoldingRepeatsAt399Then77AndTheReleaseOnlyReports) {
  HWND s = MakeSpin(0, 100, 50);
  MouseMoveTo(At(s, 18, 10));
  MouseDown();
  EXPECT_EQ(Object(s)->TimerInterval(kSpinRepeatTimer), 399u);
  ASSERT_TRUE(PumpUntil([&] { return Commands(1030) >= 1; }, 3000));
  EXPECT_EQ(Object(s)->TimerInterval(kSpinRepeatTimer), 77u);
  ASSERT_TRUE(PumpUntil([&] { return Commands(1030) >= 3; }, 3000));
  EXPECT_EQ(Object(s)->TimerInterval(kSpinRepeatTimer), 77u);
  MouseUp();
  int reported = Commands(1030);
  int value = Value(s);
  EXPECT_EQ(value, 50 + reported - 1) << "each repeat stepped by one; the release did not";
  EXPECT_EQ(Object(s)->TimerInterval(kSpinRepeatTimer), 0u);
  test::PumpFor(200);
  EXPECT_EQ(Commands(1030), reported);
}

TEST_F(SpinTest, DraggedFarAboveOrBelowItStaysInsideTheRange) {
  HWND s = MakeSpin(1, 500, 495);
  MouseMoveTo(At(s, 18, 10));
  MouseDown();
  MouseMoveTo(At(s, 18, -40));  // d = 42: steps of 26
  ASSERT_TRUE(PumpUntil([&] { return Commands(1030) >= 3; }, 3000));
  EXPECT_EQ(Value(s), 500);
  MouseUp();
  EXPECT_EQ(Value(s), 500);

  SendMessageW(s, BXM_VALUE, kSetSilently, 20);
  int before = Commands(1030);
  MouseMoveTo(At(s, 18, 20));
  MouseDown();
  MouseMoveTo(At(s, 18, 35));  // bottom band, d = 0: steps of 11
  ASSERT_TRUE(PumpUntil([&] { return Commands(1030) >= before + 1; }, 3000));
  EXPECT_EQ(Value(s), 9);
  ASSERT_TRUE(PumpUntil([&] { return Commands(1030) >= before + 3; }, 3000));
  EXPECT_EQ(Value(s), 1);
  MouseUp();
}

TEST_F(ButtonTest, HoverIsReportedAfterTheDwellAndLeaveOnLeaving) {
  HWND b = Make(10, 10, 91, 37, L"Hover", 1026);
  MouseMoveTo(At(b, 40, 18));
  EXPECT_EQ(Object(b)->TimerInterval(kLeavePollTimer), 10u);
  EXPECT_EQ(Object(b)->TimerInterval(kHoverDwellTimer), 191u);
  EXPECT_EQ(parent.Count(WM_NOTIFY, 1026, BXN_HOVER), 0);
  ASSERT_TRUE(PumpUntil([&] { return parent.Count(WM_NOTIFY, 1026, BXN_HOVER) == 1; }));
  EXPECT_EQ(Object(b)->TimerInterval(kHoverDwellTimer), 0u);
  EXPECT_EQ(parent.Count(WM_NOTIFY, 1026, BXN_LEAVE), 0);
  MouseMoveTo(At(b, 40, 60));
  ASSERT_TRUE(PumpUntil([&] { return parent.Count(WM_NOTIFY, 1026, BXN_LEAVE) == 1; }));
  EXPECT_EQ(Object(b)->TimerInterval(kLeavePollTimer), 0u);
  test::PumpFor(250);
  EXPECT_EQ(parent.Count(WM_NOTIFY, 1026, BXN_HOVER), 1);
}

// ---- What the button draws -------------------------------------------------------------

Pixels Render(HWND b) {
  RECT r;
  GetClientRect(b, &r);
  return Pixels(r.right, r.bottom,
                [b](HDC dc, int w, int h) { WindowObject<ButtonEx>(b)->Paint(dc, w, h); });
}

TEST_F(ButtonTest, FramePerStateAndTextColours) {
  HWND b = Make(10, 10, 91, 37, L"MMMM");
  struct Expect {
    COLORREF frame, fill, text;
  };
  const Expect normal = {0xDCDCDC, 0xF2F2F2, 0x515151}, hover = {0xC6C6C6, 0xF4F4F4, 0x333333},
               pressed = {0xCBCBCB, 0xE9E9E9, 0x333333}, disabled = {0xDCDCDC, 0xF2F2F2, 0xA9A9A9};
  auto check = [&](const Expect& e, const char* state) {
    Pixels p = Render(b);
    SCOPED_TRACE(state);
    EXPECT_EQ(p.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(p.At(1, 18), RGB(255, 255, 255));
    EXPECT_EQ(p.At(2, 18), e.frame);   // left edge, stretched row
    EXPECT_EQ(p.At(88, 18), e.frame);  // right edge
    EXPECT_EQ(p.At(45, 2), e.frame);   // top edge, stretched column
    EXPECT_EQ(p.At(45, 34), e.frame);
    EXPECT_EQ(p.At(5, 5), e.fill);
    EXPECT_EQ(p.At(85, 31), e.fill);
    EXPECT_EQ(p.At(20, 18), e.fill);  // the filled middle
    EXPECT_EQ(p.Darkest({20, 5, 71, 32}), e.text);
  };
  check(normal, "normal");
  MouseMoveTo(At(b, 40, 18));
  check(hover, "hover");
  MouseDown();
  check(pressed, "pressed");
  EnableWindow(b, FALSE);
  EXPECT_NE(GetCapture(), b) << "disabling a pressed button releases the capture";
  check(disabled, "disabled");
  MouseUp();
  EXPECT_EQ(Commands(), 0);
}

TEST_F(ButtonTest, StripStyleCopiesThePictureOfTheState) {
  HWND b = CreateButtonEx(parent.hwnd(), L"", 1026, 300, 10, 41, 17);
  SendMessageW(b, BXM_BACKBITMAP, kSetSilently, IDB_TITLE_CLOSE);
  SendMessageW(b, BXM_BACKSTYLE, kSetSilently, BXS_STRIP);
  Pixels strip = test::ResourcePixels(IDB_TITLE_CLOSE);
  ASSERT_EQ(strip.height(), 51);
  auto sameAs = [&](int state) {
    Pixels p = Render(b);
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 41; ++x)
        if (p.At(x, y) != strip.At(x, 17 * state + y)) return false;
    return true;
  };
  EXPECT_TRUE(sameAs(0));
  MouseMoveTo(At(b, 0, 0));  // no margin set: the whole strip button reacts
  EXPECT_TRUE(sameAs(1));
  MouseDown();
  EXPECT_TRUE(sameAs(2));
  MouseUp();
  EXPECT_EQ(Commands(), 1);
}

bool GlyphAt(const Pixels& p, UINT glyphId, int state, int x, int y) {
  Pixels g = test::ResourcePixels(glyphId);
  int ph = g.height() / 4;
  for (int gy = 0; gy < ph; ++gy)
    for (int gx = 0; gx < g.width(); ++gx)
      if (p.At(x + gx, y + gy) != g.At(gx, ph * state + gy)) return false;
  return true;
}

TEST_F(ButtonTest, GlyphsSitAtTheirPositionsWithImageTwoFromTheRightEdge) {
  HWND choice = CreateButtonEx(parent.hwnd(), L"", 1026, 10, 10, 103, 37);
  SendMessageW(choice, BXM_TYPE, kSetSilently, BXT_CYCLE);
  SendMessageW(choice, BXM_BACKBITMAP, kSetSilently, IDB_BUTTON_TILE);
  SendMessageW(choice, BXM_IMAGE1, kSetSilently, IDB_GLYPH_CHOICE_LEFT);
  SendMessageW(choice, BXM_IMAGE2, kSetSilently, IDB_GLYPH_CHOICE_RIGHT);
  SendMessageW(choice, BXM_IMAGE1POS, kSetSilently, MAKELPARAM(10, 14));
  SendMessageW(choice, BXM_IMAGE2POS, kSetSilently, MAKELPARAM(10, 14));
  // Image 2 is 5 wide: 103 - 10 - 5 = 88.
  for (int state : {0, 3}) {
    EnableWindow(choice, state == 0);
    Pixels p = Render(choice);
    EXPECT_TRUE(GlyphAt(p, IDB_GLYPH_CHOICE_LEFT, state, 10, 14)) << state;
    EXPECT_TRUE(GlyphAt(p, IDB_GLYPH_CHOICE_RIGHT, state, 88, 14)) << state;
  }
}

TEST_F(ButtonTest, AToggleShowsTheCrossUncheckedAndTheCheckMarkChecked) {
  HWND check = CreateCheckButton(parent.hwnd(), L"Sound", 1026, 10, 10, 103, 37);
  for (int checked : {0, 1}) {
    SendMessageW(check, BXM_CHECK, kSetSilently, checked);
    Pixels p = Render(check);
    EXPECT_EQ(GlyphAt(p, IDB_GLYPH_CHECK, 0, 12, 12), checked == 1);
    EXPECT_EQ(GlyphAt(p, IDB_GLYPH_CROSS, 0, 12, 12), checked == 0);
  }
}

}  // namespace
}  // namespace kx
