// KXFileFormatWndClass: how captures are written to files: automatic or fixed names, the
// image format and the JPEG quality.
#pragma once

#include "ui/option_window.h"

namespace kx {

class FileFormatWindow : public OptionWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXFileFormatWndClass";
  static constexpr int kHeight = 398;
  using OptionWindow::OptionWindow;

 private:
  const wchar_t* Title() const override { return L"Output File Properties"; }
  int HeadingId() const override { return 1032; }
  void CreateOwnControls() override;
  void ApplyResetValues(CaptureProfile& edited) override;
};

}  // namespace kx
