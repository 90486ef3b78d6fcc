// Defaults and value texts of the capture profile, and the text they put on a real window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "capture/profile_values.h"

namespace kx {
namespace {

std::wstring Text(const CaptureProfile& p, const wchar_t* key, int* result = nullptr) {
  wchar_t buffer[kValueTextChars];
  std::wmemset(buffer, L'#', kValueTextChars);
  int r = ProfileValueText(p, key, buffer);
  if (result) *result = r;
  return buffer;
}

CaptureProfile Zeroed() {
  CaptureProfile p;
  std::memset(&p, 0, sizeof(p));
  return p;
}

TEST(ProfileDefaults, HoldTheDocumentedValuesAndThePicturesFolder) {
  CaptureProfile p;
  std::memset(&p, 0xAB, sizeof(p));
  BuildDefaultProfile(p);
  EXPECT_EQ(p.InType, 0u);
  EXPECT_EQ(p.InRect.left | p.InRect.top | p.InRect.right | p.InRect.bottom, 0);
  EXPECT_EQ(p.OutJPEGQuality, 100u);
  EXPECT_EQ(p.CapStatus, 0u);
  EXPECT_EQ(p.CapComputer, 0u);
  EXPECT_EQ(p.CapUser, 0u);
  EXPECT_EQ(p.CapDate, 1u);
  EXPECT_EQ(p.CapTime, 1u);
  EXPECT_EQ(p.CapPosition, 1u);
  EXPECT_EQ(p.CapTrans, 20u);
  EXPECT_EQ(p.CapBackColor, 0x333333u);
  EXPECT_EQ(p.CapTextColor, 0xFFFFFFu);
  EXPECT_EQ(p.BorStatus, 0u);
  EXPECT_EQ(p.BorWidth, 1u);
  EXPECT_EQ(p.BorColor, 0x333333u);
  EXPECT_EQ(p.ScaWidth, 100u);
  EXPECT_EQ(p.ScaHeight, 100u);
  EXPECT_EQ(p.TimTimeSec, 1u);
  EXPECT_EQ(p.OptSound, 1u);
  EXPECT_EQ(p.OptCursor + p.OptView + p.OptEdit + p.SetAutostart, 0u);
  EXPECT_EQ(p.SetHotkeys + p.SetHelpText + p.SetHideBeforeCapture + p.SetMagnifier, 4u);
  std::wstring folder(reinterpret_cast<const wchar_t*>(p.SetStorageFolder));
  ASSERT_GT(folder.size(), 3u);
  EXPECT_EQ(folder.substr(1, 2), L":\\");
  EXPECT_NE(folder.find(L"Pictures"), std::wstring::npos)
      << std::string(folder.begin(), folder.end());
  // Everything after the folder text is zero: no stale bytes survive the build.
  for (size_t i = folder.size(); i < kStorageFolderChars; ++i) ASSERT_EQ(p.SetStorageFolder[i], 0);
  for (size_t i = 0; i < kLastNameChars; ++i) ASSERT_EQ(p.OutLastName[i], 0);
}

TEST(ProfileDefaults, TheProcessWideDefaultIsBuiltAndTheOthersAreDistinctInstances) {
  CaptureProfile built;
  BuildDefaultProfile(built);
  EXPECT_TRUE(ProfilesEqual(DefaultProfile(), built));
  EXPECT_NE(&DefaultProfile(), &CurrentProfile());
  EXPECT_NE(&CurrentProfile(), &LastCaptureProfile());
  EXPECT_EQ(&CurrentProfile(), &CurrentProfile());
  CurrentProfile().BorWidth = 7;
  EXPECT_EQ(LastCaptureProfile().BorWidth, 0u);
  EXPECT_EQ(DefaultProfile().BorWidth, 1u);
}

TEST(ProfileDefaults, EqualityCoversTheTransientName) {
  CaptureProfile a, b;
  BuildDefaultProfile(a);
  BuildDefaultProfile(b);
  EXPECT_TRUE(ProfilesEqual(a, b));
  b.OutLastName[kLastNameChars - 1] = u'x';
  EXPECT_FALSE(ProfilesEqual(a, b));
}

TEST(ProfileValueTexts, EnumeratedKeysNameEachValueAndRejectOthers) {
  struct Case {
    const wchar_t* key;
    uint32_t CaptureProfile::*field;
    std::vector<std::wstring> texts;
  };
  const Case cases[] = {
      {L"InType", &CaptureProfile::InType, {L"Window", L"Fullscreen", L"Area"}},
      {L"InTrans", &CaptureProfile::InTrans, {L"Current", L"Clean"}},
      {L"OutType", &CaptureProfile::OutType, {L"File", L"Clipboard"}},
      {L"OutFilename", &CaptureProfile::OutFilename, {L"Automatic", L"Fixed"}},
      {L"OutFormat", &CaptureProfile::OutFormat, {L"PNG", L"BMP", L"JPEG"}},
  };
  for (const Case& c : cases) {
    CaptureProfile p = Zeroed();
    int result = -1;
    for (size_t v = 0; v < c.texts.size(); ++v) {
      p.*c.field = static_cast<uint32_t>(v);
      EXPECT_EQ(Text(p, c.key, &result), c.texts[v]);
      EXPECT_EQ(result, 1);
    }
    for (uint32_t bad : {static_cast<uint32_t>(c.texts.size()), 0xFFFFFFFFu}) {
      p.*c.field = bad;
      EXPECT_EQ(Text(p, c.key, &result), L"") << c.key;
      EXPECT_EQ(result, 0) << c.key;
    }
  }
}

TEST(ProfileValueTexts, SwitchesShowEnabledForAnyNonZeroValue) {
  const std::pair<const wchar_t*, uint32_t CaptureProfile::*> switches[] = {
      {L"CapStatus", &CaptureProfile::CapStatus},
      {L"BorStatus", &CaptureProfile::BorStatus},
      {L"ScaStatus", &CaptureProfile::ScaStatus},
      {L"TimStatus", &CaptureProfile::TimStatus}};
  for (auto [key, field] : switches) {
    CaptureProfile p = Zeroed();
    EXPECT_EQ(Text(p, key), L"Disabled");
    p.*field = 7;
    int result = -1;
    EXPECT_EQ(Text(p, key, &result), L"Enabled");
    EXPECT_EQ(result, 1);
  }
  CaptureProfile p = Zeroed();
  EXPECT_EQ(Text(p, L"CapPosition"), L"Inside of image");
  p.CapPosition = 2;
  EXPECT_EQ(Text(p, L"CapPosition"), L"Outside of image");
}

TEST(ProfileValueTexts, NumbersAreSignedDecimalOrTwoDigits) {
  CaptureProfile p = Zeroed();
  p.OutJPEGQuality = 40;
  p.CapTrans = 0;
  p.BorWidth = 0xFFFFFFFF;
  p.ScaWidth = 250;
  p.ScaHeight = 5;
  p.TimTimeHour = 123;
  p.TimTimeMin = 5;
  p.TimTimeSec = 0;
  EXPECT_EQ(Text(p, L"OutJPEGQuality"), L"40");
  EXPECT_EQ(Text(p, L"CapTrans"), L"0");
  EXPECT_EQ(Text(p, L"BorWidth"), L"-1");
  EXPECT_EQ(Text(p, L"ScaWidth"), L"250");
  EXPECT_EQ(Text(p, L"ScaHeight"), L"5");
  EXPECT_EQ(Text(p, L"TimTimeHour"), L"123");
  EXPECT_EQ(Text(p, L"TimTimeMin"), L"05");
  EXPECT_EQ(Text(p, L"TimTimeSec"), L"00");
}

TEST(ProfileValueTexts, UnknownOrMiscasedKeysGiveAnEmptyTextAndOne) {
  CaptureProfile p = Zeroed();
  for (const wchar_t* key : {L"", L"intype", L"InType ", L"CapComputer", L"SetStorageFolder"}) {
    int result = -1;
    EXPECT_EQ(Text(p, key, &result), L"");
    EXPECT_EQ(result, 1);
  }
}

TEST(ProfileValueTexts, ShowPutsTheTextOnTheWindow) {
  HWND label = CreateWindowExW(0, L"STATIC", L"old", WS_POPUP | WS_VISIBLE, 10, 10, 100, 20,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(label, nullptr);
  CaptureProfile p = Zeroed();
  p.InType = 2;
  EXPECT_EQ(ShowProfileValue(p, L"InType", label), 1);
  wchar_t text[64] = {};
  GetWindowTextW(label, text, 64);
  EXPECT_STREQ(text, L"Area");
  p.InType = 9;  // out of its list: the window is cleared, the call still succeeds
  EXPECT_EQ(ShowProfileValue(p, L"InType", label), 1);
  GetWindowTextW(label, text, 64);
  EXPECT_STREQ(text, L"");
  DestroyWindow(label);
}

}  // namespace
}  // namespace kx

namespace kx {
namespace {

TEST(ProfileFieldText, EndsAtTheZeroOrAtTheEndOfAnUnterminatedField) {
  CaptureProfile p = {};
  EXPECT_EQ(FieldText(p.OutLastName), L"");
  const char16_t name[] = u"\\KEST.png";
  std::copy(std::begin(name), std::end(name), p.OutLastName);
  EXPECT_EQ(FieldText(p.OutLastName), L"\\KEST.png");
  // A record from a damaged file: every unit of the last field set, no terminator.
  std::fill(std::begin(p.OutLastName), std::end(p.OutLastName), u'x');
  EXPECT_EQ(FieldText(p.OutLastName), std::wstring(kLastNameChars, L'x'));
  std::fill(std::begin(p.SetStorageFolder), std::end(p.SetStorageFolder), u'y');
  EXPECT_EQ(FieldText(p.SetStorageFolder), std::wstring(kStorageFolderChars, L'y'));
}

}  // namespace
}  // namespace kx
