// KXSettingsWndClass: the program-wide settings at the end of the profile (storage folder,
// start with Windows, hotkeys, help texts, magnifier, hiding before a capture). A page like
// the option windows', with the two folder buttons' commands and the storage folder's reset
// added; the Run value and the hotkeys follow their checks at once.
#pragma once

#include <windows.h>

#include "capture/capture_profile.h"
#include "ui/option_window.h"

namespace kx {

// Where "Start with Windows" lives: under HKEY_CURRENT_USER, value "Kestrix".
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Kestrix";

// Writes the Run value ("<executable path> /min") while SetAutostart is set, deletes it
// otherwise. A key that cannot be opened leaves everything as it was; nothing is reported.
void ApplyAutostart(const CaptureProfile& profile);

// Creates the storage folder (one level) and opens it in the shell; results are ignored.
void OpenStorageFolder(HWND owner, const CaptureProfile& profile);

extern const OptionPage kSettingsPage;

class SettingsWindow final : public PagedOptionWindow {
 public:
  static constexpr const wchar_t* const& kClassName = kSettingsPage.className;
  static constexpr const int& kHeight = kSettingsPage.height;
  // Reset takes the settings from `defaults`. The owner is the main window, which holds
  // the hotkeys.
  SettingsWindow(HWND window, CaptureProfile& current, const CaptureProfile& defaults)
      : PagedOptionWindow(window, kSettingsPage, current, defaults) {}

 private:
  void ApplyResetValues(CaptureProfile& edited) override;
  void ApplyEffects() override;
  void OnCheckChanged(Field field) override;
  bool OnOtherCommand(int id) override;
  bool TakesFocusOnClick() const override { return true; }

  void ApplyAutostartAndShow() const;
  void ApplyHotkeysOnOwner() const;
  void SelectStorageFolder();
};

// Runs the Settings window over `owner` (the main window); returns when it has closed.
void RunSettingsWindow(HWND owner, CaptureProfile& current, const CaptureProfile& defaults);

}  // namespace kx
