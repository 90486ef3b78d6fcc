// The registry helpers against the real (prefix's) registry, in a scratch key.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/registry.h"
#include "app/startup.h"
#include "base/handles.h"

namespace kx {
namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &raw, nullptr),
              ERROR_SUCCESS);
    key.Reset(raw);
  }
  void TearDown() override {
    key.Reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
  }

  static constexpr wchar_t kScratch[] = L"Software\\KestrixTests\\Registry";
  UniqueKey key;
};

TEST_F(RegistryTest, FlagReadsDwordsAsZeroOrOneAndAnythingElseAsTheFallback) {
  EXPECT_EQ(ReadRegistryFlag(key.Get(), L"missing", 0u), 0u);
  EXPECT_EQ(ReadRegistryFlag(key.Get(), L"missing", 7u), 7u);

  ASSERT_EQ(WriteRegistryDword(key.Get(), L"n", 42), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegistryFlag(key.Get(), L"n", 5u), 1u);
  ASSERT_EQ(WriteRegistryDword(key.Get(), L"n", 0), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegistryFlag(key.Get(), L"n", 5u), 0u);

  // A string "1" is not a flag.
  ASSERT_EQ(WriteRegistryString(key.Get(), L"s", L"1"), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegistryFlag(key.Get(), L"s", 0u), 0u);
  EXPECT_EQ(ReadRegistryFlag(key.Get(), L"s", 9u), 9u);
  // Nor is a QWORD, which does not fit the 4-byte buffer.
  ULONGLONG big = 1;
  RegSetValueExW(key.Get(), L"q", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&big), sizeof(big));
  EXPECT_EQ(ReadRegistryFlag(key.Get(), L"q", 3u), 3u);
}

TEST_F(RegistryTest, StringsAreStoredWithTheirTerminatingZero) {
  const wchar_t* text = L"\"C:\\Program Files\\Kestrix\\Kestrix.exe\" /min";
  ASSERT_EQ(WriteRegistryString(key.Get(), L"Run", text), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(key.Get(), L"Run", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, (wcslen(text) + 1) * sizeof(wchar_t));
  wchar_t back[128] = {};
  size = sizeof(back);
  RegQueryValueExW(key.Get(), L"Run", nullptr, nullptr, reinterpret_cast<BYTE*>(back), &size);
  EXPECT_STREQ(back, text);
}

TEST(ProgramProcessName, MatchesOnlyTheExactFileName) {
  EXPECT_TRUE(IsProgramProcessName(L"Kestrix.exe"));
  EXPECT_FALSE(IsProgramProcessName(L"kestrix.exe"));
  EXPECT_FALSE(IsProgramProcessName(L"KESTRIX.EXE"));
  EXPECT_FALSE(IsProgramProcessName(L"Kestrix.exe "));
  EXPECT_FALSE(IsProgramProcessName(L"KestrixCopy.exe"));
  EXPECT_FALSE(IsProgramProcessName(L"Kestrix"));
}

}  // namespace
}  // namespace kx
