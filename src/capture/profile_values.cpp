#include "capture/profile_values.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace kx {
namespace {

enum class ValueKind { Enumerated, Switch, Decimal, TwoDigits };

struct ValueRow {
  const wchar_t* key;
  uint32_t CaptureProfile::*field;
  ValueKind kind;
  const wchar_t* const* names;  // Enumerated: one text per value; Switch: {off, on}
  size_t nameCount;
};

constexpr const wchar_t* kInTypeNames[] = {L"Window", L"Fullscreen", L"Area"};
constexpr const wchar_t* kInTransNames[] = {L"Current", L"Clean"};
constexpr const wchar_t* kOutTypeNames[] = {L"File", L"Clipboard"};
constexpr const wchar_t* kOutFilenameNames[] = {L"Automatic", L"Fixed"};
constexpr const wchar_t* kOutFormatNames[] = {L"PNG", L"BMP", L"JPEG"};
constexpr const wchar_t* kSwitchNames[] = {L"Disabled", L"Enabled"};
constexpr const wchar_t* kPositionNames[] = {L"Inside of image", L"Outside of image"};

#define KX_NAMES(list) list, std::size(list)

const ValueRow kValueRows[] = {
    {L"InType", &CaptureProfile::InType, ValueKind::Enumerated, KX_NAMES(kInTypeNames)},
    {L"InTrans", &CaptureProfile::InTrans, ValueKind::Enumerated, KX_NAMES(kInTransNames)},
    {L"OutType", &CaptureProfile::OutType, ValueKind::Enumerated, KX_NAMES(kOutTypeNames)},
    {L"OutFilename", &CaptureProfile::OutFilename, ValueKind::Enumerated,
     KX_NAMES(kOutFilenameNames)},
    {L"OutFormat", &CaptureProfile::OutFormat, ValueKind::Enumerated, KX_NAMES(kOutFormatNames)},
    {L"OutJPEGQuality", &CaptureProfile::OutJPEGQuality, ValueKind::Decimal, nullptr, 0},
    {L"CapStatus", &CaptureProfile::CapStatus, ValueKind::Switch, KX_NAMES(kSwitchNames)},
    {L"CapPosition", &CaptureProfile::CapPosition, ValueKind::Switch, KX_NAMES(kPositionNames)},
    {L"CapTrans", &CaptureProfile::CapTrans, ValueKind::Decimal, nullptr, 0},
    {L"BorStatus", &CaptureProfile::BorStatus, ValueKind::Switch, KX_NAMES(kSwitchNames)},
    {L"BorWidth", &CaptureProfile::BorWidth, ValueKind::Decimal, nullptr, 0},
    {L"ScaStatus", &CaptureProfile::ScaStatus, ValueKind::Switch, KX_NAMES(kSwitchNames)},
    {L"ScaWidth", &CaptureProfile::ScaWidth, ValueKind::Decimal, nullptr, 0},
    {L"ScaHeight", &CaptureProfile::ScaHeight, ValueKind::Decimal, nullptr, 0},
    {L"TimStatus", &CaptureProfile::TimStatus, ValueKind::Switch, KX_NAMES(kSwitchNames)},
    {L"TimTimeHour", &CaptureProfile::TimTimeHour, ValueKind::TwoDigits, nullptr, 0},
    {L"TimTimeMin", &CaptureProfile::TimTimeMin, ValueKind::TwoDigits, nullptr, 0},
    {L"TimTimeSec", &CaptureProfile::TimTimeSec, ValueKind::TwoDigits, nullptr, 0},
};

#undef KX_NAMES

int WriteValueText(const ValueRow& row, uint32_t value, wchar_t* buffer) {
  switch (row.kind) {
    case ValueKind::Enumerated:
      if (value >= row.nameCount) return 0;
      wcscpy(buffer, row.names[value]);
      return 1;
    case ValueKind::Switch:
      wcscpy(buffer, row.names[value != 0 ? 1 : 0]);
      return 1;
    case ValueKind::Decimal:
      swprintf(buffer, kValueTextChars, L"%d", static_cast<int32_t>(value));
      return 1;
    case ValueKind::TwoDigits:
      swprintf(buffer, kValueTextChars, L"%02d", static_cast<int32_t>(value));
      return 1;
  }
  return 1;
}

}  // namespace

void BuildDefaultProfile(CaptureProfile& target, std::wstring_view picturesFolder) {
  std::memset(&target, 0, sizeof(target));
  const size_t length = std::min(picturesFolder.size(), kStorageFolderChars - 1);
  std::copy_n(picturesFolder.begin(), length, target.SetStorageFolder);
  target.OutJPEGQuality = 100;
  target.CapDate = 1;
  target.CapTime = 1;
  target.CapPosition = 1;
  target.CapTrans = 20;
  target.CapBackColor = 0x333333;
  target.CapTextColor = 0xFFFFFF;
  target.BorWidth = 1;
  target.BorColor = 0x333333;
  target.ScaWidth = 100;
  target.ScaHeight = 100;
  target.TimTimeSec = 1;
  target.OptSound = 1;
  target.SetHotkeys = 1;
  target.SetHelpText = 1;
  target.SetHideBeforeCapture = 1;
  target.SetMagnifier = 1;
}

int ProfileValueText(const CaptureProfile& profile, const wchar_t* key, wchar_t* buffer) {
  buffer[0] = L'\0';
  for (const ValueRow& row : kValueRows) {
    if (wcscmp(key, row.key) == 0) return WriteValueText(row, profile.*row.field, buffer);
  }
  return 1;
}

bool ProfilesEqual(const CaptureProfile& a, const CaptureProfile& b) {
  return std::memcmp(&a, &b, sizeof(CaptureProfile)) == 0;
}

}  // namespace kx
