#include "profiles/profile_files.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "capture/profile_values.h"
#include "profiles/file_io.h"

namespace kx {
namespace {

// Far beyond any real list (about 100 000 records); keeps a foreign giant file from
// exhausting memory.
constexpr size_t kMaxProfileFileBytes = 256u << 20;

size_t StoredNameLength(const ProfileRecord& record) {
  size_t length = 0;
  while (length < kProfileNameChars && record.name[length] != 0) ++length;
  return length;
}

}  // namespace

bool ProfileNameEquals(const ProfileRecord& record, const wchar_t* name) {
  const size_t length = StoredNameLength(record);
  return wcslen(name) == length && std::memcmp(record.name, name, length * sizeof(wchar_t)) == 0;
}

int LoadProfileList(ProfileList& list, const std::wstring& folder) {
  Bytes bytes;
  if (!ReadWholeFile(PathInFolder(folder, kProfileListFile), kMaxProfileFileBytes, bytes)) return 0;
  return DecodeProfileList(bytes.data(), bytes.size(), list) ? 1 : 0;
}

int SaveProfileList(const ProfileList& list, const std::wstring& folder) {
  return ReplaceFileContents(PathInFolder(folder, kProfileListFile), EncodeProfileList(list)) ? 1
                                                                                              : 0;
}

int FindProfile(const ProfileList& list, const wchar_t* name, const CaptureProfile& defaults,
                CaptureProfile& target) {
  if (wcscmp(name, kDefaultProfileName) == 0) {
    target = defaults;
    return 1;
  }
  for (const ProfileRecord& record : list) {
    if (ProfileNameEquals(record, name)) {
      target = record.profile;
      return 1;
    }
  }
  return 0;
}

CaptureStatus AddProfile(ProfileList& list, const CaptureProfile& profile, const wchar_t* name) {
  for (const ProfileRecord& record : list)
    if (ProfileNameEquals(record, name)) return kStatusSameNameExists;
  for (const ProfileRecord& record : list)
    if (ProfilesEqual(record.profile, profile)) return kStatusSameProfileExists;
  ProfileRecord added;
  std::memset(&added, 0, sizeof(added));
  const size_t length = std::min(wcslen(name), kProfileNameChars - 1);
  std::memcpy(added.name, name, length * sizeof(wchar_t));
  added.profile = profile;
  list.insert(list.begin(), added);
  return kStatusOk;
}

int RemoveProfile(ProfileList& list, const wchar_t* name) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (ProfileNameEquals(*it, name)) {
      list.erase(it);
      return 1;
    }
  }
  return 0;
}

int LoadCurrentProfile(CaptureProfile& target, const std::wstring& folder) {
  Bytes bytes;
  if (!ReadWholeFile(PathInFolder(folder, kCurrentProfileFile), kMaxProfileFileBytes, bytes))
    return 0;
  return DecodeCurrentProfile(bytes.data(), bytes.size(), target) ? 1 : 0;
}

int SaveCurrentProfile(const CaptureProfile& profile, const std::wstring& folder) {
  return ReplaceFileContents(PathInFolder(folder, kCurrentProfileFile),
                             EncodeCurrentProfile(profile))
             ? 1
             : 0;
}

}  // namespace kx
