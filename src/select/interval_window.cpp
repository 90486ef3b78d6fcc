#include "select/interval_window.h"

#include <cstdio>
#include <memory>
#include <new>

#include "base/pixel_space.h"
#include "capture/window_shot.h"
#include "resource_ids.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/theme.h"
#include "ui/tool_buttons.h"
#include "ui/tool_frame.h"
#include "ui/tool_region.h"

namespace kx {

namespace {

constexpr int W = theme::kToolWidth;
constexpr int kCloseId = 1026, kHideId = 1027, kStopId = 1028, kHeadingId = 1029;
constexpr int kHoursId = 1032, kMinutesId = 1033, kSecondsId = 1034;

}  // namespace

uint32_t IntervalSeconds(const CaptureProfile& p) {
  return p.TimTimeHour * 3600 + p.TimTimeMin * 60 + p.TimTimeSec;
}

CountdownTick NextTick(uint32_t remaining, uint32_t interval) {
  if (remaining > 0) --remaining;
  CountdownTick tick = {remaining, remaining / 3600, remaining / 60 % 60, remaining % 60, false};
  if (tick.hours == 0 && tick.minutes == 0 && tick.seconds == 0) {
    tick.remaining = interval;
    tick.captures = true;
  }
  return tick;
}

IntervalWnd::IntervalWnd(HWND window, HWND ownerWindow, CaptureProfile& current, HWND& running)
    : ToolWindow(window), owner(ownerWindow), current_(current), running_(running) {}

void IntervalWnd::OnCreate(const CREATESTRUCTW&) {
  running_ = hwnd;
  CreateTitleBarButton(hwnd, kCloseId, W - 52, 1, 41, 17, IDB_TITLE_CLOSE);
  CreateTitleBarButton(hwnd, kHideId, W - 76, 1, 23, 17, IDB_TITLE_MINIMISE);
  AddHeading(L"Timer", kHeadingId);
  AddRowButton(L"Stop", kStopId, theme::kLoneOkX);
  // Each colon is made just before the box it follows on the clock.
  const struct {
    int colonId, colonX, editId, editX;
  } clock[] = {{1030, 193, kHoursId, 155}, {1031, 239, kMinutesId, 201}, {0, 0, kSecondsId, 247}};
  for (const auto& c : clock) {
    if (c.colonId) CreateLabelEx(hwnd, L":", c.colonId, c.colonX, 107, 3, 37, false);
    HWND edit = CreateEditEx(hwnd, L"", c.editId, c.editX, 109, 33, 33, ES_NUMBER | ES_READONLY);
    SendMessageW(edit, EM_LIMITTEXT, 2, 0);
  }
  ShowClock({0, current_.TimTimeHour, current_.TimTimeMin, current_.TimTimeSec, false});
  intervalSecs = IntervalSeconds(current_);
  remainingSecs = intervalSecs;
  SetTimer(hwnd, kCountdownTimer, kTickMs, nullptr);
}

LRESULT IntervalWnd::OnCommand(WPARAM wParam, LPARAM) {
  switch (LOWORD(wParam)) {
    case kCloseId:
    case kStopId:
      ShowWindow(owner, SW_SHOW);
      DestroyWindow(hwnd);
      break;
    case kHideId:
      ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_HIDE);
      break;
    default:
      break;
  }
  return 0;
}

void IntervalWnd::OnTimer(UINT_PTR) {
  const CountdownTick tick = NextTick(remainingSecs, intervalSecs);
  remainingSecs = tick.remaining;
  ShowClock(tick);
  if (tick.captures) CaptureOnce();
}

void IntervalWnd::ShowClock(const CountdownTick& tick) const {
  const struct {
    int id;
    uint32_t value;
  } parts[] = {{kHoursId, tick.hours}, {kMinutesId, tick.minutes}, {kSecondsId, tick.seconds}};
  for (const auto& part : parts) {
    wchar_t text[16];
    swprintf(text, 16, L"%02u", part.value);
    SetWindowTextW(Control(part.id), text);
  }
}

// InWindow and InRect stay as they are after a tick; the flow clears them when the window
// has closed.
void IntervalWnd::CaptureOnce() {
  std::unique_ptr<CaptureImage> holder(new (std::nothrow) CaptureImage(owner));
  if (!holder) return;
  if (current_.InType == 0) {
    if (!PickedWindowShown(current_)) return;
    RefreshWindowRect(current_);
  }
  ShootByInputType(*holder, current_);
}

void IntervalWnd::OnClose() {
  ShowWindow(owner, SW_SHOW);
  DestroyWindow(hwnd);
}

void IntervalWnd::OnDestroy() {
  KillTimer(hwnd, kCountdownTimer);
  running_ = nullptr;
  ShowWindow(owner, SW_SHOW);
  PostQuitMessage(0);
}

UINT IntervalWnd::SkinId() const {
  return IDB_MAIN_SKIN;
}

void IntervalWnd::PaintContent(HDC dc, int width, int) const {
  DrawGroupFrame(dc, L"", theme::kGroupX, 100, width - 2 * theme::kGroupX, 51);
}

int RunIntervalWindow(HWND owner, CaptureProfile& current, HWND& running) {
  HWND window = nullptr;
  {
    // A skinned window, opened from the capture flow: made in the skins' pixels.
    ScopedPixelSpace skin(PixelSpace::kSkin);
    RECT ownerRect = {};
    GetWindowRect(owner, &ownerRect);
    const POINT origin = ToolWindowOrigin(ownerRect, W, IntervalWnd::kHeight);
    window = CreateWindowOf<IntervalWnd>(
        {0, WS_POPUP, int(origin.x), int(origin.y), W, IntervalWnd::kHeight, nullptr, L""}, owner,
        current, running);
    if (!window) return 0;
    SetToolWindowRegion(window, W, IntervalWnd::kHeight);
    UpdateWindow(window);
    if (!current.SetHideBeforeCapture) ShowWindow(window, SW_SHOW);
  }
  ShowWindow(owner, SW_HIDE);
  return RunModalLoop(window);
}

}  // namespace kx
