// The tray icon, the menu button's popup menu and its web links and windows of the real
// program. Without a window manager Wine shows tray icons in its own stand-alone tray window
// ("Wine System Tray", top-left of the screen); the tests click the icon there.
#include <filesystem>
#include <fstream>

#include "app_session.h"

namespace e2e {
namespace {

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

TEST_F(TrayMenuE2E, TrayIconPressesShowTheWindowInFront) {
  ASSERT_NO_FATAL_FAILURE(ShowWineTray());
  ASSERT_NO_FATAL_FAILURE(Start({"/min"}));
  // Left and right presses show the hidden window in front.
  for (int button : {1, 3}) {
    ASSERT_TRUE(PressIcon(button)) << "no tray icon";
    EXPECT_TRUE(Becomes([&] { return Visible(kMainClass); })) << "button " << button;
    EXPECT_EQ(wine.ForegroundClass(), kMainClass) << "button " << button;
    display.MouseButton(button, false);
    if (button == 1) display.Screenshot("tray_icon");
    ASSERT_TRUE(HideMain());
  }
}

TEST_F(TrayMenuE2E, EveryWebEntryOfTheMenuOpensItsPage) {
  const std::string pages = wine.RecordBrowser();
  // Not a first run, so that the browser records the menu's pages alone.
  ASSERT_TRUE(wine.SetRegistryValue("HKLM\\Software\\Halvecor\\Kestrix\\1105", "firstrun",
                                    "REG_DWORD", "1"));
  ASSERT_NO_FATAL_FAILURE(Start());

  // The menu hangs from the client point (366, 19), just left of the menu button; entries
  // are reached by their place with the keys.
  const struct {
    const char* name;
    int downs, submenuDowns;
  } entries[] = {{"", 7, 0},  // the menu and its submenu, pictured
                 {"Visit Website", 5, -1},
                 {"Check for Updates", 6, -1},
                 {"Facebook", 7, 0},
                 {"Twitter", 7, 1},
                 {"GooglePlus", 7, 2}};
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
    EXPECT_TRUE(Becomes([&] { return ReadLines(pages).size() > pagesBefore; }, Millis(15000)))
        << e.name << " opened no page";
  }
  EXPECT_EQ(ReadLines(pages),
            (std::vector<std::string>{kSite + "/kestrix/?ref=1105", kSite + "/kestrix/?update=1105",
                                      kSite + "/?go=facebook&pid=3&ver=1105",
                                      kSite + "/?go=twitter&pid=3&ver=1105",
                                      kSite + "/?go=googleplus&pid=3&ver=1105"}));
}

}  // namespace
}  // namespace e2e
