// The interval window on a real window: the countdown's arithmetic, the clock it shows, a
// capture written on every tick that reaches zero, and the ways out.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "capture/profile_values.h"
#include "select/interval_window.h"
#include "temp_folder.h"
#include "toolkit_support.h"
#include "ui/theme.h"

namespace kx {
namespace {

TEST(IntervalCountdown, TicksDownShowsTheClockAndCapturesAtZero) {
  struct Case {
    uint32_t remaining, interval;
    CountdownTick expected;
  } cases[] = {
      {5405, 5405, {5404, 1, 30, 4, false}},  // 1 h 30 min 5 s, first tick
      {2, 3, {1, 0, 0, 1, false}},
      {1, 3, {3, 0, 0, 0, true}},             // zero: capture, start again
      {1, 1, {1, 0, 0, 0, true}},             // 1 s: a capture every tick
      {0, 0, {0, 0, 0, 0, true}},             // interval 0: also every tick
      {90001, 90001, {90000, 25, 0, 0, false}},  // hours not reduced modulo 24
  };
  for (const Case& c : cases) {
    CountdownTick t = NextTick(c.remaining, c.interval);
    EXPECT_EQ(t.remaining, c.expected.remaining) << c.remaining;
    EXPECT_EQ(t.hours * 10000 + t.minutes * 100 + t.seconds,
              c.expected.hours * 10000 + c.expected.minutes * 100 + c.expected.seconds)
        << c.remaining;
    EXPECT_EQ(t.captures, c.expected.captures) << c.remaining;
  }
  CaptureProfile p = {};
  p.TimTimeHour = 1, p.TimTimeMin = 30, p.TimTimeSec = 5;
  EXPECT_EQ(IntervalSeconds(p), 5405u);
}

std::wstring TextOf(HWND window, int id) {
  wchar_t text[16] = {};
  GetWindowTextW(GetDlgItem(window, id), text, 16);
  return text;
}

int FilesIn(const std::wstring& folder) {
  int count = 0;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\KEST-*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do ++count;
  while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

TEST(IntervalWindow, ClockCapturesPerTickAndEveryWayOutShowsTheOwner) {
  test::RegisterToolkitOnce();
  static bool registered = RegisterWindow<IntervalWnd>(GetModuleHandleW(nullptr));
  ASSERT_TRUE(registered);
  test::TempFolder folder;
  CaptureProfile p = {};
  BuildDefaultProfile(p, folder.Path());
  p.InType = 1;
  p.OptSound = 0;
  p.TimTimeHour = 0, p.TimTimeMin = 0, p.TimTimeSec = 2;
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
  for (UINT way : {0u, 1u, 2u}) {  // "Stop", the close button, a close message
    SCOPED_TRACE(way);
    ShowWindow(owner, SW_HIDE);
    HWND running = nullptr;
    HWND window = CreateWindowOf<IntervalWnd>(
        {0, WS_POPUP, 0, 0, theme::kToolWidth, IntervalWnd::kHeight, nullptr, L""}, owner, p,
        running);
    ASSERT_TRUE(window);
    EXPECT_EQ(running, window);
    EXPECT_EQ(TextOf(window, 1034), L"02");
    const int before = FilesIn(folder.Path());
    SendMessageW(window, WM_TIMER, IntervalWnd::kCountdownTimer, 0);
    EXPECT_EQ(TextOf(window, 1034), L"01");
    EXPECT_EQ(FilesIn(folder.Path()), before);  // not before a whole interval
    SendMessageW(window, WM_TIMER, IntervalWnd::kCountdownTimer, 0);
    EXPECT_EQ(TextOf(window, 1034), L"00");
    EXPECT_EQ(FilesIn(folder.Path()), before + 1);
    if (way == 2)
      SendMessageW(window, WM_CLOSE, 0, 0);
    else
      SendMessageW(window, WM_COMMAND, way == 0 ? 1028 : 1026, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(running, nullptr);
    EXPECT_TRUE(IsWindowVisible(owner));
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the loop's end, not ours
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace kx
