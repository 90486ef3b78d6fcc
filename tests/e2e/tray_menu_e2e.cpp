// The tray icon, the menu button's popup menu, the help file and the web links of the real
// program. Without a window manager Wine shows tray icons in its own stand-alone tray window
// ("Wine System Tray", top-left of the screen); the tests click the icon there.
#include <filesystem>
#include <fstream>

#include "app_session.h"

namespace e2e {
namespace {

const std::string kHelpViewer = "HH Parent";
const std::string kHelpTitle = "Kestrix Help";  // the title inside Kestrix.chm
const std::string kSite = "http://www.halvecor.com";

class TrayMenuE2E : public AppSession {
 protected:
  // The template hides Wine's stand-alone tray window; this copy shows it. Done on the file,
  // before any Wine process of the session reads the registry.
  void ShowWineTray() {
    const std::string path = wine.prefix() + "/user.reg", hidden = "\"ShowSystray\"=\"N\"";
    std::string reg = wine.ReadPrefixFile(path).value_or("");
    const size_t at = reg.find(hidden);
    ASSERT_NE(at, std::string::npos) << "the template does not hide the tray";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << reg.replace(at, hidden.size(), "\"ShowSystray\"=\"Y\"");
  }
  // Presses `button` on the program's icon in Wine's tray window; false when there is none.
  bool PressIcon(int button) {
    std::optional<WindowInfo> icon;
    if (!Becomes([&] {
          return (icon = wine.FindChild("__winex11_standalone_tray", "Wine System Tray", 0)) &&
                 icon->visible;
        }))
      return false;
    display.MoveMouse(icon->x + icon->width / 2, icon->y + icon->height / 2);
    display.MouseButton(button, true);
    return true;
  }
  bool HideMain() {
    return wine.Act({"command", kMainClass, "1027"}) &&
           Becomes([&] { return !Visible(kMainClass); });
  }
  void Keys(const std::vector<std::string>& keys) {
    for (const auto& key : keys) {
      display.Key(key);
      Pause(60);
    }
  }
};

TEST_F(TrayMenuE2E, TrayIconPressesShowAndRaiseTheWindowOrDuringAnIntervalTheIntervalWindow) {
  ASSERT_NO_FATAL_FAILURE(ShowWineTray());
  ASSERT_NO_FATAL_FAILURE(Start({"/min"}));
  // Left and right presses show the window in front; moves, releases, double clicks and
  // middle-button messages do nothing; a second instance giving way sends a left press.
  for (int button : {1, 3}) {
    ASSERT_TRUE(PressIcon(button)) << "no tray icon";
    EXPECT_TRUE(Becomes([&] { return Visible(kMainClass); })) << "button " << button;
    EXPECT_EQ(wine.ForegroundClass(), kMainClass) << "button " << button;
    display.MouseButton(button, false);
    if (button == 1) display.Screenshot("tray_icon");
    ASSERT_TRUE(HideMain());
  }
  for (int mouseMessage : {512, 514, 515, 517, 518, 519, 520, 521}) {
    ASSERT_TRUE(wine.Act({"message", kMainClass, "102", "0", std::to_string(mouseMessage)}));
    EXPECT_FALSE(Visible(kMainClass)) << "mouse message " << mouseMessage;
  }
  ASSERT_TRUE(wine.Act({"message", kMainClass, "102", "0", "513"}));
  EXPECT_TRUE(Visible(kMainClass));

  // A shown window behind another program's is raised to the front. Notepad keeps its place
  // in the registry: there its title bar crosses the main window and misses the tray.
  for (auto [name, value] : {std::pair{"iWindowPosX", "200"},
                             {"iWindowPosY", "250"},
                             {"iWindowPosDX", "700"},
                             {"iWindowPosDY", "400"}})
    ASSERT_TRUE(
        wine.SetRegistryValue("HKCU\\Software\\Microsoft\\Notepad", name, "REG_DWORD", value));
  auto pixel = [&] { return display.Capture(700, 262, 1, 1).At(0, 0); };
  const Rgb mainPixel = pixel();
  Process notepad({"wine", "notepad"}, wine.Environment());
  ASSERT_TRUE(Becomes([&] { return wine.ForegroundClass() == "Notepad"; }, Millis(30000)));
  ASSERT_TRUE(Becomes([&] { return !(pixel() == mainPixel); })) << "Notepad is not in front";
  PressIcon(3);
  EXPECT_TRUE(Becomes([&] { return wine.ForegroundClass() == kMainClass; }));
  EXPECT_TRUE(Becomes([&] { return pixel() == mainPixel; })) << "not raised over Notepad";
  display.MouseButton(3, false);
  display.Screenshot("tray_raised");
  notepad.Kill();
  ASSERT_NO_FATAL_FAILURE(Close());

  // A full-screen interval of a minute, so that no shot is taken meanwhile, hidden before
  // capturing: the interval window starts hidden like the main window, and the icon shows it.
  std::string record = Data("Profile.db");
  for (auto [field, value] :
       {std::pair{kInType, 1}, {kTimStatus, 1}, {kTimMin, 1}, {kTimSec, 0}, {kOptSound, 0}})
    SetRecordValue(record, field, value);
  WriteData("Profile.db", record);
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickMain(kCaptureId);
  ASSERT_TRUE(wine.WaitForWindow(kInterval, Millis(10000), kestrix.get()));
  ASSERT_TRUE(Becomes([&] { return !Visible(kMainClass); }));
  EXPECT_FALSE(Visible(kInterval));
  for (int button : {1, 3}) {
    ASSERT_TRUE(PressIcon(button));
    EXPECT_TRUE(Becomes([&] { return Visible(kInterval); })) << "button " << button;
    EXPECT_EQ(wine.ForegroundClass(), kInterval) << "button " << button;
    display.MouseButton(button, false);
    EXPECT_FALSE(Visible(kMainClass)) << "button " << button;
    ASSERT_TRUE(wine.Act({"command", kInterval, "1027"}));  // its hide button
    ASSERT_TRUE(Becomes([&] { return !Visible(kInterval); }));
  }
  // "Stop" ends the interval; the icon then shows the main window again.
  ASSERT_TRUE(wine.Act({"command", kInterval, "1028"}));
  ASSERT_TRUE(Gone(kInterval));
  ASSERT_TRUE(HideMain());
  PressIcon(1);
  EXPECT_TRUE(Becomes([&] { return Visible(kMainClass); }));
  display.MouseButton(1, false);
}

TEST_F(TrayMenuE2E, EveryMenuEntryOpensItsWindowOrPageAndHelpOnlyTheFileBesideTheProgram) {
  const std::string pages = wine.RecordBrowser();
  // Not a first run, so that the browser records the menu's pages alone.
  ASSERT_TRUE(wine.SetRegistryValue("HKLM\\Software\\Halvecor\\Kestrix\\1105", "firstrun",
                                    "REG_DWORD", "1"));
  ASSERT_TRUE(wine.InstallBesideProgram("Kestrix.chm"));
  // The current directory is the data folder: a help file there, titled otherwise, must never
  // be the one opened.
  std::string decoy = *wine.ReadPrefixFile(wine.InstalledExe("Kestrix.chm"));
  int titles = 0;
  for (size_t at; (at = decoy.find(kHelpTitle)) != std::string::npos; ++titles)
    decoy.replace(at, kHelpTitle.size(), "Wrong  Help!");
  ASSERT_GT(titles, 0);
  WriteData("Kestrix.chm", decoy);
  ASSERT_NO_FATAL_FAILURE(Start());

  // The menu hangs from the client point (366, 19), just left of the menu button; entries
  // are reached by their place with the keys ("Settings..." and "Global Hotkeys..." come
  // first; their windows have tests of their own).
  const struct {
    const char* name;
    int downs, submenuDowns;
    std::string windowClass, title;
  } entries[] = {{"", 7, 0, "", ""},  // the menu and its submenu, pictured
                 {"Help...", 3, -1, kHelpViewer, kHelpTitle},
                 {"About...", 4, -1, "KXAboutWndClass", ""},
                 {"Visit Website", 5, -1, "", ""},
                 {"Check for Updates", 6, -1, "", ""},
                 {"Facebook", 7, 0, "", ""},
                 {"Twitter", 7, 1, "", ""},
                 {"GooglePlus", 7, 2, "", ""}};
  for (const auto& e : entries) {
    ClickMain(kMenuId);
    auto menu = wine.WaitForWindow("#32768", Millis(5000), kestrix.get());
    ASSERT_TRUE(menu) << e.name;
    EXPECT_EQ(std::pair(menu->x, menu->y), std::pair(kMainLeft + 366, kMainTop + 19));
    Keys(std::vector<std::string>(size_t(e.downs), "Down"));
    if (e.submenuDowns >= 0) Keys({"Right"});
    Keys(std::vector<std::string>(size_t(std::max(e.submenuDowns, 0)), "Down"));
    if (!*e.name) {
      Pause(300);
      display.Screenshot("popup_menu", kMainLeft, kMainTop, 620, 300);
      Keys({"Escape", "Escape"});
      ASSERT_TRUE(Gone("#32768"));
      continue;
    }
    const size_t pagesBefore = ReadLines(pages).size();
    Keys({"Return"});
    if (e.windowClass.empty()) {
      EXPECT_TRUE(Becomes([&] { return ReadLines(pages).size() > pagesBefore; }, Millis(15000)))
          << e.name << " opened no page";
      continue;
    }
    EXPECT_TRUE(wine.WaitForWindow(e.windowClass, Millis(10000), kestrix.get(), e.title))
        << e.name << " opened no " << e.windowClass << " \"" << e.title << "\"";
    if (e.windowClass == kHelpViewer) display.Screenshot("help_viewer");
    ASSERT_TRUE(wine.Act({"close", e.windowClass}));
    ASSERT_TRUE(Gone(e.windowClass)) << e.name;
  }
  EXPECT_EQ(ReadLines(pages),
            (std::vector<std::string>{kSite + "/kestrix/?ref=1105", kSite + "/kestrix/?update=1105",
                                      kSite + "/?go=facebook&pid=3&ver=1105",
                                      kSite + "/?go=twitter&pid=3&ver=1105",
                                      kSite + "/?go=googleplus&pid=3&ver=1105"}));

  // Help does nothing with the help control disabled, or without the file beside the
  // program; the same command finds the file once it is there again.
  const std::string overrides = "HKCU\\Software\\Wine\\DllOverrides";
  for (bool controlThere : {false, true}) {
    ASSERT_NO_FATAL_FAILURE(CloseFromElsewhere());
    ASSERT_TRUE(
        wine.SetRegistryValue(overrides, "hhctrl.ocx", "REG_SZ", controlThere ? "builtin" : ""));
    if (controlThere) std::filesystem::remove(wine.InstalledExe("Kestrix.chm"));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(wine.Act({"command", kMainClass, "4611"}));
    EXPECT_FALSE(wine.WaitForWindow(kHelpViewer, Millis(3000))) << controlThere;
    EXPECT_TRUE(kestrix->Running());
  }
  ASSERT_TRUE(wine.InstallBesideProgram("Kestrix.chm"));
  ASSERT_TRUE(wine.Act({"command", kMainClass, "4611"}));
  EXPECT_TRUE(wine.WaitForWindow(kHelpViewer, Millis(10000), kestrix.get(), kHelpTitle));
}

}  // namespace
}  // namespace e2e
