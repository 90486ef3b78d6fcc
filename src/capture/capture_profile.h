// The capture profile: every setting of the program in one fixed 2304-byte record of
// little-endian 32-bit words and UTF-16 text. It has no pointers, so it is copied, compared
// and stored as a block; the field offsets are part of the profile file formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kx {

inline constexpr size_t kStorageFolderChars = 1024;
inline constexpr size_t kLastNameChars = 50;

struct ScreenRect {
  int32_t left, top, right, bottom;
};

struct CaptureProfile {
  uint32_t InType;          // 0 Window, 1 Fullscreen, 2 Area
  uint32_t InTrans;         // 0 Current, 1 Clean
  uint32_t InWindow;        // handle of the picked window (32 bits on every Windows)
  ScreenRect InRect;        // chosen area or window rectangle, screen pixels
  uint32_t OutType;         // 0 File, 1 Clipboard
  uint32_t OutFilename;     // 0 Automatic, 1 Fixed
  uint32_t OutFormat;       // 0 PNG, 1 BMP, 2 JPEG
  uint32_t OutJPEGQuality;  // 0..100
  uint32_t CapStatus;
  uint32_t CapComputer;
  uint32_t CapUser;
  uint32_t CapDate;
  uint32_t CapTime;
  uint32_t CapPosition;   // 0 inside, 1 outside of the image
  uint32_t CapTrans;      // percent
  uint32_t CapBackColor;  // 0x00BBGGRR
  uint32_t CapTextColor;
  uint32_t BorStatus;
  uint32_t BorWidth;
  uint32_t BorColor;
  uint32_t ScaStatus;
  uint32_t ScaWidth;   // percent
  uint32_t ScaHeight;  // percent
  uint32_t TimStatus;
  uint32_t TimTimeHour;
  uint32_t TimTimeMin;
  uint32_t TimTimeSec;
  uint32_t OptSound;
  uint32_t OptCursor;
  uint32_t OptView;
  uint32_t OptEdit;
  // Program-wide settings (the AppSettings block); they travel with every stored profile.
  uint32_t SetAutostart;
  uint32_t SetHotkeys;
  uint32_t SetHelpText;
  uint32_t SetHideBeforeCapture;
  uint32_t SetMagnifier;
  char16_t SetStorageFolder[kStorageFolderChars];
  char16_t OutLastName[kLastNameChars];  // "\name.ext" of the capture in progress
};

// A text field of a record as a string. Records come from files, so a field that fills its
// whole array without a terminating zero ends at the array's end.
template <size_t N>
std::wstring FieldText(const char16_t (&field)[N]) {
  size_t length = 0;
  while (length < N && field[length] != 0) ++length;
  return std::wstring(field, field + length);
}

static_assert(sizeof(CaptureProfile) == 2304);
static_assert(offsetof(CaptureProfile, InTrans) == 4);
static_assert(offsetof(CaptureProfile, InWindow) == 8);
static_assert(offsetof(CaptureProfile, InRect) == 12);
static_assert(offsetof(CaptureProfile, OutType) == 28);
static_assert(offsetof(CaptureProfile, OutJPEGQuality) == 40);
static_assert(offsetof(CaptureProfile, CapStatus) == 44);
static_assert(offsetof(CaptureProfile, CapPosition) == 64);
static_assert(offsetof(CaptureProfile, CapTextColor) == 76);
static_assert(offsetof(CaptureProfile, BorStatus) == 80);
static_assert(offsetof(CaptureProfile, ScaStatus) == 92);
static_assert(offsetof(CaptureProfile, TimStatus) == 104);
static_assert(offsetof(CaptureProfile, TimTimeSec) == 116);
static_assert(offsetof(CaptureProfile, OptSound) == 120);
static_assert(offsetof(CaptureProfile, OptEdit) == 132);
static_assert(offsetof(CaptureProfile, SetAutostart) == 136);
static_assert(offsetof(CaptureProfile, SetMagnifier) == 152);
static_assert(offsetof(CaptureProfile, SetStorageFolder) == 156);
static_assert(offsetof(CaptureProfile, OutLastName) == 2204);

}  // namespace kx
