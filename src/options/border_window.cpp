#include "options/border_window.h"

#include "ui/tool_buttons.h"

namespace kx {

void BorderWindow::CreateOwnControls() {
  AddGroup(L"Status", 119);
  AddGroup(L"Width", 199);
  AddGroup(L"Color", 279);
  AddSwitchRow(119, 1029, 1033, &CaptureProfile::BorStatus, 2, L"BorStatus");
  AddNumberRow(199, {1030, 1036, 1034, &CaptureProfile::BorWidth, 1, 5, L"BorWidth", L"px", 1});
  AddColourButton(CreateSwatchButton(hwnd, L"", 1031, 26, 286, 37, 37), &CaptureProfile::BorColor);
  AddLabel(L"Border", 1035, 68, 286, 339);
}

void BorderWindow::ApplyResetValues(CaptureProfile& edited) {
  CopyFields(edited, defaults_,
             {&CaptureProfile::BorStatus, &CaptureProfile::BorWidth, &CaptureProfile::BorColor});
}

}  // namespace kx
