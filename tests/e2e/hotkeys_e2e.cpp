// The PrintScreen hotkeys of the real program, pressed on the X display as a person would,
// and the Global Hotkeys window. Ctrl + PrintScreen opens the storage folder, which under
// Wine is an explorer window named after the folder; it creates the folder first, so a
// press that acts brings back a storage folder the test removed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "harness.h"

namespace e2e {
namespace {

// The main window on a 1920 x 1080 screen, clear of the folder windows that open at (0, 0)
// with 640 x 480 pixels.
constexpr int kMainLeft = 727, kMainTop = 255;
const std::string kMain = "KXMainWndClass", kSettings = "KXSettingsWndClass",
                  kHotkeys = "KXHotkeysWndClass", kFolderWindow = "ExplorerWClass";
// Long enough for a hotkey that acts to have shown its window.
constexpr Millis kQuiet(2000);
const std::string kPicker = "KXGetWindowWndClass", kInterval = "KXIntervalWndClass";
// Offsets of profile fields in the stored record.
constexpr size_t kInType = 0, kOutType = 28, kTimStatus = 104, kTimTimeSec = 116, kSetHotkeys = 140;

class HotkeysE2E : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(display.ok() && !wine.prefix().empty()); }

  void Start(const std::vector<std::string>& args = {}) {
    kestrix = wine.Launch(args);
    ASSERT_TRUE(wine.WaitForWindow(kMain, Millis(30000), kestrix.get()));
    std::this_thread::sleep_for(Millis(800));  // the first paint
  }
  // The record a first run stores when closed with its button, with 32-bit `changes`.
  std::string StoredRecord(const std::vector<std::pair<size_t, uint32_t>>& changes = {}) {
    Start();
    display.Click(kMainLeft + 435, kMainTop + 9);
    kestrix->Wait(Millis(30000));
    std::string record = wine.ReadPrefixFile(wine.DataFolder() + "/Profile.db").value_or("");
    for (auto [offset, value] : changes)
      if (offset + 4 <= record.size()) std::memcpy(record.data() + offset, &value, 4);
    return record;
  }
  // Starts with `record` as the current profile.
  void StartWith(const std::string& record, const std::vector<std::string>& args = {}) {
    ASSERT_EQ(record.size(), 2304u);
    std::ofstream(wine.DataFolder() + "/Profile.db", std::ios::binary) << record;
    Start(args);
  }
  // Under Wine a key reaches the hotkeys only through a window of some Wine program that has
  // the X focus; with Kestrix hidden, the user works in another program: Notepad, focused.
  std::unique_ptr<Process> WorkInAnotherProgram() {
    auto notepad =
        std::make_unique<Process>(std::vector<std::string>{"wine", "notepad"}, wine.Environment());
    if (auto w = wine.WaitForWindow("Notepad", Millis(20000), notepad.get()))
      display.Click(w->x + w->width / 2, w->y + w->height / 2);
    std::this_thread::sleep_for(Millis(300));
    return notepad;
  }
  int Count(const std::string& cls) {
    auto out = wine.Probe({"count", cls});
    return out ? std::stoi(*out) : -1;
  }
  // Presses PrintScreen with `modifiers` and tells whether a window of `cls` more came up.
  bool PressOpens(const std::vector<std::string>& modifiers, const std::string& cls) {
    const int before = Count(cls);
    display.Key("Print", modifiers);
    return WaitUntil([&] { return Count(cls) > before; }, kQuiet, Millis(200));
  }
  // How often the file a helper program writes to holds `text` so far.
  static size_t Occurrences(const std::string& path, const std::string& text) {
    std::ifstream in(path);
    std::stringstream said;
    said << in.rdbuf();
    size_t count = 0;
    for (size_t at = said.str().find(text); at != std::string::npos;
         at = said.str().find(text, at + 1))
      ++count;
    return count;
  }
  static bool Says(const std::string& path, const std::string& text) {
    return Occurrences(path, text) > 0;
  }
  // Whether `act` opens the storage folder, which it creates first when it is missing (the
  // shell shows a folder only once, so a second opening brings up no other window).
  bool OpensTheFolder(const std::function<void()>& act) {
    const std::string folder = wine.UserFolder() + "/Pictures";
    std::filesystem::remove(folder);
    act();
    return WaitUntil([&] { return std::filesystem::is_directory(folder); }, kQuiet, Millis(100));
  }
  bool CtrlPrintOpensTheFolder() {
    return OpensTheFolder([&] { display.Key("Print", {"Control_L"}); });
  }
  // Opens a menu window of the main window; returns where it is.
  std::optional<WindowInfo> OpenFromMenu(int command, const std::string& cls) {
    if (!wine.Act({"command", kMain, std::to_string(command)})) return std::nullopt;
    auto w = wine.WaitForWindow(cls, Millis(10000), kestrix.get());
    std::this_thread::sleep_for(Millis(300));
    return w;
  }
  // A click, after which the pointer leaves at once: resting on a main-window button once
  // the window closed would raise a help tooltip that then stays over the next tool window
  // (a disabled main window ignores the button's leave) and takes its clicks.
  void Click(const WindowInfo& w, int x, int y) {
    display.Click(w.x + x, w.y + y);
    display.MoveMouse(1910, 1070);
    std::this_thread::sleep_for(Millis(300));
  }
  bool Closes(const std::string& cls) {
    return WaitUntil([&] { return !wine.FindWindow(cls); }, Millis(5000)) &&
           WaitUntil([&] { return wine.FindWindow(kMain)->enabled; }, Millis(3000));
  }

  VirtualDisplay display{1920, 1080};
  WineSession wine{display};
  std::unique_ptr<Process> kestrix;
};

TEST_F(HotkeysE2E, CtrlPrintScreenOpensTheStorageFolderWhileTheSettingIsOn) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(CtrlPrintOpensTheFolder());
  EXPECT_TRUE(wine.WaitForWindow(kFolderWindow, kQuiet, kestrix.get(), "Pictures"))
      << "the shell shows no Pictures folder";

  // The Global Hotkeys window: the hotkeys still act while it holds the main window disabled.
  auto hotkeys = OpenFromMenu(4610, kHotkeys);
  ASSERT_TRUE(hotkeys);
  EXPECT_EQ(std::vector({hotkeys->x, hotkeys->y, hotkeys->width, hotkeys->height}),
            std::vector({kMainLeft + 16, kMainTop + (571 - 373) / 2, 435, 373}));
  EXPECT_FALSE(wine.FindWindow(kMain)->enabled);
  EXPECT_EQ(wine.WindowText(kHotkeys, "", 1027), "Global Hotkeys");
  display.MoveMouse(5, 5);
  std::this_thread::sleep_for(Millis(300));
  Image shot = display.Capture(hotkeys->x, hotkeys->y, 435, 373);
  shot.SavePng(Locations::Get().artifacts + "/hotkeys_window.png");
  EXPECT_EQ(shot.At(100, 83), (Rgb{217, 217, 219}));  // the common separator
  // Seven lines, each centred in its 20-pixel box.
  for (int top : {117, 137, 167, 187, 217, 237, 267}) {
    int left = 435, right = 0, first = 373, last = 0;
    for (int y = top; y < top + 20; ++y)
      for (int x = 20; x < 415; ++x)
        if (shot.At(x, y).r < 140)
          left = std::min(left, x), right = std::max(right, x), first = std::min(first, y),
          last = std::max(last, y);
    ASSERT_LT(left, right) << top;
    EXPECT_NEAR((left + right) / 2, 217, 16) << top;  // Wine's widths are a little off
    EXPECT_NEAR((first + last) / 2.0, top + 10, 3) << top;
  }
  EXPECT_TRUE(CtrlPrintOpensTheFolder());
  Click(*hotkeys, 172 + 45, 373 - 54 + 18);
  ASSERT_TRUE(Closes(kHotkeys));

  // The setting acts at once both ways; Cancel and Reset register the hotkeys again.
  auto settings = OpenFromMenu(4609, kSettings);
  ASSERT_TRUE(settings);
  EXPECT_TRUE(OpensTheFolder([&] { Click(*settings, 26 + 18, 126 + 18); })) << "Open storage";
  auto toggleHotkeys = [&] { Click(*settings, 26 + 18, 245 + 18); };
  toggleHotkeys();
  EXPECT_FALSE(CtrlPrintOpensTheFolder()) << "acted while off";
  toggleHotkeys();
  EXPECT_TRUE(CtrlPrintOpensTheFolder()) << "not back on at once";
  toggleHotkeys();
  Click(*settings, 235 + 45, 515 - 54 + 18);  // Cancel
  ASSERT_TRUE(Closes(kSettings));
  EXPECT_TRUE(CtrlPrintOpensTheFolder()) << "Cancel left them off";
  settings = OpenFromMenu(4609, kSettings);
  ASSERT_TRUE(settings);
  toggleHotkeys();
  Click(*settings, 17 + 45, 515 - 54 + 18);  // Reset
  EXPECT_TRUE(CtrlPrintOpensTheFolder()) << "Reset left them off";
  toggleHotkeys();
  Click(*settings, 327 + 45, 515 - 54 + 18);  // OK
  ASSERT_TRUE(Closes(kSettings));
  EXPECT_FALSE(CtrlPrintOpensTheFolder()) << "OK did not keep them off";
  EXPECT_EQ(wine.WindowText(kMain, "HALVECOR Kestrix", 1041), "None");
  EXPECT_TRUE(kestrix->Running());
}

TEST_F(HotkeysE2E, AHotkeyHeldByAnotherProgramStaysWithItAndTheOthersStillWork) {
  const std::string said = wine.prefix() + "/../holder.txt";
  Process holder({"wine", Locations::Get().probe, "hotkey", "0", "120000"}, wine.Environment(),
                 said);
  ASSERT_TRUE(WaitUntil([&] { return Says(said, "ok"); }, Millis(20000))) << "holder failed";
  ASSERT_NO_FATAL_FAILURE(Start());
  display.Key("Print");
  EXPECT_TRUE(WaitUntil([&] { return Says(said, "pressed"); }, kQuiet)) << "not the holder's";
  // Before the folder window, which would take the focus from the picker and close it.
  EXPECT_TRUE(PressOpens({"Shift_L"}, kPicker)) << "Shift + PrintScreen did not capture";
  display.Key("Escape");
  EXPECT_TRUE(WaitUntil([&] { return Count(kPicker) == 0; }, kQuiet));
  EXPECT_TRUE(CtrlPrintOpensTheFolder());
  EXPECT_TRUE(kestrix->Running());
}

// The overlays of the kxselect stage, a program built from the same sources, stand in for a
// selection: the rule looks for their windows anywhere on the desktop. A capture that started
// anyway would take the focus from the stage's overlay, which then closes and says so.
TEST_F(HotkeysE2E, NoHotkeyActsWhileAnAreaSelectionOrAWindowPickingIsOnTheScreen) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::string said = wine.prefix() + "/../stage.txt";
  Process stage(
      {"wine", std::filesystem::path(Locations::Get().exe).parent_path() / "kxselect.exe"},
      wine.Environment(), said);
  ASSERT_TRUE(WaitUntil([&] { return Says(said, "ready"); }, Millis(30000)));
  for (const auto& [command, overlay] :
       {std::pair{"1", "KXGetAreaWndClass"}, std::pair{"2", "KXGetWindowWndClass"}}) {
    ASSERT_TRUE(wine.Act({"command", "KXSelectFixtureWndClass", command}));
    ASSERT_TRUE(wine.WaitForWindow(overlay, Millis(10000), &stage)) << overlay;
    std::this_thread::sleep_for(Millis(300));
    const size_t results = Occurrences(said, "result");
    for (const auto& modifiers : std::vector<std::vector<std::string>>{{}, {"Shift_L"}})
      display.Key("Print", modifiers);
    EXPECT_FALSE(CtrlPrintOpensTheFolder()) << overlay;
    EXPECT_EQ(Occurrences(said, "result"), results) << overlay << " was closed";
    ASSERT_TRUE(wine.FindWindow(overlay)) << overlay << " closed before the press";
    display.Key("Escape");
    ASSERT_TRUE(WaitUntil([&] { return !wine.FindWindow(overlay); }, Millis(5000))) << overlay;
    EXPECT_TRUE(CtrlPrintOpensTheFolder()) << "after " << overlay;
    // The folder window takes the focus a moment later; an overlay opened before that would
    // lose it and close.
    std::this_thread::sleep_for(Millis(1500));
  }
}

TEST_F(HotkeysE2E, LoadingAStoredProfileWhoseHotkeysAreOffUnregistersThem) {
  const std::string record = StoredRecord({{kSetHotkeys, 0}});
  ASSERT_EQ(record.size(), 2304u);
  // Profiles.db: magic, version 1, then the name "Quiet" in 164 bytes, the record, a link.
  std::string name("Q\0u\0i\0e\0t\0", 10);
  std::ofstream(wine.DataFolder() + "/Profiles.db", std::ios::binary)
      << std::string("TSEK\1\0\0\0", 8) + name + std::string(154, '\0') + record +
             std::string(4, '\0');
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(CtrlPrintOpensTheFolder());
  display.Click(kMainLeft + 181, kMainTop + 450);  // the profile button opens Load Profile
  auto load = wine.WaitForWindow("KXLoadProfileWndClass", Millis(10000), kestrix.get());
  ASSERT_TRUE(load);
  std::this_thread::sleep_for(Millis(300));
  Click(*load, 122, 103 + 27 + 13);  // "Quiet", under "Default"
  Click(*load, 327 + 45, 471 - 36);  // OK
  ASSERT_TRUE(Closes("KXLoadProfileWndClass"));
  EXPECT_EQ(wine.WindowText(kMain, "HALVECOR Kestrix", 1041), "Quiet");
  EXPECT_FALSE(CtrlPrintOpensTheFolder());
}

// A capture of the default kind (a window) starts with the window picker.
TEST_F(HotkeysE2E, PrintScreenCapturesFromAHiddenWindowButNeverIntoARunningSelection) {
  ASSERT_NO_FATAL_FAILURE(StartWith(StoredRecord(), {"/min"}));
  ASSERT_FALSE(wine.FindWindow(kMain)->visible);
  auto notepad = WorkInAnotherProgram();
  // Right after start-up the repeat hotkey starts a new capture.
  ASSERT_TRUE(PressOpens({"Shift_L"}, kPicker)) << "Shift + PrintScreen";
  EXPECT_FALSE(CtrlPrintOpensTheFolder()) << "the folder over the picker";
  ASSERT_EQ(Count(kPicker), 1) << "the picker closed on its own";
  display.Key("Escape");
  ASSERT_TRUE(WaitUntil([&] { return Count(kPicker) == 0; }, kQuiet));
  EXPECT_TRUE(PressOpens({}, kPicker)) << "PrintScreen";
  EXPECT_TRUE(kestrix->Running());
}

// Full screen to the clipboard with the timer on: a capture is the interval window.
TEST_F(HotkeysE2E, DuringAnIntervalCaptureOnlyCtrlPrintScreenActs) {
  ASSERT_NO_FATAL_FAILURE(
      StartWith(StoredRecord({{kInType, 1}, {kOutType, 1}, {kTimStatus, 1}, {kTimTimeSec, 30}})));
  auto notepad = WorkInAnotherProgram();  // the interval window hides Kestrix
  ASSERT_TRUE(PressOpens({}, kInterval)) << "PrintScreen";
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
