// The program's one permanent window: a skinned, borderless, rounded 467 x 571 panel.
#pragma once

#include <windows.h>

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
  explicit MainWindow(HWND hwnd) : hwnd_(hwnd) {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  static bool RegisterWindowClass(HINSTANCE instance);

 private:
  void OnPaint();
  void OnTrayCallback(LPARAM mouseMessage);

  HWND hwnd_;
};

// Creates the main window, gives it its region and shows or hides it by the "/min" rule.
// Returns null on failure.
HWND CreateMainWindow(HINSTANCE instance, int argc, const wchar_t* const* argv);

}  // namespace kx
