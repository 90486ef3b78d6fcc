// What lives for the whole run, owned by the entry point and handed to the windows that use
// it through their constructors; tests build their own.
#pragma once

#include <windows.h>

#include "capture/capture_profile.h"
#include "profiles/profile_codec.h"

namespace kx {

struct AppState {
  CaptureProfile defaults = {};     // the built-in "Default" profile
  CaptureProfile current = {};      // what every window edits; stored in Profile.db
  CaptureProfile lastCapture = {};  // what Shift + PrintScreen repeats
  ProfileList stored;               // Profiles.db
  HWND runningIntervalWindow = nullptr;
};

}  // namespace kx
