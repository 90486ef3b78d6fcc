// The main window's controls and help texts as data: positions, set-ups and texts.
#pragma once

#include <windows.h>

#include <span>

#include "app/main_control_ids.h"
#include "capture/capture_profile.h"

namespace kx {

enum class MainSetup { kTitleBar, kChoice, kOptionToggle, kProfile, kPlain };

struct MainControl {
  int id;
  const wchar_t* text;
  int x, y, width, height;
  MainSetup setup;
  // Title-bar bitmap, the choice's maximum, or the toggle's auto-toggle flag.
  UINT parameter = 0;
  // The profile field a toggle's check shows (null for the others).
  uint32_t CaptureProfile::*checkField = nullptr;
};

// Every control of the main window, in creation order.
std::span<const MainControl> MainControls();

// The help text of a control for the current profile, or null when it has none.
const wchar_t* MainHelpText(int id, const CaptureProfile& profile);

}  // namespace kx
