// The notification-area icon: the way back to a hidden main window (or to a running
// interval window) for the whole run.
#pragma once

#include <windows.h>

namespace kx {

inline constexpr wchar_t kTrayTip[] = L"HALVECOR Kestrix";

// Adds the icon (id 0) that reports mouse messages on it to `window` as the tray callback
// message. False when the shell refused it; the program then has no icon.
bool AddTrayIcon(HWND window, HICON icon, const wchar_t* tip);
// Removes the icon added last, with the same record.
void RemoveTrayIcon();

// What a mouse message on the icon does: a left or right button press shows `target`
// (updated first when it was hidden) and brings it to the front; everything else is ignored.
void ShowFromTray(HWND target, LPARAM mouseMessage);

}  // namespace kx
