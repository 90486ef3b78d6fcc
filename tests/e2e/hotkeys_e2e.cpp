// The PrintScreen hotkeys of the real program, pressed on the X display as a person would.
// Ctrl + PrintScreen opens the storage folder (under Wine an explorer window named after
// it), which it creates first: a press that acts brings back a folder the test removed.
// The screen is 1920 x 1080, so that the folder windows at (0, 0) stay clear of the main one.
#include <gtest/gtest.h>

#include <filesystem>

#include "app_session.h"

namespace e2e {
namespace {

constexpr int kW = 1920, kH = 1080;

class HotkeysE2E : public AppSession {
 protected:
  HotkeysE2E() : AppSession(kW, kH) {}
  // Whether Ctrl + PrintScreen brings back the storage folder, removed first.
  bool CtrlPrintOpensTheFolder() {
    std::filesystem::remove(Pictures());
    display.Key("Print", {"Control_L"});
    return WaitUntil([&] { return std::filesystem::is_directory(Pictures()); }, kQuiet);
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

// The picker stands for a selection. Then full screen to the clipboard, the timer at 25 h
// 30 min 5 s, hiding on: a capture is the interval window, hidden like the main window, whose
// hours are not reduced modulo 24.
// First with PrintScreen taken by another program before the start: that program gets the
// key, and the other two keys are Kestrix's.
TEST_F(HotkeysE2E, DuringAnIntervalOrASelectionOnlyCtrlPrintScreenActs) {
  const std::string said = Locations::Get().artifacts + "/printscreen_holder.txt";
  std::filesystem::remove(said);
  auto holder = std::make_unique<Process>(
      std::vector<std::string>{"wine", Locations::Get().probe, "holdprintscreen", "12000"},
      wine.Environment(), said);
  ASSERT_TRUE(WaitUntil([&] { return ReadLines(said).size() == 1; }, kDeadline));
  ASSERT_NO_FATAL_FAILURE(StartWith({}, {"/min"}));
  auto notepad = WorkInAnotherProgram();
  EXPECT_FALSE(PressOpens({}, kPicker)) << "PrintScreen, held by another program";
  // Right after start-up the repeat hotkey starts a new capture of the default kind (a window).
  ASSERT_TRUE(PressOpens({"Shift_L"}, kPicker)) << "Shift + PrintScreen";
  EXPECT_FALSE(CtrlPrintOpensTheFolder()) << "the folder over the picker";
  ASSERT_EQ(Count(kPicker), 1) << "the picker closed on its own";
  display.Key("Escape");
  ASSERT_TRUE(WaitUntil([&] { return Count(kPicker) == 0; }, kQuiet));
  EXPECT_TRUE(CtrlPrintOpensTheFolder());
  Pause(1500);  // the folder window takes the focus a moment later

  ASSERT_NO_FATAL_FAILURE(CloseFromElsewhere());
  ASSERT_TRUE(holder->Wait(kDeadline));
  const auto heard = ReadLines(said);  // "ok", then the presses it received
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(std::atoi(heard[1].c_str()), 1) << "the holder's presses";
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

}  // namespace
}  // namespace e2e
