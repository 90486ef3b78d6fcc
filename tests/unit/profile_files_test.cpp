// The two profile files on disk: exact bytes, every rejection rule, the list rules, and
// writes that fail without harming the previous file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "capture/profile_values.h"
#include "capture/user_folders.h"
#include "profiles/file_io.h"
#include "profiles/profile_files.h"
#include "temp_folder.h"

namespace kx {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

constexpr size_t kRecord = 2472, kCurrent = 2304;

void PutWord(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// A Profiles.db image built byte by byte from the layout, independent of the codec.
Bytes HandMadeListFile(const std::vector<std::pair<std::wstring, uint32_t>>& records,
                       uint32_t nextSlot = 0) {
  Bytes b(8 + kRecord * records.size(), 0);
  std::memcpy(b.data(), "TSEK\1", 5);
  for (size_t i = 0; i < records.size(); ++i) {
    size_t at = 8 + i * kRecord;
    for (size_t c = 0; c < records[i].first.size(); ++c)
      PutWord(b, at + 2 * c, records[i].first[c]);
    PutWord(b, at + 164 + 84, records[i].second);  // BorWidth
    PutWord(b, at + 164 + 156, 'C');               // SetStorageFolder[0]
    PutWord(b, at + 2468, nextSlot);
  }
  return b;
}

std::wstring Name(const ProfileRecord& r) {
  return reinterpret_cast<const wchar_t*>(r.name);
}

CaptureProfile WithBorder(uint32_t width) {
  CaptureProfile p;
  BuildDefaultProfile(p, UserPicturesFolder());
  p.BorWidth = width;
  return p;
}

TEST(ProfileListFile, RoundTripsTheBytesWithZeroLinksAndAHeaderOnlyFileIsAnEmptyList) {
  TempFolder folder;
  const std::wstring path = folder.File(L"Profiles.db");
  ASSERT_TRUE(WriteBytes(
      path, HandMadeListFile({{L"Alpha", 3}, {L"Beta", 9}, {L"Gamma", 27}}, 0xDEADBEEF)));
  ProfileList list;
  ASSERT_EQ(LoadProfileList(list, folder.Path()), 1);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(Name(list[0]) + Name(list[2]), L"AlphaGamma");
  EXPECT_EQ(list[1].profile.BorWidth, 9u);
  EXPECT_EQ(list[1].profile.SetStorageFolder[0], u'C');
  ASSERT_EQ(SaveProfileList(list, folder.Path()), 1);
  EXPECT_EQ(ReadBytes(path), HandMadeListFile({{L"Alpha", 3}, {L"Beta", 9}, {L"Gamma", 27}}));
  EXPECT_FALSE(test::FileExists(path + L".tmp"));
  ASSERT_TRUE(WriteBytes(path, HandMadeListFile({})));
  ASSERT_EQ(LoadProfileList(list, folder.Path()), 1);
  EXPECT_TRUE(list.empty());
  ASSERT_EQ(SaveProfileList(list, folder.Path()), 1);
  EXPECT_EQ(ReadBytes(path), HandMadeListFile({}));
}

TEST(ProfileListFile, RejectedFilesLeaveTheListUntouched) {
  const Bytes good = HandMadeListFile({{L"Kept", 5}});
  Bytes wrongMagic = good, version2 = good, tooLong = good;
  wrongMagic[0] = 'K';
  version2[4] = 2;
  tooLong.push_back(0);
  const std::pair<const char*, Bytes> rejected[] = {
      {"7 bytes", Bytes(good.begin(), good.begin() + 7)},
      {"0 bytes", Bytes{}},
      {"one byte short", Bytes(good.begin(), good.end() - 1)},
      {"one byte over", tooLong},
      {"wrong magic", wrongMagic},
      {"version 2", version2},
      {"no file", {}},
  };
  for (const auto& [what, bytes] : rejected) {
    TempFolder folder;
    ASSERT_TRUE(what[0] == 'n' || WriteBytes(folder.File(L"Profiles.db"), bytes));
    ProfileList list;
    ASSERT_EQ(AddProfile(list, WithBorder(44), L"Before"), kStatusOk);
    EXPECT_EQ(LoadProfileList(list, folder.Path()), 0) << what;
    ASSERT_EQ(list.size(), 1u) << what;
    EXPECT_EQ(Name(list[0]), L"Before") << what;
  }
}

TEST(ProfileList, AddedGoesFirstAndNamesAreCheckedBeforeContent) {
  TempFolder folder;
  ASSERT_TRUE(
      WriteBytes(folder.File(L"Profiles.db"), HandMadeListFile({{L"Old1", 1}, {L"Old2", 2}})));
  ProfileList list;
  ASSERT_EQ(LoadProfileList(list, folder.Path()), 1);
  ASSERT_EQ(AddProfile(list, WithBorder(77), L"New"), kStatusOk);
  ASSERT_EQ(SaveProfileList(list, folder.Path()), 1);
  Bytes written = ReadBytes(folder.File(L"Profiles.db"));
  ASSERT_EQ(written.size(), 8 + 3 * kRecord);
  EXPECT_EQ(written[8], 'N');
  EXPECT_EQ(written[8 + 164 + 84], 77);
  EXPECT_EQ(written[8 + kRecord + 6], '1');
  EXPECT_EQ(written[8 + 2 * kRecord + 6], '2');

  // The name is checked across the whole list before the content; case matters. Refusals,
  // loading, deleting and the defaults are checked end to end in the profile windows.
  EXPECT_EQ(AddProfile(list, list[1].profile, L"Old1"), kStatusSameNameExists);
  EXPECT_EQ(AddProfile(list, WithBorder(99), L"Old2"), kStatusSameNameExists);
  EXPECT_EQ(AddProfile(list, list[2].profile, L"Third"), kStatusSameProfileExists);
  CaptureProfile differsInLastName = list[2].profile;
  differsInLastName.OutLastName[0] = u'\\';
  EXPECT_EQ(AddProfile(list, differsInLastName, L"old2"), kStatusOk);
  ASSERT_EQ(list.size(), 4u);

  const CaptureProfile defaults = {};
  CaptureProfile target;
  Bytes file = HandMadeListFile({{std::wstring(82, L'x'), 1}});  // an unterminated name
  ASSERT_TRUE(DecodeProfileList(file.data(), file.size(), list));
  for (size_t length : {81u, 82u, 83u})
    EXPECT_EQ(FindProfile(list, std::wstring(length, L'x').c_str(), defaults, target),
              int(length == 82));
}

TEST(CurrentProfileFile, RoundTripsTheExactRecordAndBadSizesLeaveTheTarget) {
  TempFolder folder;
  const std::wstring path = folder.File(L"Profile.db");
  CaptureProfile p = WithBorder(31);
  p.InRect = {-5, 6, 700, 800};
  p.OutLastName[3] = u'z';
  ASSERT_EQ(SaveCurrentProfile(p, folder.Path()), 1);
  Bytes bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), kCurrent);
  EXPECT_EQ(bytes[84], 31);
  EXPECT_EQ(bytes[12], 0xFB);  // -5, little-endian
  EXPECT_EQ(bytes[15], 0xFF);
  EXPECT_EQ(bytes[2204 + 6], 'z');
  CaptureProfile loaded = {};
  ASSERT_EQ(LoadCurrentProfile(loaded, folder.Path()), 1);
  EXPECT_TRUE(ProfilesEqual(loaded, p));

  Bytes two = bytes;  // two records: the first counts
  Bytes tail = EncodeCurrentProfile(WithBorder(2));
  two.insert(two.end(), tail.begin(), tail.end());
  for (const Bytes& bad :
       {Bytes{}, Bytes(bytes.begin(), bytes.end() - 1), Bytes(kCurrent + 1, 0)}) {
    ASSERT_TRUE(WriteBytes(path, bad));
    CaptureProfile target = WithBorder(55);
    EXPECT_EQ(LoadCurrentProfile(target, folder.Path()), 0) << bad.size();
    EXPECT_TRUE(ProfilesEqual(target, WithBorder(55))) << bad.size();
  }
  ASSERT_TRUE(WriteBytes(path, two));
  ASSERT_EQ(LoadCurrentProfile(loaded, folder.Path()), 1);
  EXPECT_TRUE(ProfilesEqual(loaded, p));
}

// A writer that puts half the bytes on disk and then fails, like a full disk.
bool WriteHalfThenFail(HANDLE file, const uint8_t* data, size_t size) {
  WriteAllBytes(file, data, size / 2);
  return false;
}

TEST(ProfileFileWrites, AFailedWriteLeavesThePreviousFileByteIdentical) {
  TempFolder folder;
  const Bytes before = HandMadeListFile({{L"Safe", 4}});
  const std::wstring path = folder.File(L"Profiles.db");
  ASSERT_TRUE(WriteBytes(path, before));
  ProfileList list;
  AddProfile(list, WithBorder(9), L"Lost");
  EXPECT_FALSE(ReplaceFileContents(path, EncodeProfileList(list), WriteHalfThenFail));
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(test::FileExists(path + L".tmp"));
}

}  // namespace
}  // namespace kx
