// The process-wide profiles, the defaults and the short value texts shown next to options.
#pragma once

#include <windows.h>

#include "capture/capture_profile.h"

namespace kx {

inline constexpr size_t kValueTextChars = 128;

// Zeroes the record, puts the user's Pictures folder in SetStorageFolder (empty when the
// platform cannot tell) and sets every non-zero default.
void BuildDefaultProfile(CaptureProfile& target);

// Writes the display text of the field named by `key` into `buffer` (at least 128 chars).
// Returns 0 with an empty text when an enumerated field holds a value outside its list;
// an unknown key gives 1 and an empty text.
int ProfileValueText(const CaptureProfile& profile, const wchar_t* key, wchar_t* buffer);

// Sets the value text as the window's text and repaints it without erasing. Always 1.
int ShowProfileValue(const CaptureProfile& profile, const wchar_t* key, HWND window);

bool ProfilesEqual(const CaptureProfile& a, const CaptureProfile& b);

// The three instances that live for the whole run. The default profile is built on first
// use; the current and last-capture profiles start zeroed until start-up fills them.
CaptureProfile& DefaultProfile();
CaptureProfile& CurrentProfile();
CaptureProfile& LastCaptureProfile();

}  // namespace kx
