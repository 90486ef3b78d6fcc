#include "ui/show_value.h"

#include "capture/profile_values.h"

namespace kx {

int ShowProfileValue(const CaptureProfile& profile, const wchar_t* key, HWND window) {
  wchar_t text[kValueTextChars];
  ProfileValueText(profile, key, text);
  SetWindowTextW(window, text);
  InvalidateRect(window, nullptr, FALSE);
  return 1;
}

}  // namespace kx
