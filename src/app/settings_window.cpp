#include "app/settings_window.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>

#include "app/hotkeys.h"
#include "app/registry.h"
#include "base/handles.h"
#include "ui/button.h"
#include "ui/tool_buttons.h"
#include "ui/tool_window.h"

namespace kx {

namespace {

constexpr int kOpenStorageId = 1029;
constexpr int kSelectStorageId = 1030;
constexpr int kAutostartCheckId = 1031;

// A folder button and its label in the "Storage" group.
struct FolderRow {
  int buttonId, labelId, x;
  const wchar_t* text;
};
constexpr FolderRow kFolderRows[] = {
    {kOpenStorageId, 1037, 26, L"Open storage"},
    {kSelectStorageId, 1038, 219, L"Select storage"},
};

// A check and its label; the "Program" group holds the first three, "Capture" the others.
struct CheckRow {
  int checkId, labelId, y;
  const wchar_t* text;
  uint32_t CaptureProfile::*field;
};
constexpr CheckRow kCheckRows[] = {
    {kAutostartCheckId, 1039, 206, L"Start with Windows", &CaptureProfile::SetAutostart},
    {1033, 1041, 245, L"Enable global hotkeys", &CaptureProfile::SetHotkeys},
    {1032, 1040, 284, L"Show help text", &CaptureProfile::SetHelpText},
    {1034, 1042, 364, L"Show magnifier window when performing an area capture",
     &CaptureProfile::SetMagnifier},
    {1035, 1043, 403, L"Hide Kestrix before capturing", &CaptureProfile::SetHideBeforeCapture},
};

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

void SettingsWindow::CreateOwnControls() {
  AddGroup(L"Storage", 119);
  AddGroup(L"Program", 199, 129);
  AddGroup(L"Capture", 357, 90);
  for (const FolderRow& r : kFolderRows) {
    CreateSwatchButton(hwnd, L"", r.buttonId, r.x, 126, 37, 37);
    AddLabel(r.text, r.labelId, r.x + 42, 126, 146);
  }
  for (const CheckRow& r : kCheckRows) {
    AddCheck(CreateBareCheckButton(hwnd, r.checkId, 26, r.y, 37, 37, true), r.field);
    AddLabel(r.text, r.labelId, 68, r.y, 339);
  }
}

void SettingsWindow::ApplyResetValues(CaptureProfile& edited) {
  const auto& from = defaults_.SetStorageFolder;
  auto& to = edited.SetStorageFolder;
  std::fill(std::begin(to), std::end(to), u'\0');
  std::copy(std::begin(from), std::find(std::begin(from), std::end(from), u'\0'), std::begin(to));
  CopyFields(
      edited, defaults_,
      {&CaptureProfile::SetAutostart, &CaptureProfile::SetHotkeys, &CaptureProfile::SetHelpText,
       &CaptureProfile::SetMagnifier, &CaptureProfile::SetHideBeforeCapture});
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
  auto& folder = profile.SetStorageFolder;
  std::fill(std::begin(folder), std::end(folder), u'\0');
  static_assert(sizeof(wchar_t) == sizeof(char16_t) && kStorageFolderChars >= MAX_PATH);
  SHGetPathFromIDListW(item, reinterpret_cast<wchar_t*>(folder));
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
