// KXCaptionWndClass: the caption bar of a capture: on or off, the system items it names,
// its colours, inside or outside the image, and its transparency.
#pragma once

#include "ui/option_window.h"

namespace kx {

class CaptionWindow : public OptionWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXCaptionWndClass";
  static constexpr int kHeight = 597;
  using OptionWindow::OptionWindow;

 private:
  const wchar_t* Title() const override { return L"Caption"; }
  int HeadingId() const override { return 1038; }
  void CreateOwnControls() override;
  void ApplyResetValues(CaptureProfile& edited) override;
};

}  // namespace kx
