// Start-up of the real program: data folder, first-run page, the single-instance rule.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "harness.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr Millis kStartDeadline(30000);
const std::string kProgramKey = "HKLM\\Software\\Halvecor\\Kestrix\\1105";
const std::string kInstallPage = "http://www.halvecor.com/kestrix/?ref=install&ver=1105";

class StartupE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display.ok()) << "Xvfb did not start";
    ASSERT_FALSE(wine.prefix().empty()) << "no Wine prefix";
  }

  std::unique_ptr<Process> StartAndWait(const std::vector<std::string>& args = {},
                                        const std::string& exeName = "Kestrix.exe") {
    auto p = wine.Launch(args, exeName);
    auto window = wine.WaitForWindow("KXMainWndClass", kStartDeadline, p.get());
    EXPECT_TRUE(window) << exeName << " did not show its main window";
    return p;
  }

  // Clicks a button of the "Kestrix is running" question, as a person would.
  bool Answer(int buttonId) {
    std::optional<WindowInfo> button;
    bool shown = WaitUntil(
        [&] {
          button = wine.FindChild("#32770", "Kestrix", buttonId);
          return button && button->visible;
        },
        kStartDeadline, Millis(100));
    if (!shown) return false;
    SaveScreenshot(display, "restart_question");
    display.Click(button->x + button->width / 2, button->y + button->height / 2);
    return true;
  }

  VirtualDisplay display{1280, 800};
  WineSession wine{display};
};

TEST_F(StartupE2E, MakesTheDataFolderAndOpensTheInstallPageOnlyOnTheFirstStart) {
  std::string record = wine.RecordBrowser();
  auto first = StartAndWait();
  std::string dataFolder = wine.UserFolder() + "/AppData/Local/HALVECOR/Kestrix";
  EXPECT_TRUE(fs::is_directory(dataFolder)) << dataFolder;
  ASSERT_TRUE(WaitUntil([&] { return !ReadLines(record).empty(); }, Millis(15000)))
      << "the install page was not opened";
  EXPECT_EQ(ReadLines(record), std::vector<std::string>{kInstallPage});
  EXPECT_EQ(wine.RegistryEntry(kProgramKey, "firstrun"), "REG_DWORD 0x1");
  first->Kill();

  auto second = StartAndWait();
  // The page would have been opened before the window was made; give the browser script
  // the same time it took the first time to show up.
  EXPECT_FALSE(WaitUntil([&] { return ReadLines(record).size() > 1; }, Millis(3000)));
  EXPECT_EQ(ReadLines(record).size(), 1u);
}

TEST_F(StartupE2E, AFirstRunValueOfAnotherTypeCountsAsUnset) {
  ASSERT_TRUE(wine.SetRegistryValue(kProgramKey, "firstrun", "REG_SZ", "1"));
  std::string record = wine.RecordBrowser();
  auto kestrix = StartAndWait();
  ASSERT_TRUE(WaitUntil([&] { return !ReadLines(record).empty(); }, Millis(15000)));
  EXPECT_EQ(ReadLines(record).front(), kInstallPage);
  EXPECT_EQ(wine.RegistryEntry(kProgramKey, "firstrun"), "REG_DWORD 0x1");
}

TEST_F(StartupE2E, ASecondStartAnsweredNoRaisesTheFirstWindowAndExitsWithZero) {
  auto first = StartAndWait({"/min"});
  auto hidden = wine.FindWindow("KXMainWndClass");
  ASSERT_TRUE(hidden);
  ASSERT_FALSE(hidden->visible);

  auto second = wine.Launch();
  ASSERT_TRUE(Answer(7));  // IDNO
  EXPECT_EQ(second->Wait(kStartDeadline), 0);
  auto shown = wine.FindWindow("KXMainWndClass");
  ASSERT_TRUE(shown);
  EXPECT_TRUE(shown->visible);
  EXPECT_EQ(wine.ForegroundClass(), "KXMainWndClass");
  EXPECT_TRUE(first->Running());
}

TEST_F(StartupE2E, ASecondStartAnsweredYesEndsTheFirstAndStartsItself) {
  auto first = StartAndWait();
  auto second = wine.Launch();
  ASSERT_TRUE(Answer(6));  // IDYES
  // Wine ends a terminated process by a signal, so only the end itself is checked.
  EXPECT_TRUE(first->Wait(kStartDeadline).has_value()) << "the first copy was not ended";
  auto window = wine.WaitForWindow("KXMainWndClass", kStartDeadline, second.get());
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->visible);
  EXPECT_TRUE(second->Running());
}

TEST_F(StartupE2E, ARenamedCopyIsNotEndedByARestart) {
  auto renamed = StartAndWait({}, "KestrixCopy.exe");
  auto second = wine.Launch();
  ASSERT_TRUE(Answer(6));  // IDYES
  EXPECT_TRUE(WaitUntil(
      [&] {
        auto out = wine.Probe({"count", "KXMainWndClass"});
        return out && std::atoi(out->c_str()) == 2;
      },
      kStartDeadline, Millis(200)))
      << "both copies should run side by side";
  EXPECT_TRUE(renamed->Running());
  EXPECT_TRUE(second->Running());
}

}  // namespace
}  // namespace e2e
