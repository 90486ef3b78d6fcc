// The interval window: counts the timer's interval down on a clock, once a second, and takes
// one capture with the current profile each time the count reaches zero, until "Stop".
#pragma once

#include <windows.h>

#include <cstdint>

#include "capture/capture_profile.h"
#include "ui/tool_window.h"

namespace kx {

// TimTimeHour x 3600 + TimTimeMin x 60 + TimTimeSec.
uint32_t IntervalSeconds(const CaptureProfile& profile);

// One tick of the countdown: the seconds left after it, the clock it shows, and whether it
// captures (the count reached zero and starts again from the interval).
struct CountdownTick {
  uint32_t remaining;
  uint32_t hours, minutes, seconds;  // hours are not reduced modulo 24
  bool captures;
};
CountdownTick NextTick(uint32_t remaining, uint32_t interval);

class IntervalWnd : public ToolWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXIntervalWndClass";
  static constexpr int kHeight = 219;
  static constexpr UINT_PTR kCountdownTimer = 1035;
  static constexpr UINT kTickMs = 1000;
  // `owner` is the main window, which the window hides and shows again; `running` is where
  // the program keeps the running interval window.
  IntervalWnd(HWND window, HWND owner, CaptureProfile& current, HWND& running);

 protected:
  void OnCreate(const CREATESTRUCTW& create) override;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnTimer(UINT_PTR id) override;
  void OnClose() override;
  void OnDestroy() override;
  bool TakesFocusOnClick() const override { return true; }
  UINT SkinId() const override;
  void PaintContent(HDC dc, int width, int height) const override;

 private:
  void ShowClock(const CountdownTick& tick) const;
  void CaptureOnce();

  HWND owner;
  uint32_t intervalSecs = 0;
  uint32_t remainingSecs = 0;
  CaptureProfile& current_;
  HWND& running_;
};

// Opens the interval window centred over `owner` (shown only when hiding before a capture is
// off), hides the owner and runs the window's loop until it is closed.
int RunIntervalWindow(HWND owner, CaptureProfile& current, HWND& running);

}  // namespace kx
