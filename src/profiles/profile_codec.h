// Byte images of the two profile files, apart from any file I/O so they can be tested and
// fuzzed on plain buffers.
//   Profiles.db: "TSEK", version 1, then N records of 2472 bytes (no count field).
//   Profile.db : one 2304-byte CaptureProfile; a larger multiple of it is accepted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/capture_profile.h"

namespace kx {

inline constexpr size_t kProfileNameChars = 82;
inline constexpr uint32_t kProfileListMagic = 0x4B455354;  // "TSEK" read as little-endian
inline constexpr uint32_t kProfileListVersion = 1;
inline constexpr size_t kProfileListHeaderBytes = 8;

struct ProfileRecord {
  char16_t name[kProfileNameChars];  // NUL-terminated, zero-padded
  CaptureProfile profile;
  uint32_t next;  // a link slot in the stored layout; always written as 0, never read
};

static_assert(sizeof(ProfileRecord) == 2472);
static_assert(offsetof(ProfileRecord, profile) == 164);
static_assert(offsetof(ProfileRecord, next) == 2468);

// The stored profiles in file order, head first.
using ProfileList = std::vector<ProfileRecord>;

using Bytes = std::vector<uint8_t>;

Bytes EncodeProfileList(const ProfileList& list);
// Fills `list` and returns true only for a well-formed file; otherwise `list` is untouched.
bool DecodeProfileList(const uint8_t* data, size_t size, ProfileList& list);

Bytes EncodeCurrentProfile(const CaptureProfile& profile);
// Takes the first record of a non-empty multiple of 2304 bytes; otherwise `target` is untouched.
bool DecodeCurrentProfile(const uint8_t* data, size_t size, CaptureProfile& target);

}  // namespace kx
