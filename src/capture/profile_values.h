// The profile's defaults and the short value texts shown next to options. Pure record code:
// the platform's folders come in as arguments, and ui/show_value.h puts texts on windows.
#pragma once

#include <string_view>

#include "capture/capture_profile.h"

namespace kx {

inline constexpr size_t kValueTextChars = 128;

// Zeroes the record, puts `picturesFolder` (the user's Pictures folder, see
// UserPicturesFolder) in SetStorageFolder and sets every non-zero default.
void BuildDefaultProfile(CaptureProfile& target, std::wstring_view picturesFolder);

// Writes the display text of the field named by `key` into `buffer` (at least 128 chars).
// Returns 0 with an empty text when an enumerated field holds a value outside its list;
// an unknown key gives 1 and an empty text.
int ProfileValueText(const CaptureProfile& profile, const wchar_t* key, wchar_t* buffer);

bool ProfilesEqual(const CaptureProfile& a, const CaptureProfile& b);

}  // namespace kx
