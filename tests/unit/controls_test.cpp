// The edit, label and tooltip controls on real windows: geometry, text routing by control
// id, notifications relayed under the wrapper's id, clicks passed on, tooltip layout.
#include <gtest/gtest.h>
#include <windows.h>

#include "toolkit_support.h"
#include "ui/controls.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/tooltip.h"
#include "ui/ui_font.h"
#include "ui/window_base.h"

namespace kx {
namespace {

using test::RecordingParent;

// The classes themselves are exercised by every control below.
TEST(ControlClasses, ASecondRegistrationFails) {
  test::RegisterToolkitOnce();
  EXPECT_EQ(RegisterControlClasses(GetModuleHandleW(nullptr)), 0);
}

TEST(EditControl, A51By33BoxHoldsASingleLineEditOf37By13At7And10) {
  EXPECT_FALSE(InnerEditIsMultiline(33));
  EXPECT_FALSE(InnerEditIsMultiline(45));
  EXPECT_TRUE(InnerEditIsMultiline(46));
  RecordingParent parent;
  HWND box = CreateEditEx(parent.hwnd(), L"12", 1040, 66, 60, 51, 33, 0);
  ASSERT_TRUE(box);
  HWND inner = GetDlgItem(box, 1026);
  ASSERT_TRUE(inner);
  wchar_t cls[32] = {};
  GetClassNameW(inner, cls, 32);
  EXPECT_EQ(_wcsicmp(cls, L"Edit"), 0);
  RECT r;
  GetWindowRect(inner, &r);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 7);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right - r.left, 37);
  EXPECT_EQ(r.bottom - r.top, 13);
  LONG style = GetWindowLongW(inner, GWL_STYLE);
  EXPECT_FALSE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_AUTOHSCROLL);

  HWND numeric = CreateEditEx(parent.hwnd(), L"", 1041, 66, 100, 51, 66, ES_NUMBER | ES_READONLY);
  LONG numericStyle = GetWindowLongW(GetDlgItem(numeric, 1026), GWL_STYLE);
  EXPECT_TRUE(numericStyle & ES_MULTILINE);
  EXPECT_TRUE(numericStyle & ES_NUMBER);
  EXPECT_TRUE(numericStyle & ES_READONLY);
}

TEST(EditControl, TextByTheWrapperIdReachesTheInnerEdit) {
  RecordingParent parent;
  HWND box = CreateEditEx(parent.hwnd(), L"12", 1040, 66, 60, 51, 33, 0);
  HWND inner = GetDlgItem(box, 1026);
  wchar_t text[16] = {};
  GetWindowTextW(inner, text, 16);
  EXPECT_STREQ(text, L"12") << "the creation text lands in the inner edit";
  BOOL ok = FALSE;
  EXPECT_EQ(GetDlgItemInt(parent.hwnd(), 1040, &ok, FALSE), 12u);
  EXPECT_TRUE(ok);
  SetDlgItemInt(parent.hwnd(), 1040, 345, FALSE);
  GetWindowTextW(inner, text, 16);
  EXPECT_STREQ(text, L"345");
  SendMessageW(box, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessageW(inner, EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(box, EM_GETLIMITTEXT, 0, 0), 3);
}

TEST(EditControl, LosingTheFocusReachesTheParentUnderTheWrapperId) {
  RecordingParent parent;
  HWND box = CreateEditEx(parent.hwnd(), L"7", 1040, 66, 60, 51, 33, 0);
  SetFocus(GetDlgItem(box, 1026));
  test::PumpFor(20);
  parent.events().clear();
  SetFocus(parent.hwnd());
  test::PumpFor(20);
  EXPECT_EQ(parent.Count(WM_COMMAND, 1040, EN_KILLFOCUS), 1);
  for (const test::Recorded& e : parent.events()) {
    EXPECT_EQ(e.from, box);
    EXPECT_NE(e.id, 1026);
  }
}

TEST(EditControl, PaintsAWhiteBoxWithAThinFrameAndSoftCorners) {
  RecordingParent parent;
  HWND box = CreateEditEx(parent.hwnd(), L"", 1040, 66, 60, 51, 33, 0);
  test::Pixels p(51, 33,
                 [box](HDC dc, int w, int h) { WindowObject<EditEx>(box)->Paint(dc, w, h); });
  EXPECT_EQ(p.At(0, 0), COLORREF(0xF4F4F4));
  EXPECT_EQ(p.At(50, 32), COLORREF(0xF4F4F4));
  EXPECT_EQ(p.At(1, 0), COLORREF(0xDCDCDC));
  EXPECT_EQ(p.At(50, 16), COLORREF(0xDCDCDC));
  EXPECT_EQ(p.At(25, 32), COLORREF(0xDCDCDC));
  EXPECT_EQ(p.At(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(p.At(25, 16), RGB(255, 255, 255));
}

TEST(LabelControl, AClickReachesTheParentWithLabelCoordinates) {
  RecordingParent parent;
  HWND label = CreateLabelEx(parent.hwnd(), L"px", 1042, 122, 60, 37, 37, false);
  UpdateWindow(label);
  test::MouseMoveTo(test::ClientToScreenPoint(label, 5, 6));
  test::MouseDown();
  test::MouseUp();
  EXPECT_EQ(parent.Count(WM_LBUTTONDOWN, 5, 6), 1);
  // Text in the body colour, bold only when asked.
  HWND bold = CreateLabelEx(parent.hwnd(), L"MMM", 0, 10, 10, 100, 19, true);
  HWND plain = CreateLabelEx(parent.hwnd(), L"MMM", 0, 10, 40, 100, 19, false);
  auto inked = [](HWND l) {
    test::Pixels p(100, 19,
                   [l](HDC dc, int w, int h) { WindowObject<LabelEx>(l)->Paint(dc, w, h); });
    int count = 0;
    for (int y = 0; y < 19; ++y)
      for (int x = 0; x < 100; ++x) count += p.At(x, y) == COLORREF(0x484646);
    return count;
  };
  EXPECT_GT(inked(bold), inked(plain));
  EXPECT_GT(inked(plain), 0);
}

// Sizes and the arrow at 49 and at 19 are checked on real tooltips below.
TEST(ToolTipLayout, EmptyLinesAreSkippedAndTheArrowMovesLeftPastTheMiddle) {
  auto lines = NonEmptyLines(L"a\n\nbc\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], L"a");
  EXPECT_EQ(lines[1], L"bc");
  EXPECT_EQ(ToolTipArrowX(204, 200), 100);
  EXPECT_EQ(ToolTipArrowX(206, 200), 19);
}

int TextWidth(const wchar_t* text, int* height) {
  test::RegisterToolkitOnce();
  HFONT font = CreateUiFont(L"Arial", 14, true);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE s = {};
  GetTextExtentPoint32W(dc, text, int(wcslen(text)), &s);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  *height = s.cy;
  return s.cx;
}

TEST(ToolTipControl, SizedFromTheMeasuredTextAndPlacedUnderTheAnchor) {
  RecordingParent parent;
  HWND anchor = CreateLabelEx(parent.hwnd(), L"", 1038, 130, 40, 103, 37, false);
  int h = 0;
  int w = TextWidth(L"Include cursor in capture.", &h);
  HWND tip = CreateToolTipEx(parent.hwnd(), anchor, L"Include cursor in capture.");
  ASSERT_TRUE(tip);
  EXPECT_TRUE(IsWindowVisible(tip));
  EXPECT_TRUE(GetWindowLongW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(GetActiveWindow(), tip);
  RECT a, r;
  GetWindowRect(anchor, &a);
  GetWindowRect(tip, &r);
  EXPECT_EQ(r.left, a.left + 2);
  EXPECT_EQ(r.top, a.bottom + 3);
  EXPECT_EQ(r.right - r.left, w + 18);
  EXPECT_EQ(r.bottom - r.top, h + 23);
  // The arrow: row k covers a - k .. a + k with a = (103 - 4) / 2 = 49.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(tip, region);
  EXPECT_TRUE(PtInRegion(region, 49, 0));
  EXPECT_FALSE(PtInRegion(region, 48, 0));
  EXPECT_TRUE(PtInRegion(region, 45, 4));
  EXPECT_TRUE(PtInRegion(region, 53, 4));
  EXPECT_FALSE(PtInRegion(region, 44, 4));
  EXPECT_TRUE(PtInRegion(region, 0, 5));
  DeleteObject(region);

  HWND wide = CreateLabelEx(parent.hwnd(), L"", 1041, 26, 200, 311, 37, false);
  HWND threeLines = CreateToolTipEx(parent.hwnd(), wide, L"Open output folder.\n\nPress it.");
  GetWindowRect(threeLines, &r);
  EXPECT_EQ(r.bottom - r.top, 3 * h + 23);
  region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(threeLines, region);
  EXPECT_TRUE(PtInRegion(region, 19, 0));
  EXPECT_FALSE(PtInRegion(region, 20, 0));
  DeleteObject(region);
  // Clicking a tooltip raises its owner and leaves the tooltip in place.
  SendMessageW(tip, WM_LBUTTONDOWN, 0, 0);
  EXPECT_TRUE(IsWindow(tip));
  DestroyWindow(tip);
  DestroyWindow(threeLines);
}

}  // namespace
}  // namespace kx
