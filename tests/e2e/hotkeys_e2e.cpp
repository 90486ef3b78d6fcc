// The PrintScreen hotkeys of the real program, pressed on the X display as a person would.
// Ctrl + PrintScreen opens the storage folder (under Wine an explorer window named after
// it), which it creates first: a press that acts brings back a folder the test removed.
// The screen is 1920 x 1080, so that the folder windows at (0, 0) stay clear of the main one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app_session.h"

namespace e2e {
namespace {

constexpr int kW = 1920, kH = 1080;

void Pause(int ms) {
  std::this_thread::sleep_for(Millis(ms));
}

bool Says(const std::string& path, const std::string& text) {
  std::stringstream said;
  said << std::ifstream(path).rdbuf();
  return said.str().find(text) != std::string::npos;
}

class HotkeysE2E : public AppSession {
 protected:
  HotkeysE2E() : AppSession(kW, kH) {}
  // Whether `act` opens the storage folder: the test removes it, so a press that acts brings
  // it back.
  bool OpensTheFolder(const std::function<void()>& act) {
    std::filesystem::remove(Pictures());
    act();
    return WaitUntil([&] { return std::filesystem::is_directory(Pictures()); }, kQuiet);
  }
  bool CtrlPrintOpensTheFolder() {
    return OpensTheFolder([&] { display.Key("Print", {"Control_L"}); });
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
// screen to the clipboard, the timer at 1 h 30 min 5 s, hiding on: a capture
// is the interval window, hidden like the main window, whose hours are not reduced.
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
  const Changes timer = {{kInType, 1},  {kOutType, 1}, {kTimStatus, 1}, {kTimHour, 1},
                         {kTimMin, 30}, {kTimSec, 5},  {kSetHide, 1}};
  ASSERT_NO_FATAL_FAILURE(StartWith(timer));
  notepad = WorkInAnotherProgram();
  ASSERT_TRUE(PressOpens({}, kInterval)) << "PrintScreen";
  EXPECT_TRUE(WaitUntil([&] { return Clock() == "01 30 04 "; }, kDeadline, Millis(100)));
  EXPECT_FALSE(Visible(kInterval));
  EXPECT_FALSE(Visible(kMainClass));
  EXPECT_NE(wine.Probe({"clipboard"}).value_or("").rfind("bitmap", 0), 0u)
      << "a shot before the interval";
  for (const auto& modifiers : std::vector<std::vector<std::string>>{{}, {"Shift_L"}})
    EXPECT_FALSE(PressOpens(modifiers, kInterval)) << "a capture during the interval";
  EXPECT_TRUE(CtrlPrintOpensTheFolder());
  ASSERT_TRUE(wine.Act({"close", kInterval}));
  ASSERT_TRUE(WaitUntil([&] { return Count(kInterval) == 0; }, kQuiet));
  EXPECT_TRUE(PressOpens({"Shift_L"}, kInterval)) << "not back after the interval";
  ASSERT_TRUE(wine.Act({"close", kInterval}));
}

// The setting, the Global Hotkeys window (which disables the main window) and a stored
// profile whose hotkeys are off.
TEST_F(HotkeysE2E, SettingsHotkeysWindowAndALoadedProfileTurnThemOnAndOff) {
  std::string quiet = Defaults();
  ASSERT_EQ(quiet.size(), kRecordBytes);
  quiet[kSetHotkeys] = 0;
  WriteData("Profiles.db", kListMagic + Utf16("Quiet", 82) + quiet + std::string(4, '\0'));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(CtrlPrintOpensTheFolder());
  EXPECT_TRUE(wine.WaitForWindow("ExplorerWClass", kQuiet, kestrix.get(), "Pictures"));
  auto open = [&](int command, const std::string& cls) {
    std::optional<WindowInfo> w;
    if (Command(command)) w = wine.WaitForWindow(cls, Millis(10000), kestrix.get());
    Pause(300);
    return w.value_or(WindowInfo{});
  };
  // The pointer leaves at once: resting on a main-window button after the window closed would
  // raise a help tooltip that stays over the next tool window and takes its clicks.
  auto click = [&](const WindowInfo& w, int x, int y) {
    display.Click(w.x + x, w.y + y);
    display.MoveMouse(kW - 10, kH - 10);
    Pause(300);
  };
  auto closes = [&](const std::string& cls) {
    return Gone(cls) &&
           WaitUntil([&] { return wine.FindWindow(kMainClass)->enabled; }, Millis(3000));
  };
  WindowInfo w = open(4610, "KXHotkeysWndClass");
  EXPECT_FALSE(wine.FindWindow(kMainClass)->enabled);
  display.Capture(w.x, w.y, w.width, w.height)
      .SavePng(Locations::Get().artifacts + "/hotkeys_window.png");
  EXPECT_TRUE(CtrlPrintOpensTheFolder()) << "not while the hotkeys window is open";
  click(w, 172 + 45, 373 - 54 + 18);
  ASSERT_TRUE(closes("KXHotkeysWndClass"));

  ClickMain(kProfileId);  // the profile button opens Load Profile
  w = wine.WaitForWindow("KXLoadProfileWndClass", Millis(10000), kestrix.get())
          .value_or(WindowInfo{});
  Pause(300);
  click(w, 122, 103 + 27 + 13);  // "Quiet", under "Default"
  click(w, 327 + 45, 471 - 36);  // OK
  ASSERT_TRUE(closes("KXLoadProfileWndClass"));
  EXPECT_EQ(wine.WindowText(kMainClass, kMainTitle, 1041), "Quiet");
  EXPECT_FALSE(CtrlPrintOpensTheFolder()) << "the loaded profile left them on";

  // The setting acts at once both ways; Cancel takes it back, Reset turns it on, OK keeps it.
  const std::string kSettings = "KXSettingsWndClass";
  w = open(4609, kSettings);
  EXPECT_TRUE(OpensTheFolder([&] { click(w, 26 + 18, 126 + 18); })) << "Open storage";
  auto toggle = [&] { click(w, 26 + 18, 245 + 18); };
  toggle();
  EXPECT_TRUE(CtrlPrintOpensTheFolder()) << "not on at once";
  click(w, 235 + 45, 515 - 54 + 18);  // Cancel
  ASSERT_TRUE(closes(kSettings));
  EXPECT_FALSE(CtrlPrintOpensTheFolder()) << "Cancel left them on";
  w = open(4609, kSettings);
  click(w, 17 + 45, 515 - 54 + 18);  // Reset
  EXPECT_TRUE(CtrlPrintOpensTheFolder()) << "Reset left them off";
  toggle();
  EXPECT_FALSE(CtrlPrintOpensTheFolder()) << "not off at once";
  click(w, 327 + 45, 515 - 54 + 18);  // OK
  ASSERT_TRUE(closes(kSettings));
  EXPECT_FALSE(CtrlPrintOpensTheFolder()) << "OK did not keep them off";
  EXPECT_TRUE(kestrix->Running());
}

}  // namespace
}  // namespace e2e
