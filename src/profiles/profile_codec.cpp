#include "profiles/profile_codec.h"

#include <cstring>

namespace kx {
namespace {

void PutWord(Bytes& bytes, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetWord(const uint8_t* data) {
  return uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
         uint32_t(data[3]) << 24;
}

}  // namespace

Bytes EncodeProfileList(const ProfileList& list) {
  Bytes bytes;
  bytes.reserve(kProfileListHeaderBytes + list.size() * sizeof(ProfileRecord));
  PutWord(bytes, kProfileListMagic);
  PutWord(bytes, kProfileListVersion);
  for (const ProfileRecord& record : list) {
    ProfileRecord stored = record;
    stored.next = 0;
    const auto* raw = reinterpret_cast<const uint8_t*>(&stored);
    bytes.insert(bytes.end(), raw, raw + sizeof(stored));
  }
  return bytes;
}

bool DecodeProfileList(const uint8_t* data, size_t size, ProfileList& list) {
  if (size < kProfileListHeaderBytes || (size - kProfileListHeaderBytes) % sizeof(ProfileRecord))
    return false;
  if (GetWord(data) != kProfileListMagic || GetWord(data + 4) != kProfileListVersion) return false;
  const size_t count = (size - kProfileListHeaderBytes) / sizeof(ProfileRecord);
  ProfileList decoded(count);
  for (size_t i = 0; i < count; ++i) {
    std::memcpy(&decoded[i], data + kProfileListHeaderBytes + i * sizeof(ProfileRecord),
                sizeof(ProfileRecord));
    decoded[i].next = 0;
  }
  list = std::move(decoded);
  return true;
}

Bytes EncodeCurrentProfile(const CaptureProfile& profile) {
  const auto* raw = reinterpret_cast<const uint8_t*>(&profile);
  return Bytes(raw, raw + sizeof(profile));
}

bool DecodeCurrentProfile(const uint8_t* data, size_t size, CaptureProfile& target) {
  if (size == 0 || size % sizeof(CaptureProfile) != 0) return false;
  std::memcpy(&target, data, sizeof(CaptureProfile));
  return true;
}

}  // namespace kx
