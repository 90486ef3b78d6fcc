// The PrintScreen hotkeys of the real program, pressed on the X display as a person would.
// Ctrl + PrintScreen opens the storage folder (under Wine an explorer window named after
// it), which it creates first: a press that acts brings back a folder the test removed.
// The screen is 1920 x 1080, so that the folder windows at (0, 0) stay clear of the main one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "session.h"

namespace e2e {
namespace {

constexpr int kW = 1920, kH = 1080;

bool Says(const std::string& path, const std::string& text) {
  std::stringstream said;
  said << std::ifstream(path).rdbuf();
  return said.str().find(text) != std::string::npos;
}

// Whether `act` opens the storage folder: the test removes it, so a press that acts brings
// it back.
bool OpensTheFolder(Session& s, const std::function<void()>& act) {
  std::filesystem::remove(s.Pictures());
  act();
  return WaitUntil([&] { return std::filesystem::is_directory(s.Pictures()); }, kQuiet);
}
bool CtrlPrintOpensTheFolder(Session& s) {
  return OpensTheFolder(s, [&] { s.display.Key("Print", {"Control_L"}); });
}

// Hotkeys reach a hidden Kestrix only while a Wine window has the X focus: Notepad's.
std::unique_ptr<Process> WorkInAnotherProgram(Session& s) {
  auto notepad =
      std::make_unique<Process>(std::vector<std::string>{"wine", "notepad"}, s.wine.Environment());
  if (auto w = s.wine.WaitForWindow("Notepad", kDeadline, notepad.get()))
    s.display.Click(w->x + w->width / 2, w->y + w->height / 2);
  Stage::Pause(300);
  return notepad;
}

// Another program holds PrintScreen at first. The selection overlays of the kxselect stage,
// built from the same sources, stand in for a selection: the rule looks for their windows
// anywhere. A capture that started anyway would take the focus from the stage's overlay, which
// closes. Then full screen to the clipboard, the timer at 1 h 30 min 5 s, hiding on: a capture
// is the interval window, hidden like the main window, whose hours are not reduced.
TEST(HotkeysE2E, DuringAnIntervalOrASelectionOnlyCtrlPrintScreenActsAndAHeldKeyStaysHeld) {
  Session s(kW, kH);
  ASSERT_TRUE(s.ready());
  const std::string said = s.wine.prefix() + "/../holder.txt";
  auto holder = std::make_unique<Process>(
      std::vector<std::string>{"wine", Locations::Get().probe, "hotkey", "0", "120000"},
      s.wine.Environment(), said);
  ASSERT_TRUE(WaitUntil([&] { return Says(said, "ok"); }, kDeadline)) << "holder failed";
  ASSERT_NO_FATAL_FAILURE(s.Start({}, {"/min"}));
  ASSERT_FALSE(s.Visible(kMainClass));
  auto notepad = WorkInAnotherProgram(s);
  s.display.Key("Print");
  EXPECT_TRUE(WaitUntil([&] { return Says(said, "pressed"); }, kQuiet)) << "not the holder's";
  // Right after start-up the repeat hotkey starts a new capture of the default kind (a window).
  ASSERT_TRUE(s.PressOpens({"Shift_L"}, kPicker)) << "Shift + PrintScreen";
  EXPECT_FALSE(CtrlPrintOpensTheFolder(s)) << "the folder over the picker";
  ASSERT_EQ(s.Count(kPicker), 1) << "the picker closed on its own";
  s.display.Key("Escape");
  ASSERT_TRUE(WaitUntil([&] { return s.Count(kPicker) == 0; }, kQuiet));
  EXPECT_TRUE(CtrlPrintOpensTheFolder(s));
  Stage::Pause(1500);  // the folder window takes the focus a moment later

  auto stage = std::make_unique<Stage>(s.display, s.wine);
  ASSERT_TRUE(stage->ready());
  for (const std::string& overlay : {kArea, kPicker}) {
    Result r = stage->Run(overlay == kArea ? 1 : 2, [&] {
      s.display.Key("Print", {"Shift_L"});
      EXPECT_FALSE(CtrlPrintOpensTheFolder(s)) << overlay;
      EXPECT_TRUE(s.wine.FindWindow(overlay)) << overlay << " closed before the Escape";
      s.display.Key("Escape");
    });
    EXPECT_EQ(r.end, 2) << overlay;
    EXPECT_TRUE(CtrlPrintOpensTheFolder(s)) << "after " << overlay;
    Stage::Pause(1500);
  }
  stage.reset();
  holder.reset();
  s.Stop();
  const Changes timer = {{kInType, 1},  {kOutType, 1}, {kTimStatus, 1}, {kTimHour, 1},
                         {kTimMin, 30}, {kTimSec, 5},  {kSetHide, 1}};
  ASSERT_NO_FATAL_FAILURE(s.Start(timer));
  notepad = WorkInAnotherProgram(s);
  ASSERT_TRUE(s.PressOpens({}, kInterval)) << "PrintScreen";
  EXPECT_TRUE(WaitUntil([&] { return s.Clock() == "01 30 04 "; }, kDeadline, Millis(100)));
  EXPECT_FALSE(s.Visible(kInterval));
  EXPECT_FALSE(s.Visible(kMainClass));
  EXPECT_NE(s.wine.Probe({"clipboard"}).value_or("").rfind("bitmap", 0), 0u)
      << "a shot before the interval";
  for (const auto& modifiers : std::vector<std::vector<std::string>>{{}, {"Shift_L"}})
    EXPECT_FALSE(s.PressOpens(modifiers, kInterval)) << "a capture during the interval";
  EXPECT_TRUE(CtrlPrintOpensTheFolder(s));
  ASSERT_TRUE(s.wine.Act({"close", kInterval}));
  ASSERT_TRUE(WaitUntil([&] { return s.Count(kInterval) == 0; }, kQuiet));
  EXPECT_TRUE(s.PressOpens({"Shift_L"}, kInterval)) << "not back after the interval";
  ASSERT_TRUE(s.wine.Act({"close", kInterval}));
}

// The setting, the Global Hotkeys window (which disables the main window) and a stored
// profile whose hotkeys are off.
TEST(HotkeysE2E, SettingsHotkeysWindowAndALoadedProfileTurnThemOnAndOff) {
  Session s(kW, kH);
  ASSERT_TRUE(s.ready());
  std::string quiet = s.Defaults();
  ASSERT_EQ(quiet.size(), 2304u);
  quiet[kSetHotkeys] = 0;
  // Profiles.db: magic, version 1, the name "Quiet" in 164 bytes, the record, a link.
  std::ofstream(s.wine.DataFolder() + "/Profiles.db", std::ios::binary)
      << std::string("TSEK\1\0\0\0Q\0u\0i\0e\0t\0", 18) + std::string(154, '\0') + quiet +
             std::string(4, '\0');
  ASSERT_NO_FATAL_FAILURE(s.Start());
  ASSERT_TRUE(CtrlPrintOpensTheFolder(s));
  EXPECT_TRUE(s.wine.WaitForWindow("ExplorerWClass", kQuiet, s.kestrix.get(), "Pictures"));
  auto open = [&](int command, const std::string& cls) {
    std::optional<WindowInfo> w;
    if (s.Command(command)) w = s.wine.WaitForWindow(cls, Millis(10000), s.kestrix.get());
    Stage::Pause(300);
    return w.value_or(WindowInfo{});
  };
  // The pointer leaves at once: resting on a main-window button after the window closed would
  // raise a help tooltip that stays over the next tool window and takes its clicks.
  auto click = [&](const WindowInfo& w, int x, int y) {
    s.display.Click(w.x + x, w.y + y);
    s.display.MoveMouse(kW - 10, kH - 10);
    Stage::Pause(300);
  };
  auto closes = [&](const std::string& cls) {
    return s.Gone(cls) &&
           WaitUntil([&] { return s.wine.FindWindow(kMainClass)->enabled; }, Millis(3000));
  };
  WindowInfo w = open(4610, "KXHotkeysWndClass");
  EXPECT_FALSE(s.wine.FindWindow(kMainClass)->enabled);
  s.display.Capture(w.x, w.y, w.width, w.height)
      .SavePng(Locations::Get().artifacts + "/hotkeys_window.png");
  EXPECT_TRUE(CtrlPrintOpensTheFolder(s)) << "not while the hotkeys window is open";
  click(w, 172 + 45, 373 - 54 + 18);
  ASSERT_TRUE(closes("KXHotkeysWndClass"));

  s.ClickMain(181, 450);  // the profile button opens Load Profile
  w = s.wine.WaitForWindow("KXLoadProfileWndClass", Millis(10000), s.kestrix.get())
          .value_or(WindowInfo{});
  Stage::Pause(300);
  click(w, 122, 103 + 27 + 13);  // "Quiet", under "Default"
  click(w, 327 + 45, 471 - 36);  // OK
  ASSERT_TRUE(closes("KXLoadProfileWndClass"));
  EXPECT_EQ(s.wine.WindowText(kMainClass, kMainTitle, 1041), "Quiet");
  EXPECT_FALSE(CtrlPrintOpensTheFolder(s)) << "the loaded profile left them on";

  // The setting acts at once both ways; Cancel takes it back, Reset turns it on, OK keeps it.
  const std::string kSettings = "KXSettingsWndClass";
  w = open(4609, kSettings);
  EXPECT_TRUE(OpensTheFolder(s, [&] { click(w, 26 + 18, 126 + 18); })) << "Open storage";
  auto toggle = [&] { click(w, 26 + 18, 245 + 18); };
  toggle();
  EXPECT_TRUE(CtrlPrintOpensTheFolder(s)) << "not on at once";
  click(w, 235 + 45, 515 - 54 + 18);  // Cancel
  ASSERT_TRUE(closes(kSettings));
  EXPECT_FALSE(CtrlPrintOpensTheFolder(s)) << "Cancel left them on";
  w = open(4609, kSettings);
  click(w, 17 + 45, 515 - 54 + 18);  // Reset
  EXPECT_TRUE(CtrlPrintOpensTheFolder(s)) << "Reset left them off";
  toggle();
  EXPECT_FALSE(CtrlPrintOpensTheFolder(s)) << "not off at once";
  click(w, 327 + 45, 515 - 54 + 18);  // OK
  ASSERT_TRUE(closes(kSettings));
  EXPECT_FALSE(CtrlPrintOpensTheFolder(s)) << "OK did not keep them off";
  EXPECT_TRUE(s.kestrix->Running());
}

}  // namespace
}  // namespace e2e
