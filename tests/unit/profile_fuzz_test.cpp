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

const wchar_t* const kKeys[] = {L"InType",    L"InTrans",     L"OutType",    L"OutFilename",
                                L"OutFormat", L"OutJPEGQuality", L"CapStatus", L"CapPosition",
                                L"CapTrans",  L"BorStatus",   L"BorWidth",   L"ScaStatus",
                                L"ScaWidth",  L"ScaHeight",   L"TimStatus",  L"TimTimeHour",
                                L"TimTimeMin", L"TimTimeSec"};

void UseAsTheProgramDoes(const CaptureProfile& taken, bool capture) {
  Guarded<CaptureProfile> p(taken);
  wchar_t text[kValueTextChars];
  for (const wchar_t* key : kKeys) ProfileValueText(*p, key, text);
  ASSERT_LE(CaptureFilePath(*p).size(), kStorageFolderChars + kLastNameChars);
  if (!capture) return;
  (*p).InType = 2;  // a small area, written wherever its folder says, or refused
  (*p).InRect = {0, 0, 8, 8};
  (*p).OptSound = (*p).OptView = (*p).OptEdit = (*p).OutType = 0;
  CaptureImage holder(nullptr);
  ProcessCapture(holder, *p);
}

void UseAsTheListDoes(const ProfileRecord& taken) {
  Guarded<ProfileRecord> r(taken);
  ASSERT_LE(FieldText((*r).name).size(), kProfileNameChars);
  ProfileNameEquals(*r, L"A name");
  UseAsTheProgramDoes((*r).profile, false);
}

TEST(ProfileFuzz, HostileFilesAreRefusedOrTakenExactlyAndTheirTextStaysInItsField) {
  const char* given = std::getenv("KX_FUZZ_SEED");
  const uint32_t seed = given ? uint32_t(std::strtoul(given, nullptr, 10)) : 20261207u;
  std::mt19937 random(seed);
  GdiplusSession gdiplus;

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  CaptureProfile sample;
  BuildDefaultProfile(sample, std::wstring(temp) + L"kx-fuzz");
  ProfileRecord named = {};
  std::memcpy(named.name, u"Named", 10);
  named.profile = sample;
  CaptureProfile before;
  std::memset(&before, 0xAB, sizeof(before));

  auto takesProfile = [&](const Bytes& b) {
    CaptureProfile target = before;
    const bool took = DecodeCurrentProfile(b.data(), b.size(), target);
    if (took != (!b.empty() && b.size() % sizeof(CaptureProfile) == 0)) return false;
    if (!took) return std::memcmp(&target, &before, sizeof(target)) == 0;
    UseAsTheProgramDoes(target, false);
    return std::memcmp(&target, b.data(), sizeof(target)) == 0;
  };
  auto takesList = [&](const Bytes& b) {
    ProfileList list(1, named);
    const bool took = DecodeProfileList(b.data(), b.size(), list);
    const bool well = b.size() >= 8 && (b.size() - 8) % sizeof(ProfileRecord) == 0 &&
                      std::memcmp(b.data(), "TSEK\1\0\0\0", 8) == 0;
    if (took != well) return false;
    if (!took) return list.size() == 1 && std::memcmp(&list[0], &named, sizeof(named)) == 0;
    if (list.size() != (b.size() - 8) / sizeof(ProfileRecord)) return false;
    for (size_t i = 0; i < list.size(); ++i) {
      UseAsTheListDoes(list[i]);
      if (std::memcmp(&list[i], b.data() + 8 + i * sizeof(ProfileRecord), 2468)) return false;
    }
    return true;
  };
  const Bytes oneProfile = EncodeCurrentProfile(sample);
  Bytes twoProfiles = oneProfile;
  twoProfiles.insert(twoProfiles.end(), oneProfile.begin(), oneProfile.end());
  const Bytes list = EncodeProfileList({named, named, named});

  struct Case {
    const char* file;
    Bytes valid;
    std::function<bool(const Bytes&)> check;
    std::vector<std::pair<size_t, size_t>> texts;  // offset and bytes of each text field
    size_t recordAt, recordStep;                  // where the records' words are
  } loaders[] = {
      {"Profile.db", twoProfiles, takesProfile,
       {{offsetof(CaptureProfile, SetStorageFolder), 2 * kStorageFolderChars},
        {offsetof(CaptureProfile, OutLastName), 2 * kLastNameChars}},
       0, sizeof(CaptureProfile)},
      {"Profiles.db", list, takesList,
       {{8, 2 * kProfileNameChars},
        {8 + 164 + offsetof(CaptureProfile, SetStorageFolder), 2 * kStorageFolderChars},
        {8 + 164 + offsetof(CaptureProfile, OutLastName), 2 * kLastNameChars}},
       8 + 164, sizeof(ProfileRecord)},
  };
  for (const Case& c : loaders) {
    SCOPED_TRACE(c.file);
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
    for (auto [offset, bytes] : c.texts) {  // a text without an end, used as a capture would
      Bytes b = c.valid;
      std::memset(b.data() + offset, 'Z', bytes);
      check(b);
      CaptureProfile p;
      std::memcpy(&p, b.data() + c.recordAt, sizeof(p));
      UseAsTheProgramDoes(p, true);
    }
    Bytes largest = c.valid;  // every word of the first record the largest number
    std::memset(largest.data() + c.recordAt, 0xFF, offsetof(CaptureProfile, SetStorageFolder));
    check(largest);
    const size_t sizes[] = {0, 1, 7, 8, 2304, 2472, 2480, 4608, 4952};
    while (files < 100000) {
      Bytes b(sizes[random() % 9] + (random() % 4 ? 0 : random() % 5000));
      for (uint8_t& byte : b) byte = uint8_t(random());
      if (c.valid[0] == 'T' && b.size() >= 8 && random() % 2) std::memcpy(b.data(), "TSEK\1\0\0\0", 8);
      check(b);
    }
    EXPECT_EQ(wrong, 0);
    std::printf("%s: %d hostile files, seed %u (KX_FUZZ_SEED)\n", c.file, files, seed);
  }
}

}  // namespace
}  // namespace kx
