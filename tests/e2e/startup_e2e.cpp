// Start-up of the real program: the data folder and the first-run page.
#include <gtest/gtest.h>

#include <filesystem>

#include "app_session.h"

namespace e2e {
namespace {

const std::string kProgramKey = "HKLM\\Software\\Halvecor\\Kestrix\\1105";
const std::string kInstallPage = "http://www.halvecor.com/kestrix/?ref=install&ver=1105";

class StartupE2E : public AppSession {};

// The page opens on a first start, and again when the value is there with another type.
TEST_F(StartupE2E, MakesTheDataFolderAndOpensTheInstallPageOnlyOnTheFirstStart) {
  const std::string record = wine.RecordBrowser();
  for (const char* before : {"", "DWORD", "REG_SZ"}) {
    SCOPED_TRACE(before);
    if (*before == 'R') {
      ASSERT_TRUE(wine.SetRegistryValue(kProgramKey, "firstrun", "REG_SZ", "1"));
    }
    const size_t opened = ReadLines(record).size();
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(std::filesystem::is_directory(wine.DataFolder()));
    // The page would be opened before the window was made; the browser script gets the time
    // it took the first time.
    EXPECT_EQ(WaitUntil([&] { return ReadLines(record).size() > opened; },
                        Millis(*before == 'D' ? 3000 : 15000)),
              *before != 'D');
    EXPECT_EQ(ReadLines(record), std::vector<std::string>(opened + (*before != 'D'), kInstallPage));
    EXPECT_EQ(wine.RegistryEntry(kProgramKey, "firstrun"), "REG_DWORD 0x1");
    ASSERT_NO_FATAL_FAILURE(CloseFromElsewhere());
  }
}

}  // namespace
}  // namespace e2e
