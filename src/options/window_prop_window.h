// KXWindowPropWndClass: whether a captured window is taken over the current screen or over
// a plain backdrop.
#pragma once

#include "ui/option_window.h"

namespace kx {

class WindowPropWindow : public OptionWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXWindowPropWndClass";
  static constexpr int kHeight = 238;
  using OptionWindow::OptionWindow;

 private:
  const wchar_t* Title() const override { return L"Window Properties"; }
  int HeadingId() const override { return 1030; }
  void CreateOwnControls() override;
  void ApplyResetValues(CaptureProfile& p) override { p.InTrans = 0; }
};

}  // namespace kx
