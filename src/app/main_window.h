// The program's one permanent window: a skinned, borderless, rounded panel that
// shows and edits the current profile and opens every other window.
#pragma once

#include <windows.h>

#include "app/app_state.h"
#include "base/handles.h"
#include "ui/window_base.h"

namespace kx {

// Top-left corner that centres the window on a primary screen of the given size.
POINT MainWindowOrigin(int screenWidth, int screenHeight);

// True when the first command-line argument is exactly "/min" (case-sensitive).
bool StartsHidden(int argc, const wchar_t* const* argv);

class MainWindow : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"KXMainWndClass";
  static constexpr const wchar_t* kTitle = L"HALVECOR Kestrix";
  MainWindow(HWND window, AppState& state);

  // The whole client area as WM_PAINT shows it.
  void Paint(HDC dc, int width, int height) const override;

  static bool RegisterWindowClass(HINSTANCE instance);

  // Set until the first capture is started; while set, "repeat" starts a new capture.
  bool noCaptureYet = true;

 private:
  void OnCreate(const CREATESTRUCTW& create) override;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnNotify(const NMHDR& header) override;
  void OnClose() override { DestroyWindow(hwnd); }
  void OnDestroy() override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void RunCommand(int id);
  void ShowResultOf(int id);
  void OnTrayCallback(LPARAM mouseMessage);
  void OnHotkey(UINT modifiers);
  void CreateControls();
  void RefreshControls();
  void ShowProfileName();

  AppState& state_;
  UniqueFont font_;
};

// Creates the main window, gives it its region and shows or hides it by the "/min" rule.
// Returns null on failure.
HWND CreateMainWindow(AppState& state, int argc, const wchar_t* const* argv);

}  // namespace kx
