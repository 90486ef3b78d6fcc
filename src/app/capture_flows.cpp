#include "app/capture_flows.h"

#include <memory>
#include <new>

#include "app/about_window.h"
#include "capture/window_shot.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"
#include "select/interval_window.h"
#include "ui/tool_window.h"

namespace kx {

namespace {

enum InputType : uint32_t { kWindowInput = 0, kFullscreenInput = 1, kAreaInput = 2 };

// The holder is made on the heap so that running out of memory is seen and reported.
std::unique_ptr<CaptureImage> MakeHolder(HWND mainWindow) {
  std::unique_ptr<CaptureImage> holder(new (std::nothrow) CaptureImage(mainWindow));
  if (!holder) ShowMessageWindow(mainWindow, L"An error has occurred.");
  return holder;
}

bool HidesMainWindow(const CaptureProfile& p) {
  return p.SetHideBeforeCapture && !p.TimStatus;
}

// Returns whether the main window was visible; hides it (when asked) before the screen is read.
bool HideMainWindow(HWND mainWindow, const CaptureProfile& p) {
  const bool visible = IsWindowVisible(mainWindow);
  if (visible && HidesMainWindow(p)) {
    ShowWindow(mainWindow, SW_MINIMIZE);
    ShowWindow(mainWindow, SW_HIDE);
    PauseWithoutDispatch(kAfterHidingPauseMs);
  }
  return visible;
}

void BringMainWindowBack(HWND mainWindow, bool wasVisible, const CaptureProfile& p) {
  if (!wasVisible || !HidesMainWindow(p)) return;
  ShowWindow(mainWindow, SW_RESTORE);
  ShowWindow(mainWindow, SW_SHOW);
  SetForegroundWindow(mainWindow);
}

void ClearTransientFields(CaptureProfile& p) {
  p.InWindow = 0;
  p.InRect = {};
  for (char16_t& c : p.OutLastName) c = 0;
}

// The shot itself once the target is known: the interval window when the timer is on.
void Shoot(HWND mainWindow, AppState& state, CaptureImage& holder) {
  CaptureProfile& p = state.current;
  if (p.TimStatus)
    RunIntervalWindow(mainWindow, p, state.runningIntervalWindow);
  else
    ShootByInputType(holder, p);
}

}  // namespace

void StartCapture(HWND mainWindow, AppState& state) {
  SendMessageW(mainWindow, WM_CANCELMODE, 0, 0);
  std::unique_ptr<CaptureImage> holder = MakeHolder(mainWindow);
  if (!holder) return;
  CaptureProfile& p = state.current;
  const bool wasVisible = HideMainWindow(mainWindow, p);

  bool cancelled = false;
  switch (p.InType) {
    case kWindowInput:
      cancelled = RunGetWindowWindow(p).Cancelled();
      if (ProgramEnding()) return;
      if (!cancelled) Shoot(mainWindow, state, *holder);
      break;
    case kFullscreenInput:
      Shoot(mainWindow, state, *holder);
      break;
    case kAreaInput:
      cancelled = RunGetAreaWindow(p).Cancelled();
      if (ProgramEnding()) return;
      if (cancelled) break;
      PauseWithoutDispatch(kAfterAreaPauseMs);  // the overlay's place repaints before the screen is read
      Shoot(mainWindow, state, *holder);
      break;
    default:
      break;
  }
  // The interval window's loop ends with the program too.
  if (ProgramEnding()) return;
  if (!cancelled) state.lastCapture = p;  // with this capture's window, rectangle and file name
  holder.reset();
  if (!cancelled) ClearTransientFields(p);
  BringMainWindowBack(mainWindow, wasVisible, p);
}

void RepeatCapture(HWND mainWindow, AppState& state) {
  SendMessageW(mainWindow, WM_CANCELMODE, 0, 0);
  std::unique_ptr<CaptureImage> holder = MakeHolder(mainWindow);
  if (!holder) return;
  const CaptureProfile kept = state.current;
  state.current = state.lastCapture;
  CaptureProfile& p = state.current;
  const bool wasVisible = HideMainWindow(mainWindow, p);

  if (p.InType == kWindowInput) {
    if (PickedWindowShown(p)) {
      RefreshWindowRect(p);
      Shoot(mainWindow, state, *holder);
    }
  } else if (p.InType == kFullscreenInput || p.InType == kAreaInput) {
    Shoot(mainWindow, state, *holder);
  }
  holder.reset();
  if (ProgramEnding()) return;
  ClearTransientFields(p);
  BringMainWindowBack(mainWindow, wasVisible, p);
  state.current = kept;
}

}  // namespace kx
