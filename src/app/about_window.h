// The About window and the program's own one-line message window: two small modal tool
// windows with an "OK" button.
#pragma once

#include <windows.h>

#include "base/handles.h"
#include "ui/tool_window.h"

namespace kx {

// Longest message text drawn; the rest is cut.
inline constexpr int kMessageTextChars = 255;

// The informational windows (About, Global Hotkeys): a heading, lines of text in a normal
// and a bold font, and "OK" alone at the bottom.
class InfoWindow : public ToolWindow {
 public:
  static constexpr int kHeight = 373;
  explicit InfoWindow(HWND window);

 protected:
  virtual const wchar_t* Heading() const = 0;
  void OnCreate(const CREATESTRUCTW& create) override;
  HFONT Font() const { return font_.Get(); }
  HFONT BoldFont() const { return boldFont_.Get(); }

 private:
  UniqueFont font_, boldFont_;
};

class AboutWindow final : public InfoWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXAboutWndClass";
  using InfoWindow::InfoWindow;

 protected:
  const wchar_t* Heading() const override { return L"About"; }
  void PaintContent(HDC dc, int width, int height) const override;
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
