// KXBorderWndClass: the border around a capture, on or off, its width and its colour.
#pragma once

#include "ui/option_window.h"

namespace kx {

class BorderWindow : public OptionWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXBorderWndClass";
  static constexpr int kHeight = 398;
  // Reset takes the border fields from `defaults`.
  BorderWindow(HWND window, CaptureProfile& current, const CaptureProfile& defaults)
      : OptionWindow(window, current), defaults_(defaults) {}

 private:
  const wchar_t* Title() const override { return L"Border"; }
  int HeadingId() const override { return 1032; }
  void CreateOwnControls() override;
  void ApplyResetValues(CaptureProfile& edited) override;

  const CaptureProfile& defaults_;
};

}  // namespace kx
