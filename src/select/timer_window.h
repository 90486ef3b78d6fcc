// KXTimerWndClass: interval captures on or off and the interval, hours : minutes : seconds,
// each 0 to 59.
#pragma once

#include "ui/option_window.h"

namespace kx {

class TimerWindow : public OptionWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXTimerWndClass";
  static constexpr int kHeight = 318;
  // Reset takes the timer fields from `defaults`.
  TimerWindow(HWND window, CaptureProfile& current, const CaptureProfile& defaults)
      : OptionWindow(window, current), defaults_(defaults) {}

 private:
  const wchar_t* Title() const override { return L"Timer"; }
  int HeadingId() const override { return 1033; }
  void CreateOwnControls() override;
  void ApplyResetValues(CaptureProfile& edited) override;
  void BeforeOk(CaptureProfile& edited) override;

  const CaptureProfile& defaults_;
};

}  // namespace kx
