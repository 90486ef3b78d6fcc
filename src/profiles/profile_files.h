// The two profile files and the list of stored profiles.
// Every function that touches a file takes the folder that holds it; an empty folder means
// the current directory, which start-up makes the program's data folder.
#pragma once

#include <string>

#include "capture/capture_profile.h"
#include "capture/capture_status.h"
#include "profiles/profile_codec.h"

namespace kx {

inline constexpr const wchar_t* kProfileListFile = L"Profiles.db";
inline constexpr const wchar_t* kCurrentProfileFile = L"Profile.db";
inline constexpr const wchar_t* kDefaultProfileName = L"Default";
// The Save Profile window stores no more than this; reading a longer file is fine.
inline constexpr size_t kMaxStoredProfiles = 10;

// What the two profile windows work on, all of it owned by the program state: the settings
// in force, the built-in defaults and the stored list.
struct ProfileBook {
  CaptureProfile& current;
  const CaptureProfile& defaults;
  ProfileList& stored;
};

// Replaces `list` with the records of Profiles.db. 1 on success; 0 leaves `list` untouched.
int LoadProfileList(ProfileList& list, const std::wstring& folder = {});
// Rewrites Profiles.db from the list. 1 on success; a failure leaves the old file intact.
int SaveProfileList(const ProfileList& list, const std::wstring& folder = {});

// "Default" always yields `defaults` (the built-in profile the program made from the user's
// Pictures folder); other names are looked up in file order.
int FindProfile(const ProfileList& list, const wchar_t* name, const CaptureProfile& defaults,
                CaptureProfile& target);
// 0 and the new record at the head, or kStatusSameNameExists / kStatusSameProfileExists.
CaptureStatus AddProfile(ProfileList& list, const CaptureProfile& profile, const wchar_t* name);
// Removes the first record of that name; 1 when one was removed.
int RemoveProfile(ProfileList& list, const wchar_t* name);
bool ProfileNameEquals(const ProfileRecord& record, const wchar_t* name);

int LoadCurrentProfile(CaptureProfile& target, const std::wstring& folder = {});
int SaveCurrentProfile(const CaptureProfile& profile, const std::wstring& folder = {});

}  // namespace kx
