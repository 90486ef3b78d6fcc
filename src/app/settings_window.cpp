#include "app/settings_window.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>

#include "app/hotkeys.h"
#include "app/registry.h"
#include "base/handles.h"
#include "ui/button.h"
#include "ui/tool_window.h"

namespace kx {

namespace {

constexpr int kOpenStorageId = 1029;
constexpr int kSelectStorageId = 1030;
constexpr int kAutostartCheckId = 1031;

using P = CaptureProfile;
using B = OptionPage::Button;
constexpr OptionPage::Group kGroups[] = {
    {L"Storage", 119}, {L"Program", 199, 129}, {L"Capture", 357, 90}};
// The folder buttons wear the colour button's glyph; their commands are the window's own.
constexpr OptionPage::Button kButtons[] = {
    {B::kCommand, kOpenStorageId, 26, 126, nullptr, 1037, 146, L"Open storage"},
    {B::kCommand, kSelectStorageId, 219, 126, nullptr, 1038, 146, L"Select storage"},
    {B::kCheck, kAutostartCheckId, 26, 206, &P::SetAutostart, 1039, 339, L"Start with Windows"},
    {B::kCheck, 1033, 26, 245, &P::SetHotkeys, 1041, 339, L"Enable global hotkeys"},
    {B::kCheck, 1032, 26, 284, &P::SetHelpText, 1040, 339, L"Show help text"},
    {B::kCheck, 1034, 26, 364, &P::SetMagnifier, 1042, 339,
     L"Show magnifier window when performing an area capture"},
    {B::kCheck, 1035, 26, 403, &P::SetHideBeforeCapture, 1043, 339,
     L"Hide Kestrix before capturing"},
};
constexpr ProfileField kFromDefaults[] = {&P::SetAutostart, &P::SetHotkeys, &P::SetHelpText,
                                          &P::SetMagnifier, &P::SetHideBeforeCapture};

// The executable's path is asked for with room to spare and formatted in place.
constexpr DWORD kPathChars = 5120, kPathAsked = 5100;

}  // namespace

void ApplyAutostart(const CaptureProfile& profile) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS)
    return;
  UniqueKey key(raw);
  if (!profile.SetAutostart) {
    RegDeleteValueW(key.Get(), kRunValue);
    return;
  }
  wchar_t command[kPathChars] = {};
  DWORD length = GetModuleFileNameW(nullptr, command, kPathAsked);
  if (length == 0 || length >= kPathAsked)
    command[0] = L'\0';
  else
    std::wcscat(command, L" /min");
  WriteRegistryString(key.Get(), kRunValue, command);
}

void OpenStorageFolder(HWND owner, const CaptureProfile& profile) {
  const std::wstring folder = FieldText(profile.SetStorageFolder);
  CreateDirectoryW(folder.c_str(), nullptr);
  ShellExecuteW(owner, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

const OptionPage kSettingsPage = {
    L"KXSettingsWndClass", 515, L"Settings", 1036, kGroups, {}, {}, kButtons, {}, {},
    kFromDefaults};

void SettingsWindow::ApplyResetValues(CaptureProfile& edited) {
  PagedOptionWindow::ApplyResetValues(edited);
  const auto& from = defaults_.SetStorageFolder;
  auto& to = edited.SetStorageFolder;
  std::fill(std::begin(to), std::end(to), u'\0');
  std::copy(std::begin(from), std::find(std::begin(from), std::end(from), u'\0'), std::begin(to));
}

void SettingsWindow::ApplyEffects() {
  ApplyAutostartAndShow();
  ApplyHotkeysOnOwner();
}

void SettingsWindow::OnCheckChanged(Field field) {
  if (field == &CaptureProfile::SetAutostart) ApplyAutostartAndShow();
  if (field == &CaptureProfile::SetHotkeys) ApplyHotkeysOnOwner();
}

bool SettingsWindow::OnOtherCommand(int id) {
  if (id == kOpenStorageId) {
    OpenStorageFolder(hwnd, profile);
    return true;
  }
  if (id == kSelectStorageId) {
    SelectStorageFolder();
    return true;
  }
  return false;
}

// The check shows what was applied, also when "Cancel" or "Reset" changed the flag.
void SettingsWindow::ApplyAutostartAndShow() const {
  ApplyAutostart(profile);
  SendDlgItemMessageW(hwnd, kAutostartCheckId, BXM_CHECK, kSetAndRepaint,
                      profile.SetAutostart ? 1 : 0);
}

void SettingsWindow::ApplyHotkeysOnOwner() const {
  ApplyHotkeys(GetWindow(hwnd, GW_OWNER), profile.SetHotkeys != 0);
}

void SettingsWindow::SelectStorageFolder() {
  BROWSEINFOW browse = {};
  browse.hwndOwner = hwnd;
  browse.lpszTitle = L"Select storage folder:";
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse);
  if (!item) return;
  // The browser's loop may have seen this window closed with the program: nothing is taken.
  if (Alive()) {
    auto& folder = profile.SetStorageFolder;
    std::fill(std::begin(folder), std::end(folder), u'\0');
    static_assert(sizeof(wchar_t) == sizeof(char16_t) && kStorageFolderChars >= MAX_PATH);
    SHGetPathFromIDListW(item, reinterpret_cast<wchar_t*>(folder));
  }
  IMalloc* shellMalloc = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellMalloc))) {
    shellMalloc->Free(item);
    shellMalloc->Release();
  }
}

void RunSettingsWindow(HWND owner, CaptureProfile& current, const CaptureProfile& defaults) {
  RunToolWindow<SettingsWindow>(owner, current, defaults);
}

}  // namespace kx
