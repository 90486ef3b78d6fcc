// KXScaleWndClass: scaling of a capture, on or off, with width and height as independent
// percentages of the captured size.
#pragma once

#include "ui/option_window.h"

namespace kx {

class ScaleWindow : public OptionWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXScaleWndClass";
  static constexpr int kHeight = 398;
  using OptionWindow::OptionWindow;

 private:
  const wchar_t* Title() const override { return L"Scale"; }
  int HeadingId() const override { return 1032; }
  void CreateOwnControls() override;
  void ApplyResetValues(CaptureProfile& edited) override;
};

}  // namespace kx
