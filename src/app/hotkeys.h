// The three PrintScreen hotkeys, held by the main window while "Enable global hotkeys" is
// on, and the Global Hotkeys window (KXHotkeysWndClass) that lists them.
#pragma once

#include <windows.h>

#include "app/about_window.h"

namespace kx {

// Registers the three hotkeys (ids 0, 1, 2) on `mainWindow`, or unregisters them; a key
// that another program holds stays with that program, silently.
void ApplyHotkeys(HWND mainWindow, bool enabled);

// The main-window command for a hotkey's modifier bits, or 0 when it is to be dropped: while
// an interval capture runs only Ctrl + PrintScreen acts.
int HotkeyCommand(UINT modifiers, bool intervalRunning);

// True while an area selection or a window picking is on the screen; hotkeys are dropped then.
bool SelectionUnderWay();

class HotkeysWindow final : public InfoWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXHotkeysWndClass";
  using InfoWindow::InfoWindow;

 protected:
  const wchar_t* Heading() const override { return L"Global Hotkeys"; }
  void PaintContent(HDC dc, int width, int height) const override;
};

// Runs the Global Hotkeys window over `owner`; returns when it has closed.
void RunHotkeysWindow(HWND owner);

}  // namespace kx
