// Program entry: registers the window class, creates the main window and runs the
// process's one message loop until the main window is destroyed.
#include <windows.h>

#include <cstdlib>

#include "app/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (!kx::MainWindow::RegisterWindowClass(instance)) {
    MessageBoxW(nullptr, L"ERROR: Failed to initialize the window classes", L"Kestrix",
                MB_ICONERROR);
    return 0;
  }
  if (!kx::CreateMainWindow(instance, __argc, __wargv)) {
    MessageBoxW(nullptr, L"Failed to create the main window", L"Kestrix", MB_ICONERROR);
    return 0;
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
