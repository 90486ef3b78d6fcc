#include "app/hotkeys.h"

#include "app/main_layout.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"
#include "ui/tool_frame.h"

namespace kx {

namespace {

// All three on PrintScreen; WM_HOTKEY is dispatched on the modifiers, not on the id.
struct Hotkey {
  int id;
  UINT modifiers;
};
constexpr Hotkey kHotkeys[] = {{0, 0}, {1, MOD_SHIFT}, {2, MOD_CONTROL}};

}  // namespace

void ApplyHotkeys(HWND mainWindow, bool enabled) {
  for (const Hotkey& h : kHotkeys) {
    if (enabled)
      RegisterHotKey(mainWindow, h.id, h.modifiers, VK_SNAPSHOT);
    else
      UnregisterHotKey(mainWindow, h.id);
  }
}

int HotkeyCommand(UINT modifiers, bool intervalRunning) {
  switch (modifiers) {
    case MOD_CONTROL:
      return kStorageId;
    case MOD_SHIFT:
      return intervalRunning ? 0 : kRepeatCaptureId;
    default:
      return intervalRunning ? 0 : kCaptureId;
  }
}

bool SelectionUnderWay() {
  return FindWindowW(GetWindowWnd::kClassName, L"") || FindWindowW(GetAreaWnd::kClassName, L"");
}

namespace {

struct Line {
  int top, bottom;
  bool bold;
  const wchar_t* text;
};
constexpr Line kLines[] = {
    {117, 137, true, L"PrintScreen"},
    {137, 157, false, L"Start a screen capture"},
    {167, 187, true, L"Shift + PrintScreen"},
    {187, 207, false, L"Repeat the last screen capture"},
    {217, 237, true, L"Ctrl + PrintScreen"},
    {237, 257, false, L"Open an output folder"},
    {267, 287, false, L"Global hotkeys needs to be enabled in Settings in order to work."},
};

}  // namespace

void HotkeysWindow::PaintContent(HDC dc, int width, int) const {
  DrawGroupFrame(dc, L"", 19, 100, width - 38, 205);
  for (const Line& line : kLines)
    DrawCentredLine(dc, line.bold ? BoldFont() : Font(), line.text, -1,
                    RECT{20, line.top, width - 20, line.bottom});
}

void RunHotkeysWindow(HWND owner) {
  RunToolWindow<HotkeysWindow>(owner);
}

}  // namespace kx
