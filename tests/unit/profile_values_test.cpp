// The rules of the profile's value texts. Which name each listed value has is seen end to end
// on the main and option windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>

#include "capture/profile_values.h"

namespace kx {
namespace {

TEST(ProfileValueTexts, ListsSwitchesNumbersAndUnknownKeys) {
  using P = CaptureProfile;
  const struct {
    const wchar_t* key;
    uint32_t P::*field;  // null: nothing set
    uint32_t value;
    const wchar_t* text;  // null: off its list, so no text and a result of 0
  } cases[] = {
      // clang-format off
      {L"InType", &P::InType, 2, L"Area"},            {L"InType", &P::InType, 3, nullptr},
      {L"OutFormat", &P::OutFormat, 2, L"JPEG"},      {L"OutFormat", &P::OutFormat, ~0u, nullptr},
      {L"CapStatus", &P::CapStatus, 0, L"Disabled"},  {L"CapStatus", &P::CapStatus, 7, L"Enabled"},
      {L"CapPosition", &P::CapPosition, 0, L"Inside of image"},
      {L"CapPosition", &P::CapPosition, 2, L"Outside of image"},  // any non-zero value
      {L"BorWidth", &P::BorWidth, ~0u, L"-1"},        {L"TimTimeHour", &P::TimTimeHour, 123, L"123"},
      {L"TimTimeMin", &P::TimTimeMin, 5, L"05"},      {L"TimTimeSec", &P::TimTimeSec, 0, L"00"},
      {L"intype", nullptr, 0, L""},                   {L"InType ", nullptr, 0, L""},
      {L"CapComputer", nullptr, 0, L""},              // unknown keys: empty, and a result of 1
      // clang-format on
  };
  for (const auto& c : cases) {
    CaptureProfile p = {};
    if (c.field) p.*c.field = c.value;
    wchar_t buffer[kValueTextChars];
    std::wmemset(buffer, L'#', kValueTextChars);
    EXPECT_EQ(ProfileValueText(p, c.key, buffer), c.text ? 1 : 0) << c.key << " " << c.value;
    EXPECT_STREQ(buffer, c.text ? c.text : L"") << c.key << " " << c.value;
  }
}

}  // namespace
}  // namespace kx
