#include "app/tray_icon.h"

#include <shellapi.h>

#include <cwchar>

#include "app/startup.h"

namespace kx {

namespace {

// The first-version record: the fields up to a 64-character tip, which every shell reads.
constexpr DWORD kRecordBytes = NOTIFYICONDATAW_V1_SIZE;
static_assert(sizeof(void*) != 4 || kRecordBytes == 152);

// One icon per process; removing needs the window and id it was added with.
NOTIFYICONDATAW trayRecord = {};

}  // namespace

bool AddTrayIcon(HWND window, HICON icon, const wchar_t* tip) {
  trayRecord = {};
  trayRecord.cbSize = kRecordBytes;
  trayRecord.hWnd = window;
  trayRecord.uID = 0;
  trayRecord.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayRecord.uCallbackMessage = kTrayCallbackMessage;
  trayRecord.hIcon = icon;
  wcsncpy(trayRecord.szTip, tip, 63);
  return Shell_NotifyIconW(NIM_ADD, &trayRecord) != FALSE;
}

void RemoveTrayIcon() {
  Shell_NotifyIconW(NIM_DELETE, &trayRecord);
}

void ShowFromTray(HWND target, LPARAM mouseMessage) {
  if (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONDOWN) return;
  if (!IsWindowVisible(target)) {
    UpdateWindow(target);
    ShowWindow(target, SW_SHOW);
  }
  SetForegroundWindow(target);
  BringWindowToTop(target);
}

}  // namespace kx
