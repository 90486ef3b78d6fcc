// The rules of the two profile files that the profile windows do not show: which files are
// rejected, where an added profile goes, and a write that fails half way. Their bytes, newest
// first, foreign, locked and damaged files are checked end to end.
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

std::wstring Name(const ProfileRecord& r) {
  return reinterpret_cast<const wchar_t*>(r.name);
}

CaptureProfile WithBorder(uint32_t width) {
  CaptureProfile p;
  BuildDefaultProfile(p, UserPicturesFolder());
  p.BorWidth = width;
  return p;
}

TEST(ProfileListFile, RejectedFilesLeaveTheListUntouched) {
  ProfileList one;
  ASSERT_EQ(AddProfile(one, WithBorder(5), L"Kept"), kStatusOk);
  const Bytes good = EncodeProfileList(one);
  ASSERT_EQ(good.size(), 8u + 2472);
  ASSERT_EQ(std::string(good.begin(), good.begin() + 8), std::string("TSEK\1\0\0\0", 8));
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
  ProfileList list;
  for (auto [width, name] : {std::pair{1u, L"Old2"}, {2u, L"Old1"}, {77u, L"New"}})
    ASSERT_EQ(AddProfile(list, WithBorder(width), name), kStatusOk);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(Name(list[0]) + Name(list[1]) + Name(list[2]), L"NewOld1Old2");
  EXPECT_EQ(list[0].profile.BorWidth, 77u);
  // The name is checked across the whole list before the content; case matters.
  EXPECT_EQ(AddProfile(list, WithBorder(2), L"Old1"), kStatusSameNameExists);
  EXPECT_EQ(AddProfile(list, WithBorder(99), L"Old2"), kStatusSameNameExists);
  EXPECT_EQ(AddProfile(list, WithBorder(1), L"Third"), kStatusSameProfileExists);
  CaptureProfile differsInLastName = WithBorder(1);
  differsInLastName.OutLastName[kLastNameChars - 1] = u'\\';
  EXPECT_EQ(AddProfile(list, differsInLastName, L"old2"), kStatusOk);
  EXPECT_EQ(list.size(), 4u);
}

TEST(CurrentProfileFile, BadSizesLeaveTheTargetAndOfTwoRecordsTheFirstCounts) {
  TempFolder folder;
  const std::wstring path = folder.File(L"Profile.db");
  const Bytes first = EncodeCurrentProfile(WithBorder(31));
  ASSERT_EQ(first.size(), 2304u);
  Bytes two = first, second = EncodeCurrentProfile(WithBorder(2));
  two.insert(two.end(), second.begin(), second.end());
  for (const Bytes& bad : {Bytes{}, Bytes(first.begin(), first.end() - 1), Bytes(2305, 0)}) {
    ASSERT_TRUE(WriteBytes(path, bad));
    CaptureProfile target = WithBorder(55);
    EXPECT_EQ(LoadCurrentProfile(target, folder.Path()), 0) << bad.size();
    EXPECT_TRUE(ProfilesEqual(target, WithBorder(55))) << bad.size();
  }
  ASSERT_TRUE(WriteBytes(path, two));
  CaptureProfile loaded = {};
  ASSERT_EQ(LoadCurrentProfile(loaded, folder.Path()), 1);
  EXPECT_TRUE(ProfilesEqual(loaded, WithBorder(31)));
}

// A writer that puts half the bytes on disk and then fails, like a full disk.
bool WriteHalfThenFail(HANDLE file, const uint8_t* data, size_t size) {
  WriteAllBytes(file, data, size / 2);
  return false;
}

TEST(ProfileFileWrites, AFailedWriteLeavesThePreviousFileByteIdentical) {
  TempFolder folder;
  const std::wstring path = folder.File(L"Profiles.db");
  const Bytes before = {'T', 'S', 'E', 'K', 1, 0, 0, 0};
  ASSERT_TRUE(WriteBytes(path, before));
  ProfileList list;
  AddProfile(list, WithBorder(9), L"Lost");
  EXPECT_FALSE(ReplaceFileContents(path, EncodeProfileList(list), WriteHalfThenFail));
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(test::FileExists(path + L".tmp"));
}

}  // namespace
}  // namespace kx
