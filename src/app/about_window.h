// The About window and the program's own one-line message window: two small modal tool
// windows with an "OK" button.
#pragma once

#include <windows.h>

#include "ui/handles.h"
#include "ui/tool_window.h"

namespace kx {

inline constexpr wchar_t kAboutWindowClass[] = L"KXAboutWndClass";
inline constexpr wchar_t kMessageWindowClass[] = L"KXMessageWndClass";
inline constexpr int kAboutWindowHeight = 373;
inline constexpr int kMessageWindowHeight = 238;
// Longest message text drawn; the rest is cut.
inline constexpr int kMessageTextChars = 255;

// The object behind the About window (and, later, the Global Hotkeys window).
class InfoWindow : public ToolWindow {
 public:
  explicit InfoWindow(HWND window);
  static bool RegisterWindowClass(HINSTANCE instance);

 protected:
  void OnCreate() override;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PaintContent(HDC dc, int width, int height) override;

 private:
  UniqueFont font_, boldFont_;
};

class MessageWindow : public ToolWindow {
 public:
  explicit MessageWindow(HWND window);
  static bool RegisterWindowClass(HINSTANCE instance);

 protected:
  void OnCreate() override;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PaintContent(HDC dc, int width, int height) override;

 private:
  UniqueFont font_;
};

// Runs the About window over `owner`; returns when it has closed.
void RunAboutWindow(HWND owner);
// Shows `text` on one line under "Information" over `owner`; returns when it has closed.
void ShowMessageWindow(HWND owner, const wchar_t* text);

}  // namespace kx
