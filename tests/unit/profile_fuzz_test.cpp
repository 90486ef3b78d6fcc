// Hostile profile files, seeded: random bytes, every truncation and every single-bit flip of
// valid files, and valid files whose text fields have no end or whose words hold the largest
// number, through both loaders' decoding. Only a well-formed file is taken, and then exactly;
// a refused one leaves the target as it was. Every taken record is then used as the program
// uses it (value texts, list names, the capture's path, one capture per text case) from a copy
// that ends where a page nobody may read begins, so that a read past a field faults here.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "capture/capture_image.h"
#include "capture/gdiplus_handles.h"
#include "capture/output_plan.h"
#include "capture/post_process.h"
#include "capture/profile_values.h"
#include "profiles/profile_codec.h"
#include "profiles/profile_files.h"

namespace kx {
namespace {

// A copy of T that ends exactly at a no-access page.
template <class T>
class Guarded {
 public:
  explicit Guarded(const T& value) {
    const size_t pages = (sizeof(T) + 4095) / 4096;
    base_ = static_cast<uint8_t*>(
        VirtualAlloc(nullptr, (pages + 1) * 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(base_ + pages * 4096, 4096, PAGE_NOACCESS, &old);
    at_ = reinterpret_cast<T*>(base_ + pages * 4096 - sizeof(T));
    std::memcpy(static_cast<void*>(at_), &value, sizeof(T));
  }
  ~Guarded() { VirtualFree(base_, 0, MEM_RELEASE); }
  T& operator*() { return *at_; }

 private:
  uint8_t* base_ = nullptr;
  T* at_ = nullptr;
};

// A record as the program uses it: its value texts and the capture's path; with `capture`, one
// small area capture, written wherever its folder says or refused.
void UseAsTheProgramDoes(const CaptureProfile& taken, bool capture) {
  Guarded<CaptureProfile> p(taken);
  wchar_t text[kValueTextChars];
  for (const wchar_t* key : {L"InType", L"InTrans", L"OutType", L"OutFilename", L"OutFormat",
                             L"CapPosition", L"TimTimeHour", L"OutJPEGQuality"})
    ProfileValueText(*p, key, text);
  ASSERT_LE(CaptureFilePath(*p).size(), kStorageFolderChars + kLastNameChars);
  if (!capture) return;
  (*p).InType = 2, (*p).InRect = {0, 0, 8, 8};
  (*p).OptSound = (*p).OptView = (*p).OptEdit = (*p).OutType = 0;
  CaptureImage holder(nullptr);
  ProcessCapture(holder, *p);
}

TEST(ProfileFuzz, HostileFilesAreRefusedOrTakenExactlyAndTheirTextStaysInItsField) {
  const char* given = std::getenv("KX_FUZZ_SEED");
  const uint32_t seed = given ? uint32_t(std::strtoul(given, nullptr, 10)) : 20261207u;
  std::mt19937 random(seed);
  GdiplusSession gdiplus;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  ProfileRecord named = {};
  std::memcpy(named.name, u"Named", 10);
  BuildDefaultProfile(named.profile, std::wstring(temp) + L"kx-fuzz");
  CaptureProfile before;
  std::memset(&before, 0xAB, sizeof(before));

  // Taken exactly when well formed, else the target untouched; what is taken is used.
  auto takesProfile = [&](const Bytes& b) {
    CaptureProfile target = before;
    const bool took = DecodeCurrentProfile(b.data(), b.size(), target);
    if (took != (!b.empty() && b.size() % sizeof(CaptureProfile) == 0)) return false;
    if (took) UseAsTheProgramDoes(target, false);
    return std::memcmp(&target, took ? b.data() : static_cast<void*>(&before), sizeof(target)) == 0;
  };
  auto takesList = [&](const Bytes& b) {
    ProfileList list(1, named);
    const bool took = DecodeProfileList(b.data(), b.size(), list);
    const size_t records = b.size() < 8 ? 0 : (b.size() - 8) / sizeof(ProfileRecord);
    if (took != (b.size() >= 8 && b.size() == 8 + records * sizeof(ProfileRecord) &&
                 std::memcmp(b.data(), "TSEK\1\0\0\0", 8) == 0))
      return false;
    if (!took) return list.size() == 1 && std::memcmp(&list[0], &named, sizeof(named)) == 0;
    for (size_t i = 0; i < list.size(); ++i) {
      Guarded<ProfileRecord> r(list[i]);
      if (FieldText((*r).name).size() > kProfileNameChars) return false;
      ProfileNameEquals(*r, L"A name");
      UseAsTheProgramDoes((*r).profile, false);
      if (std::memcmp(&list[i], b.data() + 8 + i * sizeof(ProfileRecord), 2468)) return false;
    }
    return list.size() == records;
  };
  const Bytes oneProfile = EncodeCurrentProfile(named.profile);
  Bytes twoProfiles = oneProfile;
  twoProfiles.insert(twoProfiles.end(), oneProfile.begin(), oneProfile.end());
  const size_t folder = offsetof(CaptureProfile, SetStorageFolder),
               lastName = offsetof(CaptureProfile, OutLastName);
  const struct {
    const char* file;
    Bytes valid;
    std::function<bool(const Bytes&)> check;
    size_t recordAt;                                // where the first record's words are
    std::vector<std::pair<size_t, size_t>> texts;  // offset and bytes of each text field
  } loaders[] = {
      {"Profile.db", twoProfiles, takesProfile, 0,
       {{folder, 2 * kStorageFolderChars}, {lastName, 2 * kLastNameChars}}},
      {"Profiles.db", EncodeProfileList({named, named, named}), takesList, 8 + 164,
       {{8, 2 * kProfileNameChars},
        {8 + 164 + folder, 2 * kStorageFolderChars},
        {8 + 164 + lastName, 2 * kLastNameChars}}},
  };
  for (const auto& c : loaders) {
    int files = 0, wrong = 0;
    auto check = [&](const Bytes& b) { wrong += !c.check(b), ++files; };
    for (size_t n = 0; n <= c.valid.size() + 8; ++n) {  // every truncation, and a few bytes more
      Bytes b = c.valid;
      b.resize(n, 0x5A);
      check(b);
    }
    for (size_t bit = 0; bit < c.valid.size() * 8; ++bit) {
      Bytes b = c.valid;
      b[bit / 8] ^= uint8_t(1 << bit % 8);
      check(b);
    }
    for (auto [offset, bytes] : c.texts) {  // a text without an end, also in a capture
      Bytes b = c.valid;
      std::memset(b.data() + offset, 'Z', bytes);
      check(b);
      CaptureProfile p;
      std::memcpy(&p, b.data() + c.recordAt, sizeof(p));
      UseAsTheProgramDoes(p, true);
    }
    Bytes largest = c.valid;  // every word of the first record the largest number
    std::memset(largest.data() + c.recordAt, 0xFF, folder);
    check(largest);
    const size_t sizes[] = {0, 1, 7, 8, 2304, 2472, 2480, 4608, 4952};
    while (files < 100000) {
      Bytes b(sizes[random() % 9] + (random() % 4 ? 0 : random() % 5000));
      for (uint8_t& byte : b) byte = uint8_t(random());
      if (c.recordAt && b.size() >= 8 && random() % 2) std::memcpy(b.data(), "TSEK\1\0\0\0", 8);
      check(b);
    }
    EXPECT_EQ(wrong, 0) << c.file;
    std::printf("%s: %d hostile files, seed %u (KX_FUZZ_SEED)\n", c.file, files, seed);
  }
}

}  // namespace
}  // namespace kx
