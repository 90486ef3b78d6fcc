// The common frame of every secondary window: a 435-pixel-wide rounded popup, opened
// centred over its owner, modal through a disabled owner and a nested message loop,
// dragged by its top 29 pixels and painted from the tool skin.
#pragma once

#include <windows.h>

namespace kx {

inline constexpr int kToolWindowWidth = 435;
inline constexpr int kDragBandHeight = 29;

// Top-left corner that centres a window of the given size over the owner's rectangle
// (integer halves truncated toward zero).
POINT ToolWindowOrigin(const RECT& owner, int width, int height);

// Registers a tool-window class with the program's common set-up.
bool RegisterToolWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC proc);

// Opens a window of the class over `owner`, disables the owner and runs the window's own
// message loop until the window is destroyed; returns the loop's exit code (0).
// `text` becomes the window text (the message window carries its message there).
int RunToolWindow(const wchar_t* className, HWND owner, int height, const wchar_t* text = L"");

// WM_NCHITTEST of tool windows and the main window: client hits in the top 29 rows drag.
LRESULT ToolWindowHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam);

// Every way out: re-enable the owner first, so it gets the activation back, then destroy.
void CloseToolWindow(HWND hwnd);

// Base of the tool-window objects, made by WindowProcThunk<Derived> at WM_NCCREATE.
class ToolWindow {
 public:
  explicit ToolWindow(HWND window) : hwnd(window) {}
  virtual ~ToolWindow() = default;
  ToolWindow(const ToolWindow&) = delete;
  ToolWindow& operator=(const ToolWindow&) = delete;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The whole client area as WM_PAINT shows it: the frame, then the window's own drawing.
  void Paint(HDC dc, int width, int height);

  HWND hwnd;

 protected:
  virtual void OnCreate() {}
  virtual void OnPaint();
  virtual LRESULT OnCommand(WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }
  virtual void PaintContent(HDC /*dc*/, int /*width*/, int /*height*/) {}
  // Windows with edit boxes take the focus on background clicks, so that a box commits.
  virtual bool TakesFocusOnClick() const { return false; }
};

}  // namespace kx
