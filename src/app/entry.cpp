// Program entry: prepares the process, applies the single-instance and first-run rules,
// creates the main window and runs the process's one message loop until it is destroyed.
// Every path returns 0.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app/window_classes.h"
#include "base/pixel_space.h"
#include "capture/gdiplus_handles.h"
#include "ui/tool_window.h"
#include "ui/controls.h"

namespace {

void Fail(const wchar_t* text) {
  MessageBoxW(nullptr, text, L"Kestrix", MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  kx::EnterDataFolder();

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&controls);

  kx::GdiplusSession gdiplus;
  if (!gdiplus.Started()) {
    Fail(L"ERROR: Failed to initialize GDI+");
    return 0;
  }
  if (FAILED(CoInitialize(nullptr))) {
    Fail(L"ERROR: Failed to initialize COM");
    return 0;
  }
  if (!kx::RegisterControlClasses(instance)) {
    Fail(L"ERROR: Failed to initialize toolkit");
    return 0;
  }
  if (kx::ApplySingleInstanceRule() == kx::InstanceDecision::kExit) return 0;
  kx::ApplyFirstRunRule();
  if (!kx::RegisterWindowClasses(instance)) {
    Fail(L"ERROR: Failed to initialize the window classes");
    return 0;
  }
  kx::SetUnawareSkins(kx::PlatformStretchesUnawareWindows());
  kx::AppState state;
  if (!kx::CreateMainWindow(state, __argc, __wargv)) {
    Fail(L"Failed to create the main window");
    return 0;
  }

  // Also ends without the quit message when a platform dialog's loop took it.
  MSG msg;
  while (!kx::ProgramEnding() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  gdiplus.End();
  CoUninitialize();
  return 0;
}
