// The two profile files on disk: exact bytes, every rejection rule, the list rules, and
// writes that fail without harming the previous file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <random>
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

constexpr size_t kRecord = 2472;

void PutWord(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// A Profiles.db image built byte by byte from the layout, independent of the codec.
Bytes HandMadeListFile(const std::vector<std::pair<std::wstring, uint32_t>>& records,
                       uint32_t nextSlot = 0) {
  Bytes b(8 + kRecord * records.size(), 0);
  std::memcpy(b.data(), "TSEK", 4);
  PutWord(b, 4, 1);
  for (size_t i = 0; i < records.size(); ++i) {
    size_t at = 8 + i * kRecord;
    for (size_t c = 0; c < records[i].first.size(); ++c) {
      b[at + 2 * c] = uint8_t(records[i].first[c]);
      b[at + 2 * c + 1] = uint8_t(records[i].first[c] >> 8);
    }
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

TEST(ProfileListFile, LoadsRecordsInFileOrderAndWritesTheSameBytesBack) {
  TempFolder folder;
  const Bytes original = HandMadeListFile({{L"Alpha", 3}, {L"Beta", 9}, {L"Gamma", 27}});
  ASSERT_TRUE(WriteBytes(folder.File(L"Profiles.db"), original));
  ProfileList list;
  ASSERT_EQ(LoadProfileList(list, folder.Path()), 1);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(Name(list[0]), L"Alpha");
  EXPECT_EQ(Name(list[2]), L"Gamma");
  EXPECT_EQ(list[1].profile.BorWidth, 9u);
  EXPECT_EQ(list[1].profile.SetStorageFolder[0], u'C');
  ASSERT_EQ(SaveProfileList(list, folder.Path()), 1);
  EXPECT_EQ(ReadBytes(folder.File(L"Profiles.db")), original);
  EXPECT_FALSE(test::FileExists(folder.File(L"Profiles.db.tmp")));
}

TEST(ProfileListFile, IgnoresStoredLinksAndWritesZeroInThem) {
  TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder.File(L"Profiles.db"),
                         HandMadeListFile({{L"One", 1}, {L"Two", 2}}, 0xDEADBEEF)));
  ProfileList list;
  ASSERT_EQ(LoadProfileList(list, folder.Path()), 1);
  ASSERT_EQ(SaveProfileList(list, folder.Path()), 1);
  EXPECT_EQ(ReadBytes(folder.File(L"Profiles.db")), HandMadeListFile({{L"One", 1}, {L"Two", 2}}));
}

TEST(ProfileListFile, HeaderOnlyIsAnEmptyListAndAnEmptyListWritesTheHeader) {
  TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder.File(L"Profiles.db"), HandMadeListFile({})));
  ProfileList list(2);
  ASSERT_EQ(LoadProfileList(list, folder.Path()), 1);
  EXPECT_TRUE(list.empty());
  ASSERT_EQ(SaveProfileList(list, folder.Path()), 1);
  EXPECT_EQ(ReadBytes(folder.File(L"Profiles.db")), (Bytes{'T', 'S', 'E', 'K', 1, 0, 0, 0}));
}

TEST(ProfileListFile, RejectedFilesLeaveTheListUntouched) {
  const Bytes good = HandMadeListFile({{L"Kept", 5}});
  Bytes wrongMagic = good;
  wrongMagic[0] = 'K';
  Bytes version2 = good;
  version2[4] = 2;
  Bytes tooLong = good;
  tooLong.push_back(0);
  const std::pair<const char*, Bytes> rejected[] = {
      {"7 bytes", Bytes{'T', 'S', 'E', 'K', 1, 0, 0}},
      {"0 bytes", Bytes{}},
      {"2479 bytes", Bytes(good.begin(), good.end() - 1)},
      {"one byte over", tooLong},
      {"wrong magic", wrongMagic},
      {"version 2", version2},
  };
  for (const auto& [what, bytes] : rejected) {
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"Profiles.db"), bytes));
    ProfileList list;
    ASSERT_EQ(AddProfile(list, WithBorder(44), L"Before"), kStatusOk);
    EXPECT_EQ(LoadProfileList(list, folder.Path()), 0) << what;
    ASSERT_EQ(list.size(), 1u) << what;
    EXPECT_EQ(Name(list[0]), L"Before") << what;
  }
  TempFolder empty;
  ProfileList list;
  EXPECT_EQ(LoadProfileList(list, empty.Path()), 0);  // no file at all
  EXPECT_TRUE(list.empty());
}

TEST(ProfileListFile, EmptyFolderMeansTheCurrentDirectory) {
  TempFolder folder;
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
  ProfileList list;
  AddProfile(list, WithBorder(2), L"Here");
  EXPECT_EQ(SaveProfileList(list), 1);
  CaptureProfile current = WithBorder(8);
  EXPECT_EQ(SaveCurrentProfile(current), 1);
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(ReadBytes(folder.File(L"Profiles.db")).size(), 8 + kRecord);
  EXPECT_EQ(ReadBytes(folder.File(L"Profile.db")).size(), 2304u);
}

TEST(ProfileList, AddedProfileGoesFirstInTheNextFile) {
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
  EXPECT_EQ(written[8 + kRecord], 'O');
  EXPECT_EQ(written[8 + kRecord + 6], '1');
  EXPECT_EQ(written[8 + 2 * kRecord + 6], '2');
}

TEST(ProfileList, NameIsCheckedAcrossTheWholeListBeforeContent) {
  ProfileList list;
  ASSERT_EQ(AddProfile(list, WithBorder(1), L"First"), kStatusOk);
  ASSERT_EQ(AddProfile(list, WithBorder(2), L"Second"), kStatusOk);
  // Same content as "First" and the name of "First": the name wins even though the content
  // check would also fail.
  EXPECT_EQ(AddProfile(list, WithBorder(1), L"First"), kStatusSameNameExists);
  EXPECT_EQ(AddProfile(list, WithBorder(99), L"First"), kStatusSameNameExists);
  EXPECT_EQ(AddProfile(list, WithBorder(1), L"Third"), kStatusSameProfileExists);
  CaptureProfile differsInLastName = WithBorder(1);
  differsInLastName.OutLastName[0] = u'\\';
  EXPECT_EQ(AddProfile(list, differsInLastName, L"first"), kStatusOk);  // case matters
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(Name(list[0]), L"first");
  EXPECT_EQ(Name(list[2]), L"First");
}

TEST(ProfileList, FindByNameAndDefaultIsAlwaysTheBuiltInProfile) {
  ProfileList list;
  ASSERT_EQ(AddProfile(list, WithBorder(5), L"Default"), kStatusOk);
  ASSERT_EQ(AddProfile(list, WithBorder(6), L"Work"), kStatusOk);
  CaptureProfile defaults;
  BuildDefaultProfile(defaults, L"C:\\Pictures");
  CaptureProfile target = WithBorder(123);
  ASSERT_EQ(FindProfile(list, L"Default", defaults, target), 1);
  EXPECT_TRUE(ProfilesEqual(target, defaults));
  ASSERT_EQ(FindProfile(list, L"Work", defaults, target), 1);
  EXPECT_EQ(target.BorWidth, 6u);
  target.BorWidth = 42;
  EXPECT_EQ(FindProfile(list, L"work", defaults, target), 0);
  EXPECT_EQ(FindProfile(list, L"Wor", defaults, target), 0);
  EXPECT_EQ(target.BorWidth, 42u);
  EXPECT_EQ(RemoveProfile(list, L"Work"), 1);
  EXPECT_EQ(RemoveProfile(list, L"Work"), 0);
  EXPECT_EQ(list.size(), 1u);
}

TEST(ProfileList, AnUnterminatedStoredNameDoesNotOverrun) {
  Bytes file = HandMadeListFile({{std::wstring(82, L'x'), 1}});
  ProfileList list;
  ASSERT_TRUE(DecodeProfileList(file.data(), file.size(), list));
  const CaptureProfile defaults = {};
  CaptureProfile target;
  EXPECT_EQ(FindProfile(list, std::wstring(82, L'x').c_str(), defaults, target), 1);
  EXPECT_EQ(FindProfile(list, std::wstring(81, L'x').c_str(), defaults, target), 0);
  EXPECT_EQ(FindProfile(list, std::wstring(83, L'x').c_str(), defaults, target), 0);
}

TEST(CurrentProfileFile, RoundTripsTheExactRecord) {
  TempFolder folder;
  CaptureProfile p = WithBorder(31);
  p.InRect = {-5, 6, 700, 800};
  p.OutLastName[3] = u'z';
  ASSERT_EQ(SaveCurrentProfile(p, folder.Path()), 1);
  Bytes bytes = ReadBytes(folder.File(L"Profile.db"));
  ASSERT_EQ(bytes.size(), 2304u);
  EXPECT_EQ(bytes[84], 31);
  EXPECT_EQ(bytes[12], 0xFB);  // -5, little-endian
  EXPECT_EQ(bytes[15], 0xFF);
  EXPECT_EQ(bytes[2204 + 6], 'z');
  CaptureProfile loaded;
  std::memset(&loaded, 0, sizeof(loaded));
  ASSERT_EQ(LoadCurrentProfile(loaded, folder.Path()), 1);
  EXPECT_TRUE(ProfilesEqual(loaded, p));
}

TEST(CurrentProfileFile, BadSizesLeaveTheTargetAndTwoRecordsGiveTheFirst) {
  CaptureProfile first = WithBorder(1), second = WithBorder(2);
  Bytes two = EncodeCurrentProfile(first);
  Bytes tail = EncodeCurrentProfile(second);
  two.insert(two.end(), tail.begin(), tail.end());
  Bytes oneShort = EncodeCurrentProfile(first);
  oneShort.pop_back();
  Bytes oneLong = EncodeCurrentProfile(first);
  oneLong.push_back(0);
  for (const Bytes& bad : {Bytes{}, oneShort, oneLong}) {
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"Profile.db"), bad));
    CaptureProfile target = WithBorder(55);
    EXPECT_EQ(LoadCurrentProfile(target, folder.Path()), 0) << bad.size();
    EXPECT_TRUE(ProfilesEqual(target, WithBorder(55))) << bad.size();
  }
  TempFolder folder;
  CaptureProfile target = WithBorder(55);
  EXPECT_EQ(LoadCurrentProfile(target, folder.Path()), 0);  // missing file
  ASSERT_TRUE(WriteBytes(folder.File(L"Profile.db"), two));
  ASSERT_EQ(LoadCurrentProfile(target, folder.Path()), 1);
  EXPECT_TRUE(ProfilesEqual(target, first));
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
  AddProfile(list, WithBorder(10), L"Lost too");
  EXPECT_FALSE(ReplaceFileContents(path, EncodeProfileList(list), WriteHalfThenFail));
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(test::FileExists(path + L".tmp"));

  // The temp file cannot be created (a folder is in its way): nothing is written.
  ASSERT_TRUE(CreateDirectoryW((path + L".tmp").c_str(), nullptr));
  EXPECT_EQ(SaveProfileList(list, folder.Path()), 0);
  EXPECT_EQ(ReadBytes(path), before);
  ASSERT_TRUE(WriteBytes(folder.File(L"Profile.db"), EncodeCurrentProfile(WithBorder(3))));
  ASSERT_TRUE(CreateDirectoryW(folder.File(L"Profile.db.tmp").c_str(), nullptr));
  EXPECT_EQ(SaveCurrentProfile(WithBorder(4), folder.Path()), 0);
  EXPECT_EQ(ReadBytes(folder.File(L"Profile.db")), EncodeCurrentProfile(WithBorder(3)));
}

TEST(ProfileFileWrites, AMissingFolderWritesNothing) {
  TempFolder folder;
  const std::wstring missing = folder.File(L"no such folder");
  EXPECT_EQ(SaveProfileList(ProfileList{}, missing), 0);
  EXPECT_EQ(SaveCurrentProfile(WithBorder(1), missing), 0);
  EXPECT_FALSE(test::FileExists(missing));
}

// Random and truncated images, as a damaged disk or a foreign file might give.
TEST(ProfileCodecFuzz, NeverAcceptsAMisSizedImageAndNeverCrashes) {
  std::mt19937 random(20261204);
  const Bytes valid = HandMadeListFile({{L"A", 1}, {L"B", 2}, {L"C", 3}});
  int accepted = 0;
  for (int round = 0; round < 4000; ++round) {
    Bytes bytes;
    switch (round % 3) {
      case 0:  // truncated or extended valid file
        bytes.assign(valid.begin(), valid.begin() + random() % valid.size());
        if (random() % 2) bytes.resize(bytes.size() + random() % 5000, uint8_t(random()));
        break;
      case 1:  // random bytes, sometimes with a good header
        bytes.resize(random() % (4 * kRecord + 16));
        for (auto& b : bytes) b = uint8_t(random());
        if (bytes.size() >= 8 && random() % 2) std::memcpy(bytes.data(), valid.data(), 8);
        break;
      default:  // exactly sized, with a flipped byte somewhere
        bytes = valid;
        bytes.resize(8 + kRecord * (random() % 4));
        if (!bytes.empty()) bytes[random() % bytes.size()] ^= uint8_t(1 + random() % 255);
        break;
    }
    ProfileList list(1);
    const bool ok = DecodeProfileList(bytes.data(), bytes.size(), list);
    const bool wellSized = bytes.size() >= 8 && (bytes.size() - 8) % kRecord == 0;
    const bool goodHeader = bytes.size() >= 8 && std::memcmp(bytes.data(), "TSEK\1\0\0\0", 8) == 0;
    ASSERT_EQ(ok, wellSized && goodHeader) << "round " << round << " size " << bytes.size();
    if (ok) {
      ++accepted;
      ASSERT_EQ(list.size(), (bytes.size() - 8) / kRecord);
    } else {
      ASSERT_EQ(list.size(), 1u);
    }
    CaptureProfile target;
    std::memset(&target, 0x5A, sizeof(target));
    const bool currentOk = DecodeCurrentProfile(bytes.data(), bytes.size(), target);
    ASSERT_EQ(currentOk, !bytes.empty() && bytes.size() % 2304 == 0);
    if (!currentOk) {
      ASSERT_EQ(target.InType, 0x5A5A5A5Au);
    }
  }
  EXPECT_GT(accepted, 100);  // the generator does reach the accepting path

  // The same through real files, on a smaller sample.
  TempFolder folder;
  for (int round = 0; round < 200; ++round) {
    Bytes bytes(valid.begin(), valid.begin() + random() % valid.size());
    ASSERT_TRUE(WriteBytes(folder.File(L"Profiles.db"), bytes));
    ASSERT_TRUE(WriteBytes(folder.File(L"Profile.db"), bytes));
    ProfileList list(1);
    CaptureProfile target = WithBorder(66);
    const bool wellSized = bytes.size() >= 8 && (bytes.size() - 8) % kRecord == 0;
    ASSERT_EQ(LoadProfileList(list, folder.Path()), wellSized ? 1 : 0) << bytes.size();
    ASSERT_EQ(LoadCurrentProfile(target, folder.Path()), bytes.size() && bytes.size() % 2304 == 0);
    if (!wellSized) {
      ASSERT_EQ(list.size(), 1u);
    }
  }
}

}  // namespace
}  // namespace kx
