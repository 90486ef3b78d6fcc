#include "options/scale_window.h"

namespace kx {

void ScaleWindow::CreateOwnControls() {
  AddGroup(L"Status", 119);
  AddGroup(L"Width", 199);
  AddGroup(L"Height", 279);
  AddSwitchRow(119, 1029, 1033, &CaptureProfile::ScaStatus, 2, L"ScaStatus");
  AddNumberRow(199, {1030, 1036, 1034, &CaptureProfile::ScaWidth, 1, 500, L"ScaWidth", L"%", 3});
  AddNumberRow(279, {1031, 1037, 1035, &CaptureProfile::ScaHeight, 1, 500, L"ScaHeight", L"%", 3});
}

void ScaleWindow::ApplyResetValues(CaptureProfile& p) {
  p.ScaStatus = 0;
  p.ScaWidth = 100;
  p.ScaHeight = 100;
}

}  // namespace kx
