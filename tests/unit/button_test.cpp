// The button control: its arithmetic, real mouse clicks, drags, hover and spin repeats, and
// what it draws, read back as pixels.
#include <gtest/gtest.h>
#include <windows.h>

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

// The margin band that ignores presses is checked by real clicks below.
TEST(ButtonArithmetic, SpinStepsAndClamp) {
  const int bottom = 37, margin = 2;
  // d pixels above the top band or into the bottom band: 1 % of the maximum per 9 pixels.
  const struct {
    int d, range100, range500;
  } cases[] = {{1, 3, 11}, {8, 3, 11}, {9, 4, 16}, {18, 5, 21}, {26, 5, 21}, {27, 6, 26}};
  for (const auto& c : cases) {
    EXPECT_EQ(SpinRepeatStep(margin - c.d, bottom, margin, 100), c.range100) << c.d;
    EXPECT_EQ(SpinRepeatStep(bottom - margin + c.d, bottom, margin, 500), -c.range500) << c.d;
  }
  EXPECT_EQ(SpinRepeatStep(bottom - margin, bottom, margin, 100), -3) << "the band's first row";
  for (auto [y, step] : {std::pair{2, 1}, {18, 1}, {19, -1}, {34, -1}})
    EXPECT_EQ(SpinRepeatStep(y, bottom, margin, 500), step) << "y " << y;
  EXPECT_EQ(ClampToRange(7, 10, 5), 10) << "a minimum above the maximum wins";
}

Pixels Render(HWND b) {
  RECT r;
  GetClientRect(b, &r);
  return Pixels(r.right, r.bottom,
                [b](HDC dc, int w, int h) { WindowObject<ButtonEx>(b)->Paint(dc, w, h); });
}

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override { MouseMoveTo({5, 5}); }  // away from every window
  HWND Make(int y, int id, UINT type = BXT_PUSH, const wchar_t* text = L"Go") {
    HWND b = CreatePlainButton(parent.hwnd(), text, id, 10, y, 91, 37);
    SendMessageW(b, BXM_TYPE, kSetSilently, type);
    if (type == BXT_CYCLE) SendMessageW(b, BXM_RANGE, kSetSilently, MAKELPARAM(0, 2));
    UpdateWindow(b);
    return b;
  }
  POINT At(HWND b, int x, int y) { return test::ClientToScreenPoint(b, x, y); }
  void Click(HWND b, int x = 40, int y = 18) {
    MouseMoveTo(At(b, x, y));
    MouseDown();
    MouseUp();
  }
  LRESULT Get(HWND b, UINT message) { return SendMessageW(b, message, 0, 0); }
  int Commands(int id) { return parent.Count(WM_COMMAND, id); }
  int Notes(int id, UINT code) { return parent.Count(WM_NOTIFY, id, code); }
  UINT Timer(HWND b, UINT_PTR id) { return WindowObject<ButtonEx>(b)->TimerInterval(id); }

  test::RecordingParent parent;
};

// Toggles flipping or not and cycles stepping are checked end to end on the main window.
TEST_F(ButtonTest, ClicksCountOnlyInsideTheMarginAndNotWhenDraggedOff) {
  HWND push = Make(10, 1026), toggle = Make(60, 1027, BXT_TOGGLE),
       cycle = Make(110, 1028, BXT_CYCLE);
  MouseMoveTo(At(push, 1, 18));  // in the margin band: no capture, no poll, no command
  MouseDown();
  EXPECT_NE(GetCapture(), push);
  EXPECT_EQ(Timer(push, kPressPollTimer), 0u);
  MouseUp();
  EXPECT_EQ(Commands(1026), 0);
  MouseMoveTo(At(push, 2, 18));
  MouseDown();
  EXPECT_EQ(GetCapture(), push);
  EXPECT_EQ(Timer(push, kPressPollTimer), 10u);
  MouseUp();
  EXPECT_EQ(Commands(1026), 1);
  for (const test::Recorded& e : parent.events())
    EXPECT_TRUE(e.message != WM_COMMAND || e.from == push);
  SendMessageW(push, BXM_MARGIN, kSetSilently, 0);
  Click(push, 0, 18);
  EXPECT_EQ(Commands(1026), 2);

  for (HWND b : {push, toggle, cycle}) {  // pressed, dragged off, released: nothing
    int id = GetDlgCtrlID(b), before = Commands(id);
    MouseMoveTo(At(b, 40, 18));
    MouseDown();
    MouseMoveTo(At(b, 200, 18));
    // The press poll pops the button up while the cursor is off it.
    EXPECT_TRUE(PumpUntil([&] { return Render(b).At(20, 18) != RGB(0xE9, 0xE9, 0xE9); }));
    MouseUp();
    EXPECT_EQ(Commands(id), before) << id;
  }
  EXPECT_EQ(Get(toggle, BXM_CHECK), 0);
  EXPECT_EQ(Get(cycle, BXM_VALUE), 0);
  MouseMoveTo(At(push, 40, 18));
  MouseDown();
  MouseMoveTo(At(push, 200, 18), 0);  // released before the press poll sees the cursor leave
  MouseUp();
  EXPECT_EQ(Commands(1026), 2);
}

// The help tooltips these notes raise are checked end to end.
TEST_F(ButtonTest, HoverIsReportedAfterTheDwellAndLeaveOnLeaving) {
  HWND b = Make(10, 1026);
  MouseMoveTo(At(b, 40, 18));
  EXPECT_EQ(Timer(b, kLeavePollTimer), 10u);
  EXPECT_EQ(Timer(b, kHoverDwellTimer), 191u);
  ASSERT_TRUE(PumpUntil([&] { return Notes(1026, BXN_HOVER) == 1; }));
  EXPECT_EQ(Notes(1026, BXN_LEAVE), 0);
  MouseMoveTo(At(b, 40, 60));
  ASSERT_TRUE(PumpUntil([&] { return Notes(1026, BXN_LEAVE) == 1; }));
  EXPECT_EQ(Timer(b, kLeavePollTimer) + Timer(b, kHoverDwellTimer), 0u);
}

TEST_F(ButtonTest, SpinStepsOnReleaseAndRepeatsWhileHeld) {
  HWND s = CreateSpinButton(parent.hwnd(), 1030, 100, 100, 37, 37, 0, 100);
  SendMessageW(s, BXM_VALUE, kSetSilently, 50);
  UpdateWindow(s);
  auto press = [&](int y) {
    MouseMoveTo(At(s, 18, y));
    MouseDown();
  };
  press(18);  // an early release steps once by the half it is in
  EXPECT_EQ(Timer(s, kSpinRepeatTimer), 399u);
  EXPECT_EQ(Timer(s, kPressPollTimer), 0u);
  MouseUp();
  EXPECT_EQ(Get(s, BXM_VALUE), 51);
  EXPECT_EQ(Timer(s, kSpinRepeatTimer), 0u);
  press(19);
  MouseUp();
  EXPECT_EQ(Get(s, BXM_VALUE), 50);
  press(10);  // released after dragging off: stepped by where it ended
  MouseMoveTo(At(s, 300, 10));
  MouseUp();
  EXPECT_EQ(Get(s, BXM_VALUE), 51);
  EXPECT_EQ(Commands(1030), 3);

  SendMessageW(s, BXM_VALUE, kSetSilently, 50);
  press(10);  // held: repeats at 399 ms, then every 77 ms; the release only reports
  ASSERT_TRUE(PumpUntil([&] { return Commands(1030) >= 4; }, 3000));
  EXPECT_EQ(Timer(s, kSpinRepeatTimer), 77u);
  ASSERT_TRUE(PumpUntil([&] { return Commands(1030) >= 6; }, 3000));
  MouseUp();
  int reported = Commands(1030);
  EXPECT_EQ(Get(s, BXM_VALUE), 50 + reported - 3 - 1);
  test::PumpFor(200);
  EXPECT_EQ(Commands(1030), reported);
}

TEST_F(ButtonTest, FrameFillAndTextColoursPerState) {
  HWND b = Make(10, 1026, BXT_PUSH, L"MMMM");
  const struct {
    const char* state;
    COLORREF frame, fill, text;
  } states[] = {{"normal", 0xDCDCDC, 0xF2F2F2, 0x515151},
                {"hover", 0xC6C6C6, 0xF4F4F4, 0x333333},
                {"pressed", 0xCBCBCB, 0xE9E9E9, 0x333333},
                {"disabled", 0xDCDCDC, 0xF2F2F2, 0xA9A9A9}};
  for (const auto& s : states) {
    if (s.state[0] == 'h') MouseMoveTo(At(b, 40, 18));
    if (s.state[0] == 'p') MouseDown();
    if (s.state[0] == 'd') EnableWindow(b, FALSE);
    Pixels p = Render(b);
    SCOPED_TRACE(s.state);
    EXPECT_EQ(p.At(1, 18), RGB(255, 255, 255));
    for (POINT e : {POINT{2, 18}, {88, 18}, {45, 2}, {45, 34}}) EXPECT_EQ(p.At(e.x, e.y), s.frame);
    for (POINT f : {POINT{5, 5}, {85, 31}, {20, 18}}) EXPECT_EQ(p.At(f.x, f.y), s.fill);
    EXPECT_EQ(p.Darkest({20, 5, 71, 32}), s.text);
  }
  EXPECT_NE(GetCapture(), b) << "disabling a pressed button releases the capture";
  MouseUp();
  EXPECT_EQ(Commands(1026), 0);
}

}  // namespace
}  // namespace kx
