// The PrintScreen hotkeys of the real program, pressed on the X display as a person would.
// Ctrl + PrintScreen opens the storage folder (under Wine an explorer window named after
// it), which it creates first: a press that acts brings back a folder the test removed.
// The screen is 1920 x 1080, so that the folder windows at (0, 0) stay clear of the main one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tool_steps.h"

namespace e2e {
namespace {

constexpr int kW = 1920, kH = 1080;

bool Says(const std::string& path, const std::string& text) {
  std::stringstream said;
  said << std::ifstream(path).rdbuf();
  return said.str().find(text) != std::string::npos;
}

class HotkeysE2E : public ToolSession {
 protected:
  HotkeysE2E() : ToolSession(kW, kH) {}
  bool CtrlPrintOpensTheFolder() {
    return FolderComesBack([&] { display.Key("Print", {"Control_L"}); });
  }
  // Hotkeys reach a hidden Kestrix only while a Wine window has the X focus: Notepad's.
  std::unique_ptr<Process> WorkInAnotherProgram() {
    auto notepad =
        std::make_unique<Process>(std::vector<std::string>{"wine", "notepad"}, wine.Environment());
    if (auto w = wine.WaitForWindow("Notepad", kDeadline, notepad.get()))
      display.Click(w->x + w->width / 2, w->y + w->height / 2);
    Pause(300);
    return notepad;
  }
};

// Another program holds PrintScreen at first; the picker stands for a selection. Then full
// screen to the clipboard, the timer at 25 h 30 min 5 s, hiding on: a capture is the interval
// window, hidden like the main window, whose hours are not reduced modulo 24.
TEST_F(HotkeysE2E, DuringAnIntervalOrASelectionOnlyCtrlPrintScreenActsAndAHeldKeyStaysHeld) {
  const std::string said = wine.prefix() + "/../holder.txt";
  auto holder = std::make_unique<Process>(
      std::vector<std::string>{"wine", Locations::Get().probe, "hotkey", "0", "120000"},
      wine.Environment(), said);
  ASSERT_TRUE(WaitUntil([&] { return Says(said, "ok"); }, kDeadline)) << "holder failed";
  ASSERT_NO_FATAL_FAILURE(StartWith({}, {"/min"}));
  ASSERT_FALSE(Visible(kMainClass));
  auto notepad = WorkInAnotherProgram();
  display.Key("Print");
  EXPECT_TRUE(WaitUntil([&] { return Says(said, "pressed"); }, kQuiet)) << "not the holder's";
  // Right after start-up the repeat hotkey starts a new capture of the default kind (a window).
  ASSERT_TRUE(PressOpens({"Shift_L"}, kPicker)) << "Shift + PrintScreen";
  EXPECT_FALSE(CtrlPrintOpensTheFolder()) << "the folder over the picker";
  ASSERT_EQ(Count(kPicker), 1) << "the picker closed on its own";
  display.Key("Escape");
  ASSERT_TRUE(WaitUntil([&] { return Count(kPicker) == 0; }, kQuiet));
  EXPECT_TRUE(CtrlPrintOpensTheFolder());
  Pause(1500);  // the folder window takes the focus a moment later

  holder.reset();
  ASSERT_NO_FATAL_FAILURE(CloseFromElsewhere());
  const Changes timer = {{kInType, 1},  {kOutType, 1}, {kTimStatus, 1}, {kTimHour, 25},
                         {kTimMin, 30}, {kTimSec, 5},  {kSetHide, 1}};
  ASSERT_NO_FATAL_FAILURE(StartWith(timer));
  notepad = WorkInAnotherProgram();
  ASSERT_TRUE(PressOpens({}, kInterval)) << "PrintScreen";
  EXPECT_TRUE(WaitUntil([&] { return Clock() == "25 30 04 "; }, kDeadline, Millis(100)));
  EXPECT_FALSE(Visible(kInterval));
  EXPECT_FALSE(Visible(kMainClass));
  EXPECT_EQ(ClipboardOffersBitmap(), false) << "a shot before the interval";
  for (const auto& modifiers : std::vector<std::vector<std::string>>{{}, {"Shift_L"}})
    EXPECT_FALSE(PressOpens(modifiers, kInterval)) << "a capture during the interval";
  EXPECT_TRUE(CtrlPrintOpensTheFolder());
  ASSERT_TRUE(wine.Act({"close", kInterval}));
  ASSERT_TRUE(WaitUntil([&] { return Count(kInterval) == 0; }, kQuiet));
  EXPECT_TRUE(PressOpens({"Shift_L"}, kInterval)) << "not back after the interval";
  ASSERT_TRUE(wine.Act({"close", kInterval}));
}

// The Global Hotkeys window (which disables the main window and leaves them on), a stored
// profile whose hotkeys are off, and the setting, which acts at once both ways; Cancel takes
// it back, Reset turns it on, OK keeps it.
TEST_F(HotkeysE2E, SettingsHotkeysWindowAndALoadedProfileTurnThemOnAndOff) {
  std::string quiet = Defaults();
  ASSERT_EQ(quiet.size(), kRecordBytes);
  SetRecordValue(quiet, kSetHotkeys, 0);
  WriteData("Profiles.db", kListMagic + Utf16("Quiet", 82) + quiet + std::string(4, '\0'));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(CtrlPrintOpensTheFolder());
  EXPECT_TRUE(wine.WaitForWindow("ExplorerWClass", kQuiet, kestrix.get(), "Pictures"));
  const Sheet hotkeys =
      MakeSheet("KXHotkeysWndClass", 373, 4610, 0, {{{kOk, 172, 319, 91, 37}}}, {}, true);
  Run(hotkeys, {{kOpen}});
  Shot("hotkeys_window");
  Run(hotkeys, {{kFolder, 0, "1"}, {kClose, kOk}});
  Run(kLoadSheet, {{kOpen}, {kItem, 1}, {kClose, kOk}, {kName, 0, "Quiet"}, {kFolder, 0, "0"}});
  Run(kSettings, {{kOpen},
                  {kFolder, 1029, "1"},
                  {kPress, 1033},
                  {kFolder, 0, "1"},
                  {kClose, kCancel},
                  {kFolder, 0, "0"},
                  {kOpen},
                  {kPress, kReset},
                  {kFolder, 0, "1"},
                  {kPress, 1033},
                  {kFolder, 0, "0"},
                  {kClose, kOk},
                  {kFolder, 0, "0"}});
  EXPECT_TRUE(kestrix->Running());
}

}  // namespace
}  // namespace e2e
