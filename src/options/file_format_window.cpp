#include "options/file_format_window.h"

namespace kx {

void FileFormatWindow::CreateOwnControls() {
  AddGroup(L"Name", 119);
  AddGroup(L"Format", 199);
  AddGroup(L"JPEG Quality", 279);
  AddSwitchRow(119, 1029, 1033, &CaptureProfile::OutFilename, 2, L"OutFilename");
  AddSwitchRow(199, 1030, 1034, &CaptureProfile::OutFormat, 3, L"OutFormat");
  // The quality stays editable whatever the format; only JPEG files use it.
  AddNumberRow(
      279, {1031, 1035, 0, &CaptureProfile::OutJPEGQuality, 0, 100, L"OutJPEGQuality", nullptr, 3});
}

// The naming is a choice of where files go, not of how they look, so Reset keeps it.
void FileFormatWindow::ApplyResetValues(CaptureProfile& p) {
  p.OutFormat = 0;
  p.OutJPEGQuality = 100;
}

}  // namespace kx
