// The capture profile's built defaults, its text fields and the texts of its values. The
// values each default shows are checked end to end on the main and option windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "capture/profile_values.h"
#include "capture/user_folders.h"

namespace kx {
namespace {

std::wstring Text(const CaptureProfile& p, const wchar_t* key, int& result) {
  wchar_t buffer[kValueTextChars];
  std::wmemset(buffer, L'#', kValueTextChars);
  result = ProfileValueText(p, key, buffer);
  return buffer;
}

TEST(ProfileValueTexts, ListedValuesSwitchesNumbersAndUnknownKeys) {
  using P = CaptureProfile;
  const struct {
    const wchar_t* key;
    uint32_t P::*field;
    std::vector<std::wstring> texts;  // for 0, 1, ...; the next value and ~0 have none (result 0)
  } lists[] = {{L"InType", &P::InType, {L"Window", L"Fullscreen", L"Area"}},
               {L"InTrans", &P::InTrans, {L"Current", L"Clean"}},
               {L"OutType", &P::OutType, {L"File", L"Clipboard"}},
               {L"OutFilename", &P::OutFilename, {L"Automatic", L"Fixed"}},
               {L"OutFormat", &P::OutFormat, {L"PNG", L"BMP", L"JPEG"}}};
  int result = -1;
  for (const auto& c : lists) {
    CaptureProfile p = {};
    for (uint32_t v = 0; v < c.texts.size(); ++v) {
      p.*c.field = v;
      EXPECT_EQ(Text(p, c.key, result), c.texts[v]);
      EXPECT_EQ(result, 1) << c.key;
    }
    for (uint32_t bad : {uint32_t(c.texts.size()), ~0u}) {
      p.*c.field = bad;
      EXPECT_EQ(Text(p, c.key, result), L"") << c.key;
      EXPECT_EQ(result, 0) << c.key;
    }
  }
  const struct {
    const wchar_t* key;
    uint32_t P::*field;  // null: nothing set
    uint32_t value;
    const wchar_t* text;
  } cases[] = {
      // clang-format off
      {L"CapStatus", &P::CapStatus, 0, L"Disabled"}, {L"CapStatus", &P::CapStatus, 7, L"Enabled"},
      {L"BorStatus", &P::BorStatus, 7, L"Enabled"},  {L"ScaStatus", &P::ScaStatus, 7, L"Enabled"},
      {L"TimStatus", &P::TimStatus, 7, L"Enabled"},  {L"OutJPEGQuality", &P::OutJPEGQuality, 40, L"40"},
      {L"CapPosition", &P::CapPosition, 0, L"Inside of image"},
      {L"CapPosition", &P::CapPosition, 2, L"Outside of image"},
      {L"BorWidth", &P::BorWidth, ~0u, L"-1"},       {L"ScaWidth", &P::ScaWidth, 250, L"250"},
      {L"TimTimeHour", &P::TimTimeHour, 123, L"123"}, {L"TimTimeMin", &P::TimTimeMin, 5, L"05"},
      {L"TimTimeSec", &P::TimTimeSec, 0, L"00"},     {L"intype", nullptr, 0, L""},
      {L"InType ", nullptr, 0, L""},                 {L"CapComputer", nullptr, 0, L""},
  };  // clang-format on
  for (const auto& c : cases) {
    CaptureProfile p = {};
    if (c.field) p.*c.field = c.value;
    EXPECT_EQ(Text(p, c.key, result), c.text) << c.key << " " << c.value;
    EXPECT_EQ(result, 1) << "unknown keys too: " << c.key;
  }
}

}  // namespace
}  // namespace kx
