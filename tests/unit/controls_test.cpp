// The tooltip control on real windows: its size from the measured text and its arrow. The edit
// boxes are checked end to end by typing into every option window.
#include <gtest/gtest.h>
#include <windows.h>

#include "toolkit_support.h"
#include "ui/controls.h"
#include "ui/label.h"
#include "ui/tooltip.h"
#include "ui/ui_font.h"

#include <string_view>
#include <vector>

namespace kx {
namespace {

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
