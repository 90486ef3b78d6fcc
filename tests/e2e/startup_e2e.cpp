// Start-up of the real program: data folder, first-run page, the single-instance rule.
#include <gtest/gtest.h>

#include <filesystem>

#include "app_session.h"

namespace e2e {
namespace {

constexpr Millis kStartDeadline(30000);
const std::string kProgramKey = "HKLM\\Software\\Halvecor\\Kestrix\\1105";
const std::string kInstallPage = "http://www.halvecor.com/kestrix/?ref=install&ver=1105";

class StartupE2E : public AppSession {
 protected:
  std::unique_ptr<Process> StartAndWait(const std::vector<std::string>& args = {},
                                        const std::string& exeName = "Kestrix.exe") {
    auto p = wine.Launch(args, exeName);
    EXPECT_TRUE(wine.WaitForWindow(kMainClass, kStartDeadline, p.get()))
        << exeName << " shows no window";
    return p;
  }
  // Clicks a button of the "Kestrix is running" question, as a person would.
  bool Answer(int buttonId) {
    std::optional<WindowInfo> button;
    if (!WaitUntil(
            [&] {
              return (button = wine.FindChild("#32770", "Kestrix", buttonId)) && button->visible;
            },
            kStartDeadline, Millis(100)))
      return false;
    display.Screenshot("restart_question");
    display.Click(button->x + button->width / 2, button->y + button->height / 2);
    return true;
  }
};

// The page opens on a first start, and again when the value is there with another type.
TEST_F(StartupE2E, MakesTheDataFolderAndOpensTheInstallPageOnlyOnTheFirstStart) {
  const std::string record = wine.RecordBrowser();
  for (const char* before : {"", "DWORD", "REG_SZ"}) {
    SCOPED_TRACE(before);
    if (*before == 'R') {
      ASSERT_TRUE(wine.SetRegistryValue(kProgramKey, "firstrun", "REG_SZ", "1"));
    }
    const size_t opened = ReadLines(record).size();
    kestrix = StartAndWait();
    EXPECT_TRUE(std::filesystem::is_directory(wine.DataFolder()));
    // The page would be opened before the window was made; the browser script gets the time
    // it took the first time.
    EXPECT_EQ(WaitUntil([&] { return ReadLines(record).size() > opened; },
                        Millis(*before == 'D' ? 3000 : 15000)),
              *before != 'D');
    EXPECT_EQ(ReadLines(record), std::vector<std::string>(opened + (*before != 'D'), kInstallPage));
    EXPECT_EQ(wine.RegistryEntry(kProgramKey, "firstrun"), "REG_DWORD 0x1");
    wine.Act({"close", kMainClass});
    kestrix->Wait(kStartDeadline);
  }
}

// No: the running copy is raised, the new one exits with 0. Yes: every other copy of the
// program's own name is ended, and a copy under another name is not.
TEST_F(StartupE2E, ASecondStartAsksWhetherToEndTheCopiesOfTheSameName) {
  ASSERT_TRUE(wine.SetRegistryValue(kProgramKey, "firstrun", "REG_DWORD", "1"));
  auto renamed = StartAndWait({"/min"}, "KestrixCopy.exe");
  ASSERT_FALSE(wine.FindWindow(kMainClass)->visible);
  auto no = wine.Launch();
  ASSERT_TRUE(Answer(7));  // IDNO
  EXPECT_EQ(no->Wait(kStartDeadline), 0);
  EXPECT_TRUE(wine.FindWindow(kMainClass)->visible);
  EXPECT_EQ(wine.ForegroundClass(), kMainClass);
  auto first = wine.Launch();
  ASSERT_TRUE(Answer(6));  // IDYES: there is no other Kestrix.exe
  EXPECT_TRUE(WaitUntil([&] { return Count(kMainClass) == 2; }, kStartDeadline))
      << "both should run side by side";
  auto second = wine.Launch();
  ASSERT_TRUE(Answer(6));
  // Wine ends a terminated process by a signal, so only the end itself is checked.
  EXPECT_TRUE(first->Wait(kStartDeadline).has_value()) << "the first Kestrix.exe was not ended";
  EXPECT_TRUE(WaitUntil([&] { return Count(kMainClass) == 2; }, kStartDeadline));
  EXPECT_TRUE(second->Running());
  EXPECT_TRUE(renamed->Running());
}

}  // namespace
}  // namespace e2e
