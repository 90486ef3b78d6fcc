// The edit and tooltip controls on real windows: the inner edit's geometry and styles, the
// tooltip's size and arrow.
#include <gtest/gtest.h>
#include <windows.h>

#include "toolkit_support.h"
#include "ui/controls.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/tooltip.h"
#include "ui/ui_font.h"

#include <string_view>
#include <vector>

namespace kx {
namespace {

// Typing into the boxes, the commit on leaving them and the values shown in them are
// checked end to end; here the inner edit's geometry and styles.
TEST(EditControl, InnerEditGeometryStylesAndLimitUnderTheWrapperId) {
  EXPECT_FALSE(InnerEditIsMultiline(45));
  EXPECT_TRUE(InnerEditIsMultiline(46));
  test::RecordingParent parent;
  HWND box = CreateEditEx(parent.hwnd(), L"12", 1040, 66, 60, 51, 33, 0);
  HWND inner = GetDlgItem(box, 1026);
  ASSERT_TRUE(inner);
  RECT r;
  GetWindowRect(inner, &r);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
            std::vector<LONG>({7, 10, 44, 23}));
  EXPECT_EQ(GetWindowLongW(inner, GWL_STYLE) & (ES_MULTILINE | ES_AUTOHSCROLL), ES_AUTOHSCROLL);
  HWND tall = CreateEditEx(parent.hwnd(), L"", 1041, 66, 100, 51, 66, ES_NUMBER | ES_READONLY);
  const LONG all = ES_MULTILINE | ES_NUMBER | ES_READONLY;
  EXPECT_EQ(GetWindowLongW(GetDlgItem(tall, 1026), GWL_STYLE) & all, all);
  EXPECT_EQ(GetDlgItemInt(parent.hwnd(), 1040, nullptr, FALSE), 12u);
  SendMessageW(box, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessageW(inner, EM_GETLIMITTEXT, 0, 0), 3);
}

// The help tooltips' texts and their place under the control are checked end to end.
TEST(ToolTipControl, SizedFromTheMeasuredTextWithItsArrowUnderTheAnchor) {
  EXPECT_EQ(NonEmptyLines(L"a\n\nbc\n"), (std::vector<std::wstring_view>{L"a", L"bc"}));
  EXPECT_EQ(ToolTipArrowX(204, 200), 100);
  EXPECT_EQ(ToolTipArrowX(206, 200), 19) << "past the middle the arrow moves left";
  test::RecordingParent parent;
  HFONT font = CreateUiFont(L"Arial", 14, true);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE text = {};
  GetTextExtentPoint32W(dc, L"Include cursor in capture.", 26, &text);
  DeleteObject(SelectObject(dc, old));
  ReleaseDC(nullptr, dc);

  HWND anchor = CreateLabelEx(parent.hwnd(), L"", 1038, 130, 40, 103, 37, false);
  HWND tip = CreateToolTipEx(parent.hwnd(), anchor, L"Include cursor in capture.");
  ASSERT_TRUE(tip && IsWindowVisible(tip));
  EXPECT_TRUE(GetWindowLongW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(GetActiveWindow(), tip);
  RECT a, r;
  GetWindowRect(anchor, &a);
  GetWindowRect(tip, &r);
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
            std::vector<LONG>({a.left + 2, a.bottom + 3, text.cx + 18, text.cy + 23}));
  // The arrow: row k covers a - k .. a + k with a = (103 - 4) / 2 = 49.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(tip, region);
  for (POINT in : {POINT{49, 0}, {45, 4}, {53, 4}, {0, 5}})
    EXPECT_TRUE(PtInRegion(region, in.x, in.y));
  for (POINT out : {POINT{48, 0}, {44, 4}}) EXPECT_FALSE(PtInRegion(region, out.x, out.y));
  HWND wide = CreateLabelEx(parent.hwnd(), L"", 1041, 26, 200, 311, 37, false);
  HWND threeLines = CreateToolTipEx(parent.hwnd(), wide, L"Open output folder.\n\nPress it.");
  GetWindowRect(threeLines, &r);
  EXPECT_EQ(r.bottom - r.top, 3 * text.cy + 23);
  GetWindowRgn(threeLines, region);
  EXPECT_TRUE(PtInRegion(region, 19, 0) && !PtInRegion(region, 20, 0));
  DeleteObject(region);
  DestroyWindow(tip);
  DestroyWindow(threeLines);
}

}  // namespace
}  // namespace kx
