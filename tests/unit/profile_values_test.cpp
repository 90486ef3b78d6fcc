// Defaults and value texts of the capture profile, and the text they put on a real window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "capture/profile_values.h"
#include "capture/user_folders.h"
#include "ui/show_value.h"

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
  BuildDefaultProfile(p, UserPicturesFolder());
  EXPECT_EQ(p.InRect.left | p.InRect.top | p.InRect.right | p.InRect.bottom, 0);
  using P = CaptureProfile;
  const std::pair<uint32_t P::*, uint32_t> fields[] = {{&P::InType, 0},
                                                       {&P::OutJPEGQuality, 100},
                                                       {&P::CapStatus, 0},
                                                       {&P::CapComputer, 0},
                                                       {&P::CapUser, 0},
                                                       {&P::CapDate, 1},
                                                       {&P::CapTime, 1},
                                                       {&P::CapPosition, 1},
                                                       {&P::CapTrans, 20},
                                                       {&P::CapBackColor, 0x333333},
                                                       {&P::CapTextColor, 0xFFFFFF},
                                                       {&P::BorStatus, 0},
                                                       {&P::BorWidth, 1},
                                                       {&P::BorColor, 0x333333},
                                                       {&P::ScaWidth, 100},
                                                       {&P::ScaHeight, 100},
                                                       {&P::TimTimeSec, 1},
                                                       {&P::OptSound, 1}};
  for (size_t i = 0; i < std::size(fields); ++i)
    EXPECT_EQ(p.*fields[i].first, fields[i].second) << "field " << i;
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

TEST(ProfileDefaults, AnOverlongFolderIsCutAndEqualityIsWhole) {
  CaptureProfile built, again;
  BuildDefaultProfile(built, std::wstring(2000, L'x'));
  EXPECT_EQ(FieldText(built.SetStorageFolder), std::wstring(kStorageFolderChars - 1, L'x'));
  EXPECT_EQ(built.SetStorageFolder[kStorageFolderChars - 1], 0);
  BuildDefaultProfile(again, std::wstring(2000, L'x'));
  EXPECT_TRUE(ProfilesEqual(again, built));
  // Equality runs to the end of the transient name.
  built.OutLastName[kLastNameChars - 1] = u'x';
  EXPECT_FALSE(ProfilesEqual(again, built));
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

TEST(ProfileValueTexts, SwitchesPositionsNumbersAndUnknownKeys) {
  using P = CaptureProfile;
  const struct {
    const wchar_t* key;
    uint32_t P::*field;  // null: nothing set
    uint32_t value;
    const wchar_t* text;
  } cases[] = {
      {L"CapStatus", &P::CapStatus, 0, L"Disabled"},  // any non-zero value is on
      {L"CapStatus", &P::CapStatus, 7, L"Enabled"},
      {L"BorStatus", &P::BorStatus, 0, L"Disabled"},
      {L"BorStatus", &P::BorStatus, 7, L"Enabled"},
      {L"ScaStatus", &P::ScaStatus, 0, L"Disabled"},
      {L"ScaStatus", &P::ScaStatus, 7, L"Enabled"},
      {L"TimStatus", &P::TimStatus, 0, L"Disabled"},
      {L"TimStatus", &P::TimStatus, 7, L"Enabled"},
      {L"CapPosition", &P::CapPosition, 0, L"Inside of image"},
      {L"CapPosition", &P::CapPosition, 2, L"Outside of image"},
      {L"OutJPEGQuality", &P::OutJPEGQuality, 40, L"40"},
      {L"CapTrans", &P::CapTrans, 0, L"0"},
      {L"BorWidth", &P::BorWidth, 0xFFFFFFFF, L"-1"},  // signed
      {L"ScaWidth", &P::ScaWidth, 250, L"250"},
      {L"ScaHeight", &P::ScaHeight, 5, L"5"},
      {L"TimTimeHour", &P::TimTimeHour, 123, L"123"},
      {L"TimTimeMin", &P::TimTimeMin, 5, L"05"},  // two digits
      {L"TimTimeSec", &P::TimTimeSec, 0, L"00"},
      {L"", nullptr, 0, L""},  // unknown or miscased keys: empty text, and still 1
      {L"intype", nullptr, 0, L""},
      {L"InType ", nullptr, 0, L""},
      {L"CapComputer", nullptr, 0, L""},
      {L"SetStorageFolder", nullptr, 0, L""},
  };
  for (const auto& c : cases) {
    CaptureProfile p = Zeroed();
    if (c.field) p.*c.field = c.value;
    int result = -1;
    EXPECT_EQ(Text(p, c.key, &result), c.text) << c.key << " " << c.value;
    EXPECT_EQ(result, 1) << c.key;
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
