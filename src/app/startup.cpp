#include "app/startup.h"

#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cwchar>
#include <string>

#include "app/main_window.h"
#include "app/menu_commands.h"
#include "app/registry.h"
#include "base/handles.h"

namespace kx {

void EnterDataFolder() {
  wchar_t path[1024] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path))) return;
  // Each level may exist already; failures show up as a failed SetCurrentDirectory only.
  wcsncat(path, L"\\HALVECOR", 1023 - std::wcslen(path));
  CreateDirectoryW(path, nullptr);
  wcsncat(path, L"\\Kestrix", 1023 - std::wcslen(path));
  CreateDirectoryW(path, nullptr);
  SetCurrentDirectoryW(path);
}

bool IsProgramProcessName(const wchar_t* exeName) {
  return std::wcscmp(exeName, kProgramFileName) == 0;
}

namespace {

// Ends every other process of the program. False when the snapshot is unusable or a
// matching process cannot be opened: the new start is then abandoned.
bool TerminateOtherInstances() {
  // The snapshot fails with INVALID_HANDLE_VALUE, like a file.
  UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  if (!Process32FirstW(snapshot.Get(), &entry)) return false;
  DWORD self = GetCurrentProcessId();
  do {
    if (!IsProgramProcessName(entry.szExeFile) || entry.th32ProcessID == self) continue;
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
    if (!process) return false;
    TerminateProcess(process.Get(), 0);
  } while (Process32NextW(snapshot.Get(), &entry));
  return true;
}

}  // namespace

InstanceDecision ApplySingleInstanceRule() {
  HWND running = FindWindowW(MainWindow::kClassName, nullptr);
  if (!running) return InstanceDecision::kContinue;
  if (MessageBoxW(nullptr, L"Kestrix is running\n\nRestart?", L"Kestrix", MB_YESNO) != IDYES) {
    SendMessageW(running, kTrayCallbackMessage, 0, WM_LBUTTONDOWN);
    return InstanceDecision::kExit;
  }
  return TerminateOtherInstances() ? InstanceDecision::kContinue : InstanceDecision::kExit;
}

void ApplyFirstRunRule() {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS &&
      RegCreateKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS)
    return;
  UniqueKey key(raw);
  if (ReadRegistryFlag(key.Get(), kFirstRunValue, 0) == 1) return;
  WriteRegistryDword(key.Get(), kFirstRunValue, 1);
  const std::wstring page = std::wstring(kVendorSite) + kInstallPage;
  ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace kx
