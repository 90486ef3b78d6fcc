// The program's one permanent window: a skinned, borderless, rounded 467 x 571 panel that
// shows and edits the current profile and opens every other window.
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace kx {

inline constexpr wchar_t kMainWindowClass[] = L"KXMainWndClass";
inline constexpr wchar_t kMainWindowTitle[] = L"HALVECOR Kestrix";
inline constexpr int kMainWindowWidth = 467;
inline constexpr int kMainWindowHeight = 571;

// Top-left corner that centres the window on a primary screen of the given size.
POINT MainWindowOrigin(int screenWidth, int screenHeight);

// True when the first command-line argument is exactly "/min" (case-sensitive).
bool StartsHidden(int argc, const wchar_t* const* argv);

class MainWindow {
 public:
  explicit MainWindow(HWND hwnd);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The whole client area as WM_PAINT shows it.
  void Paint(HDC dc, int width, int height) const;

  static bool RegisterWindowClass(HINSTANCE instance);

  // Set until the first capture is started; while set, "repeat" starts a new capture.
  bool noCaptureYet = true;

 private:
  void OnCreate();
  void OnPaint();
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnNotify(const NMHDR& header);
  void OnTrayCallback(LPARAM mouseMessage);
  void CreateControls();
  void RefreshControls();
  void ShowProfileName();
  void OpenStorageFolder();
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

  HWND hwnd_;
  UniqueFont font_;
};

// Creates the main window, gives it its region and shows or hides it by the "/min" rule.
// Returns null on failure.
HWND CreateMainWindow(HINSTANCE instance, int argc, const wchar_t* const* argv);

}  // namespace kx
