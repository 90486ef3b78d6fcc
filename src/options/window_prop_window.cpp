#include "options/window_prop_window.h"

namespace kx {

void WindowPropWindow::CreateOwnControls() {
  AddGroup(L"Transparency", 119);
  AddSwitchRow(119, 1029, 1031, &CaptureProfile::InTrans, 2, L"InTrans");
}

}  // namespace kx
