// The main window's shell: placement, the "/min" rule and its rounded region, on real windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_window.h"
#include "base/handles.h"
#include "capture/profile_values.h"
#include "toolkit_support.h"
#include "ui/button.h"
#include "ui/tool_region.h"
#include "ui/tooltip.h"

namespace kx {
namespace {

TEST(MainWindowGeometry, CentresOnThePrimaryScreenWithTruncatedHalves) {
  POINT p = MainWindowOrigin(1280, 800);
  EXPECT_EQ(p.x, 407);
  EXPECT_EQ(p.y, 115);
  p = MainWindowOrigin(1921, 1081);  // odd sizes: integer halves
  EXPECT_EQ(p.x, 960 - 233);
  EXPECT_EQ(p.y, 540 - 285);
  p = MainWindowOrigin(400, 300);  // smaller than the window: off the top-left edge
  EXPECT_EQ(p.x, -33);
  EXPECT_EQ(p.y, -135);
}

TEST(MainWindowGeometry, OnlyAnExactSlashMinFirstArgumentStartsHidden) {
  const wchar_t* exe = L"Kestrix.exe";
  const wchar_t* plain[] = {exe};
  EXPECT_FALSE(StartsHidden(1, plain));
  const wchar_t* cases[][2] = {{exe, L"/min"},  {exe, L"/MIN"},  {exe, L"-min"},
                               {exe, L"/min "}, {exe, L"/mini"}, {exe, L""}};
  bool expected[] = {true, false, false, false, false, false};
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(StartsHidden(2, cases[i]), expected[i]) << "argument " << i;
  const wchar_t* second[] = {exe, L"x", L"/min"};
  EXPECT_FALSE(StartsHidden(3, second));
}

TEST(ToolWindowRegion, RoundsTheCornersAndTogglesFourPixels) {
  UniqueRgn region(CreateToolWindowRegion(467, 571));
  ASSERT_TRUE(region);
  RECT box;
  GetRgnBox(region.Get(), &box);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 467);
  EXPECT_EQ(box.bottom, 571);
  // Corners are cut away, the body and edge middles are in.
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), 466, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 570));
  EXPECT_FALSE(PtInRegion(region.Get(), 466, 570));
  EXPECT_TRUE(PtInRegion(region.Get(), 233, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), 0, 285));
  EXPECT_TRUE(PtInRegion(region.Get(), 466, 285));
  EXPECT_TRUE(PtInRegion(region.Get(), 233, 570));
  // The toggled pixels differ from what the plain rounded rectangle has there.
  UniqueRgn plain(CreateRoundRectRgn(0, 0, 468, 572, 8, 8));
  const POINT toggled[] = {{1, 1}, {465, 1}, {1, 569}, {465, 569}};
  for (POINT p : toggled)
    EXPECT_NE(PtInRegion(region.Get(), p.x, p.y), PtInRegion(plain.Get(), p.x, p.y))
        << p.x << "," << p.y;
  EXPECT_EQ(PtInRegion(region.Get(), 2, 2), PtInRegion(plain.Get(), 2, 2));
}

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::RegisterToolkitOnce();
    MainWindow::RegisterWindowClass(GetModuleHandleW(nullptr));
  }
  AppState state;
};

TEST_F(MainWindowTest, CreatesAPopupOfTheFixedSizeWithItsTitleAndRegion) {
  const wchar_t* argv[] = {L"Kestrix.exe"};
  HWND hwnd = CreateMainWindow(state, 1, argv);
  ASSERT_NE(hwnd, nullptr);
  wchar_t title[64] = {};
  GetWindowTextW(hwnd, title, 64);
  EXPECT_STREQ(title, L"HALVECOR Kestrix");
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), LONG(WS_POPUP));
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  UniqueRgn region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(hwnd, region.Get()), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), 200, 200));
  DestroyWindow(hwnd);
}

TEST_F(MainWindowTest, SlashMinCreatesItHiddenAndClosingItPostsQuit) {
  const wchar_t* argv[] = {L"Kestrix.exe", L"/min"};
  HWND hwnd = CreateMainWindow(state, 2, argv);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  MSG msg;
  bool quit = false;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message == WM_QUIT) quit = true;
  EXPECT_TRUE(quit);
}

// Help tooltips come from the buttons' hover notifications; a hover that began before a tool
// window disabled the main window, or on a control that was disabled meanwhile, shows none.
TEST_F(MainWindowTest, HelpTipsFollowHoverAndLeaveOnlyWhileHelpIsOnAndEverythingIsEnabled) {
  const wchar_t* argv[] = {L"Kestrix.exe"};
  HWND hwnd = CreateMainWindow(state, 1, argv);
  ASSERT_NE(hwnd, nullptr);
  HWND storage = GetDlgItem(hwnd, 1043);
  ASSERT_NE(storage, nullptr);
  auto notify = [&](HWND control, UINT code) {
    NMHDR header = {control, UINT_PTR(GetDlgCtrlID(control)), code};
    SendMessageW(hwnd, WM_NOTIFY, header.idFrom, LPARAM(&header));
  };
  auto tipText = [] {
    wchar_t text[256] = {};
    HWND tip = FindWindowW(kToolTipClass, nullptr);
    if (tip) GetWindowTextW(tip, text, 256);
    return tip ? std::wstring(text) : std::wstring(L"(none)");
  };

  notify(storage, BXN_HOVER);
  EXPECT_EQ(tipText(), L"Open output folder.\n\nPress 'Ctrl + PrintScreen' to open output folder.");
  notify(storage, BXN_LEAVE);
  EXPECT_EQ(tipText(), L"(none)");

  EnableWindow(hwnd, FALSE);
  notify(storage, BXN_HOVER);
  EXPECT_EQ(tipText(), L"(none)") << "main window disabled";
  EnableWindow(hwnd, TRUE);

  EnableWindow(storage, FALSE);
  notify(storage, BXN_HOVER);
  EXPECT_EQ(tipText(), L"(none)") << "control disabled";
  EnableWindow(storage, TRUE);

  state.current.SetHelpText = 0;
  notify(storage, BXN_HOVER);
  EXPECT_EQ(tipText(), L"(none)") << "help text off";
  state.current.SetHelpText = 1;

  notify(GetDlgItem(hwnd, 1026), BXN_HOVER);  // the close button has no help text
  EXPECT_EQ(tipText(), L"(none)");
  DestroyWindow(hwnd);
}

}  // namespace
}  // namespace kx
