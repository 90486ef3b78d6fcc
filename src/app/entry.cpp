// Program entry: prepares the process, applies the single-instance and first-run rules,
// creates the main window and runs the process's one message loop until it is destroyed.
// Every path returns 0.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/start_marks.h"
#include "app/startup.h"
#include "app/window_classes.h"
#include "base/pixel_space.h"
#include "capture/gdiplus_handles.h"
#include "ui/controls.h"
#include "ui/tool_window.h"

namespace {

void Fail(const wchar_t* text) {
  MessageBoxW(nullptr, text, L"Kestrix", MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using kx::MarkStart, kx::StartMark;
  MarkStart(StartMark::kEntered);
  kx::EnterDataFolder();
  MarkStart(StartMark::kDataFolder);

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&controls);
  MarkStart(StartMark::kCommonControls);

  kx::GdiplusSession gdiplus;
  if (!gdiplus.Started()) {
    Fail(L"ERROR: Failed to initialize GDI+");
    return 0;
  }
  MarkStart(StartMark::kGdiplus);
  if (FAILED(CoInitialize(nullptr))) {
    Fail(L"ERROR: Failed to initialize COM");
    return 0;
  }
  MarkStart(StartMark::kCom);
  if (!kx::RegisterControlClasses(instance)) {
    Fail(L"ERROR: Failed to initialize toolkit");
    return 0;
  }
  MarkStart(StartMark::kControlClasses);
  if (kx::ApplySingleInstanceRule() == kx::InstanceDecision::kExit) return 0;
  MarkStart(StartMark::kSingleInstance);
  kx::ApplyFirstRunRule();
  MarkStart(StartMark::kFirstRun);
  if (!kx::RegisterWindowClasses(instance)) {
    Fail(L"ERROR: Failed to initialize the window classes");
    return 0;
  }
  MarkStart(StartMark::kWindowClasses);
  kx::SetUnawareSkins(kx::PlatformStretchesUnawareWindows());
  MarkStart(StartMark::kPixelSpace);
  kx::AppState state;
  if (!kx::CreateMainWindow(state, __argc, __wargv)) {
    Fail(L"Failed to create the main window");
    return 0;
  }
  kx::HandOverStartMarks();

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
