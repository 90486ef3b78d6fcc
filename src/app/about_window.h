// The About window and the program's own one-line message window: two small modal tool
// windows with an "OK" button.
#pragma once

#include <windows.h>

#include "base/handles.h"
#include "ui/tool_window.h"

namespace kx {

// Longest message text drawn; the rest is cut.
inline constexpr int kMessageTextChars = 255;

// The object behind the About window (and, later, the Global Hotkeys window).
class InfoWindow : public ToolWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXAboutWndClass";
  static constexpr int kHeight = 373;
  explicit InfoWindow(HWND window);

 protected:
  void OnCreate(const CREATESTRUCTW& create) override;
  void PaintContent(HDC dc, int width, int height) const override;

 private:
  UniqueFont font_, boldFont_;
};

class MessageWindow : public ToolWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXMessageWndClass";
  static constexpr int kHeight = 238;
  explicit MessageWindow(HWND window);

 protected:
  void OnCreate(const CREATESTRUCTW& create) override;
  void PaintContent(HDC dc, int width, int height) const override;

 private:
  UniqueFont font_;
};

// Runs the About window over `owner`; returns when it has closed.
void RunAboutWindow(HWND owner);
// Shows `text` on one line under "Information" over `owner`; returns when it has closed.
void ShowMessageWindow(HWND owner, const wchar_t* text);

}  // namespace kx
