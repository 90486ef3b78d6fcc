// The tray icon, the menu button's popup menu, the help file and the web links of the real
// program. Without a window manager Wine shows tray icons in its own stand-alone tray window
// ("Wine System Tray", top-left of the screen); the tests click the icon there.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "harness.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr Millis kStartDeadline(30000);
constexpr int kLeft = 407, kTop = 115;  // the main window's place on a 1280 x 800 screen
const std::string kMainClass = "KXMainWndClass";
const std::string kIntervalClass = "KXIntervalWndClass";
const std::string kHelpViewerClass = "HH Parent";
const std::string kHelpTitle = "Kestrix Help";  // the title inside Kestrix.chm
const std::string kSite = "http://www.halvecor.com";

class TrayMenuE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display.ok()) << "Xvfb did not start";
    ASSERT_FALSE(wine.prefix().empty()) << "no Wine prefix";
  }

  void Start(const std::vector<std::string>& args = {}) {
    kestrix = wine.Launch(args);
    ASSERT_TRUE(wine.WaitForWindow(kMainClass, kStartDeadline, kestrix.get()))
        << "no main window; program running: " << kestrix->Running();
  }
  void Stop() {
    ASSERT_TRUE(wine.Act({"close", kMainClass}));
    ASSERT_EQ(kestrix->Wait(kStartDeadline), 0);
  }

  // The template hides Wine's stand-alone tray window; this copy shows it. Done on the file,
  // before any Wine process of the session reads the registry.
  void ShowWineTray() {
    const std::string path = wine.prefix() + "/user.reg";
    std::string reg = wine.ReadPrefixFile(path).value_or("");
    const std::string hidden = "\"ShowSystray\"=\"N\"";
    const size_t at = reg.find(hidden);
    ASSERT_NE(at, std::string::npos) << "the template does not hide the tray";
    reg.replace(at, hidden.size(), "\"ShowSystray\"=\"Y\"");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << reg;
  }
  // The centre of the program's icon in Wine's tray window.
  std::optional<std::pair<int, int>> TrayIcon() {
    std::optional<WindowInfo> icon;
    if (!Becomes([&] {
          icon = wine.FindChild("__winex11_standalone_tray", "Wine System Tray", 0);
          return icon && icon->visible;
        }))
      return std::nullopt;
    return std::pair{icon->x + icon->width / 2, icon->y + icon->height / 2};
  }
  bool Visible(const std::string& className) {
    auto w = wine.FindWindow(className);
    return w && w->visible;
  }
  bool MainVisible() { return Visible(kMainClass); }
  bool Becomes(const std::function<bool()>& condition, Millis deadline = Millis(5000)) {
    return WaitUntil(condition, deadline, Millis(100));
  }
  bool HideMain() {
    return wine.Act({"command", kMainClass, "1027"}) && Becomes([&] { return !MainVisible(); });
  }
  bool Gone(const std::string& className) {
    return Becomes([&] { return !wine.FindWindow(className); });
  }

  // Opens the popup menu with the menu button, as a person would, and waits for it.
  std::optional<WindowInfo> OpenMenu() {
    display.Click(kLeft + 367 + 11, kTop + 1 + 8);
    return wine.WaitForWindow("#32768", Millis(5000), kestrix.get());
  }
  void Keys(const std::vector<std::string>& keys) {
    for (const auto& key : keys) {
      display.Key(key);
      std::this_thread::sleep_for(Millis(60));
    }
  }

  VirtualDisplay display{1280, 800};
  WineSession wine{display};
  std::unique_ptr<Process> kestrix;
};

TEST_F(TrayMenuE2E, ButtonPressesOnTheTrayIconShowAndRaiseTheWindowOtherMouseMessagesDoNot) {
  ASSERT_NO_FATAL_FAILURE(ShowWineTray());
  ASSERT_NO_FATAL_FAILURE(Start({"/min"}));
  const auto icon = TrayIcon();
  ASSERT_TRUE(icon) << "no tray icon";
  const auto [x, y] = *icon;
  SaveScreenshot(display, "tray_icon");

  display.MoveMouse(x - 4, y);
  display.MoveMouse(x, y);
  EXPECT_FALSE(Becomes([&] { return MainVisible(); }, Millis(1500))) << "a move showed it";
  for (int button : {1, 3}) {
    display.MouseButton(button, true);
    EXPECT_TRUE(Becomes([&] { return MainVisible(); })) << "button " << button;
    EXPECT_EQ(wine.ForegroundClass(), kMainClass) << "button " << button;
    display.MouseButton(button, false);
    ASSERT_TRUE(HideMain());
  }

  // Releases, double clicks, moves and middle-button messages on the icon do nothing; a
  // second instance giving way sends a left press.
  for (int mouseMessage : {512, 514, 515, 517, 518, 519, 520, 521}) {
    ASSERT_TRUE(wine.Act({"message", kMainClass, "102", "0", std::to_string(mouseMessage)}));
    EXPECT_FALSE(MainVisible()) << "mouse message " << mouseMessage;
  }
  ASSERT_TRUE(wine.Act({"message", kMainClass, "102", "0", "513"}));
  EXPECT_TRUE(MainVisible());

  // A shown window behind another program's is raised to the front. Notepad keeps its place
  // in the registry: there its title bar crosses the main window and misses the tray.
  const std::string notepadKey = "HKCU\\Software\\Microsoft\\Notepad";
  for (auto [name, value] : {std::pair{"iWindowPosX", "200"},
                             {"iWindowPosY", "250"},
                             {"iWindowPosDX", "700"},
                             {"iWindowPosDY", "400"}})
    ASSERT_TRUE(wine.SetRegistryValue(notepadKey, name, "REG_DWORD", value));
  auto pixel = [&] { return display.Capture(700, 262, 1, 1).At(0, 0); };
  const Rgb mainPixel = pixel();
  Process notepad({"wine", "notepad"}, wine.Environment());
  ASSERT_TRUE(Becomes([&] { return wine.ForegroundClass() == "Notepad"; }, kStartDeadline));
  ASSERT_TRUE(Becomes([&] { return !(pixel() == mainPixel); })) << "Notepad is not in front";
  display.MoveMouse(x, y);
  display.MouseButton(3, true);
  EXPECT_TRUE(Becomes([&] { return wine.ForegroundClass() == kMainClass; }));
  EXPECT_TRUE(Becomes([&] { return pixel() == mainPixel; })) << "not raised over Notepad";
  display.MouseButton(3, false);
  SaveScreenshot(display, "tray_raised");
}

TEST_F(TrayMenuE2E, DuringAnIntervalCaptureTheTrayIconShowsTheIntervalWindowInstead) {
  ASSERT_NO_FATAL_FAILURE(ShowWineTray());
  // A full-screen interval of a minute, so that no shot is taken meanwhile.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(wine.Act({"command", kMainClass, "1026"}));  // close, storing the profile
  ASSERT_EQ(kestrix->Wait(kStartDeadline), 0);
  std::string record = *wine.ReadPrefixFile(wine.DataFolder() + "/Profile.db");
  for (auto [offset, value] : {std::pair{0, 1}, {104, 1}, {112, 1}, {116, 0}, {120, 0}})
    std::memcpy(record.data() + offset, &value, 4);  // InType, TimStatus, min, s, OptSound
  std::ofstream(wine.DataFolder() + "/Profile.db", std::ios::binary | std::ios::trunc) << record;
  ASSERT_NO_FATAL_FAILURE(Start());
  const auto icon = TrayIcon();
  ASSERT_TRUE(icon) << "no tray icon";

  display.Click(kLeft + 231 + 70, kTop + 497 + 25);  // "Capture"
  // Hiding before a capture is on: the interval window starts hidden, like the main window.
  ASSERT_TRUE(wine.WaitForWindow(kIntervalClass, Millis(10000), kestrix.get()));
  ASSERT_TRUE(Becomes([&] { return !MainVisible(); }));
  EXPECT_FALSE(Visible(kIntervalClass));
  for (int button : {1, 3}) {
    display.MoveMouse(icon->first, icon->second);
    display.MouseButton(button, true);
    EXPECT_TRUE(Becomes([&] { return Visible(kIntervalClass); })) << "button " << button;
    EXPECT_EQ(wine.ForegroundClass(), kIntervalClass) << "button " << button;
    display.MouseButton(button, false);
    EXPECT_FALSE(MainVisible()) << "button " << button;
    ASSERT_TRUE(wine.Act({"command", kIntervalClass, "1027"}));  // its hide button
    ASSERT_TRUE(Becomes([&] { return !Visible(kIntervalClass); }));
  }
  // "Stop" ends the interval; the icon then shows the main window again.
  ASSERT_TRUE(wine.Act({"command", kIntervalClass, "1028"}));
  ASSERT_TRUE(Gone(kIntervalClass));
  ASSERT_TRUE(HideMain());
  display.MouseButton(1, true);
  EXPECT_TRUE(Becomes([&] { return MainVisible(); }));
  display.MouseButton(1, false);
}

TEST_F(TrayMenuE2E, EveryMenuEntryOpensItsWindowOrPageAndHelpOpensTheFileBesideTheProgram) {
  const std::string record = wine.RecordBrowser();
  // Not a first run, so that the browser records the menu's pages alone.
  ASSERT_TRUE(wine.SetRegistryValue("HKLM\\Software\\Halvecor\\Kestrix\\1105", "firstrun",
                                    "REG_DWORD", "1"));
  ASSERT_TRUE(wine.InstallBesideProgram("Kestrix.chm"));
  // The current directory is the data folder: a help file there, titled otherwise, must not
  // be the one opened.
  std::string decoy = *wine.ReadPrefixFile(wine.InstalledExe("Kestrix.chm"));
  int titles = 0;
  for (size_t at; (at = decoy.find(kHelpTitle)) != std::string::npos; ++titles)
    decoy.replace(at, kHelpTitle.size(), "Wrong  Help!");
  ASSERT_GT(titles, 0);
  fs::create_directories(wine.DataFolder());
  std::ofstream(wine.DataFolder() + "/Kestrix.chm", std::ios::binary | std::ios::trunc) << decoy;
  ASSERT_NO_FATAL_FAILURE(Start());

  // The menu hangs from the client point (366, 19), just left of the menu button.
  auto menu = OpenMenu();
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->x, kLeft + 366);
  EXPECT_EQ(menu->y, kTop + 19);
  Keys({"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Right"});
  std::this_thread::sleep_for(Millis(300));
  display.Capture(kLeft, kTop, 620, 300).SavePng(Locations::Get().artifacts + "/popup_menu.png");
  Keys({"Escape", "Escape"});
  ASSERT_TRUE(Gone("#32768"));

  // Entries by their place in the menu, reached with the keys. ("Settings..." and "Global
  // Hotkeys..." come first, one and two downs; their windows have tests of their own.)
  struct Entry {
    const char* name;
    int downs;
    int submenuDowns;  // -1: not in the submenu
    std::string windowClass, windowTitle;
  };
  const Entry entries[] = {
      {"Help...", 3, -1, kHelpViewerClass, kHelpTitle},
      {"About...", 4, -1, "KXAboutWndClass", ""},
      {"Visit Website", 5, -1, "", ""},
      {"Check for Updates", 6, -1, "", ""},
      {"Facebook", 7, 0, "", ""},
      {"Twitter", 7, 1, "", ""},
      {"GooglePlus", 7, 2, "", ""},
  };
  for (const Entry& e : entries) {
    ASSERT_TRUE(OpenMenu()) << e.name;
    Keys(std::vector<std::string>(size_t(e.downs), "Down"));
    if (e.submenuDowns >= 0) {
      Keys({"Right"});
      Keys(std::vector<std::string>(size_t(e.submenuDowns), "Down"));
    }
    const size_t pagesBefore = ReadLines(record).size();
    Keys({"Return"});
    if (e.windowClass.empty()) {
      EXPECT_TRUE(Becomes([&] { return ReadLines(record).size() > pagesBefore; }, Millis(15000)))
          << e.name << " opened no page";
      continue;
    }
    EXPECT_TRUE(wine.WaitForWindow(e.windowClass, Millis(10000), kestrix.get(), e.windowTitle))
        << e.name << " opened no " << e.windowClass << " \"" << e.windowTitle << "\"";
    if (e.windowClass == kHelpViewerClass) SaveScreenshot(display, "help_viewer");
    ASSERT_TRUE(wine.Act({"close", e.windowClass}));
    ASSERT_TRUE(Gone(e.windowClass)) << e.name;
  }
  EXPECT_FALSE(wine.FindWindow(kHelpViewerClass, "Wrong  Help!"));
  EXPECT_EQ(ReadLines(record), (std::vector<std::string>{
                                   kSite + "/kestrix/?ref=1105",
                                   kSite + "/kestrix/?update=1105",
                                   kSite + "/?go=facebook&pid=3&ver=1105",
                                   kSite + "/?go=twitter&pid=3&ver=1105",
                                   kSite + "/?go=googleplus&pid=3&ver=1105",
                               }));
  EXPECT_TRUE(kestrix->Running());
}

TEST_F(TrayMenuE2E, HelpDoesNothingWithoutTheHtmlHelpControlOrWithoutTheHelpFile) {
  const std::string overrides = "HKCU\\Software\\Wine\\DllOverrides";
  ASSERT_TRUE(wine.InstallBesideProgram("Kestrix.chm"));
  ASSERT_TRUE(wine.SetRegistryValue(overrides, "hhctrl.ocx", "REG_SZ", ""));  // disabled
  ASSERT_NO_FATAL_FAILURE(Start());
  for (int attempt = 0; attempt < 2; ++attempt) {
    ASSERT_TRUE(wine.Act({"command", kMainClass, "4611"}));
    EXPECT_FALSE(wine.WaitForWindow(kHelpViewerClass, Millis(3000))) << attempt;
  }
  EXPECT_TRUE(kestrix->Running());
  ASSERT_NO_FATAL_FAILURE(Stop());

  ASSERT_TRUE(wine.SetRegistryValue(overrides, "hhctrl.ocx", "REG_SZ", "builtin"));
  fs::remove(wine.InstalledExe("Kestrix.chm"));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(wine.Act({"command", kMainClass, "4611"}));
  EXPECT_FALSE(wine.WaitForWindow(kHelpViewerClass, Millis(3000)));
  EXPECT_TRUE(kestrix->Running());
  // The same command finds the file once it is there: nothing above was broken for good.
  ASSERT_TRUE(wine.InstallBesideProgram("Kestrix.chm"));
  ASSERT_TRUE(wine.Act({"command", kMainClass, "4611"}));
  EXPECT_TRUE(wine.WaitForWindow(kHelpViewerClass, Millis(10000), kestrix.get(), kHelpTitle));
}

}  // namespace
}  // namespace e2e
