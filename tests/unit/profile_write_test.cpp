// The one profile-file rule no session can bring about: a write that fails half way, as on a
// full disk, leaves the previous file byte for byte and no temp file behind.
#include <gtest/gtest.h>
#include <windows.h>

#include "profiles/file_io.h"

namespace kx {
namespace {

bool WriteHalfThenFail(HANDLE file, const uint8_t* data, size_t size) {
  WriteAllBytes(file, data, size / 2);
  return false;
}

TEST(ProfileFileWrites, AFailedWriteLeavesThePreviousFileByteIdentical) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"kx-profile-write-test.db";
  const Bytes before = {'T', 'S', 'E', 'K', 1, 0, 0, 0};
  ASSERT_TRUE(ReplaceFileContents(path, before));
  EXPECT_FALSE(ReplaceFileContents(path, Bytes(2472, 'x'), WriteHalfThenFail));
  Bytes after;
  EXPECT_TRUE(ReadWholeFile(path, 4096, after));
  EXPECT_EQ(after, before);
  EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace kx
