// The common frame of every secondary window: a 435-pixel-wide rounded popup, opened
// centred over its owner, modal through a disabled owner and a nested message loop,
// dragged by its top 29 pixels and painted from the tool skin.
#pragma once

#include <windows.h>

#include <utility>

#include "ui/window_base.h"

namespace kx {

// Command ids of the standard bottom row.
inline constexpr int kOkId = 1026;
inline constexpr int kCancelId = 1027;
inline constexpr int kResetId = 1028;

// Top-left corner that centres a window of the given size over the owner's rectangle
// (integer halves truncated toward zero).
POINT ToolWindowOrigin(const RECT& owner, int width, int height);

// Opens a window of the class over `owner`, disables the owner and runs the window's own
// message loop until the window is destroyed; returns the loop's exit code (0).
// `text` becomes the window text (the message window carries its message there).
int RunToolWindowOfClass(const wchar_t* className, HWND owner, int height, const wchar_t* text,
                         const WindowMaker* maker);

// The nested loop of every modal window: each message of the thread goes to the window's
// dialog-key handling first, then to the usual translation and dispatch, until the quit
// message that the window posts when it is destroyed; returns its code.
// When the program ends meanwhile (see PostProgramQuit) the loop ends too and destroys its
// window if that still stands.
int RunModalLoop(HWND window);

// The program runs while its main window lives, and ends when that is destroyed, also from
// elsewhere while nested loops run (another program closing it, a log-off). Its destruction
// calls PostProgramQuit, which posts the quit message and marks the end, so that every loop
// still running gives way in turn, down to the process's own loop, whichever of them the quit
// message reaches, and the code after each loop knows that its opener is gone. Its creation
// calls ProgramStarts.
void ProgramStarts();
void PostProgramQuit();
bool ProgramEnding();

// WM_NCHITTEST of tool windows and the main window: client hits in the top 29 rows drag.
LRESULT ToolWindowHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam);

// Every way out: re-enable the owner first, so it gets the activation back, then destroy.
void CloseToolWindow(HWND hwnd);

// Base of the tool windows. A window type names `kClassName` and `kHeight`
// (static constexpr), is registered with RegisterWindow<T> and opened with RunToolWindow<T>.
class ToolWindow : public Window {
 public:
  using Window::Window;
  // The frame, then the window's own drawing.
  void Paint(HDC dc, int width, int height) const final;

 protected:
  virtual void PaintContent(HDC /*dc*/, int /*width*/, int /*height*/) const {}
  // The skin bitmap of the frame; 0 is the tool skin.
  virtual UINT SkinId() const { return 0; }
  // Windows with edit boxes take the focus on background clicks, so that a box commits.
  virtual bool TakesFocusOnClick() const { return false; }
  // "OK" closes the window.
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnButtonDown(UINT message, POINT client, WPARAM keys) override;
  void OnClose() override { CloseToolWindow(hwnd); }
  void OnDestroy() override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The standard pieces: the bold heading, "OK" alone centred at the bottom, the "OK",
  // "Cancel" pair, the "OK", "Cancel", "Reset" row of the settings windows, and any plain
  // button of the bottom row at the given x.
  HWND AddHeading(const wchar_t* text, int id = 0) const;
  HWND AddLoneOkButton() const;
  void AddOkCancelRow() const;
  void AddOkCancelResetRow() const;
  HWND AddRowButton(const wchar_t* text, int id, int x) const;
  // One line of body text centred in `box` (both ways), at most `length` characters (-1: all).
  static void DrawCentredLine(HDC dc, HFONT font, const wchar_t* text, int length, RECT box);
  int ClientHeight() const;
};

// Opens a tool window of type T over `owner` and returns when it has closed. Extra
// arguments go to T's constructor after the handle.
template <class T, class... Args>
int RunToolWindowTitled(HWND owner, const wchar_t* text, Args&&... args) {
  return WithMakerOf<T>(
      [&](const WindowMaker* maker) {
        return RunToolWindowOfClass(T::kClassName, owner, T::kHeight, text, maker);
      },
      std::forward<Args>(args)...);
}

template <class T, class... Args>
int RunToolWindow(HWND owner, Args&&... args) {
  return RunToolWindowTitled<T>(owner, L"", std::forward<Args>(args)...);
}

}  // namespace kx
