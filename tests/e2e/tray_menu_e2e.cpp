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

// The menu hangs from the client point (366, 19), just left of the menu button: pictured with
// its submenu open, then an entry of the menu and one of the submenu, reached with the keys,
// open their pages.
TEST_F(TrayMenuE2E, TheMenuHangsFromItsButtonAndItsEntriesOpenTheirPages) {
  const std::string pages = wine.RecordBrowser();
  // Not a first run, so that the browser records the menu's pages alone.
  ASSERT_TRUE(wine.SetRegistryValue("HKLM\\Software\\Halvecor\\Kestrix\\1105", "firstrun",
                                    "REG_DWORD", "1"));
  ASSERT_NO_FATAL_FAILURE(Start());
  auto downs = [](size_t n, std::vector<std::string> then) {
    then.insert(then.begin(), n, "Down");
    return then;
  };
  const std::pair<std::vector<std::string>, std::string> entries[] = {
      {downs(7, {"Right"}), ""},  // the menu and its submenu, pictured
      {downs(5, {"Return"}), "/kestrix/?ref=1105"},
      {downs(7, {"Right", "Down", "Return"}), "/?go=twitter&pid=3&ver=1105"}};
  size_t opened = 0;
  for (const auto& [keys, page] : entries) {
    ClickMain(kMenuId);
    auto menu = wine.WaitForWindow("#32768", Millis(5000), kestrix.get());
    ASSERT_TRUE(menu) << page;
    EXPECT_EQ(std::pair(menu->x, menu->y), std::pair(kMainLeft + 366, kMainTop + 19));
    for (const std::string& key : keys) display.Key(key), Pause(60);
    if (page.empty()) {
      Pause(300);
      display.Screenshot("popup_menu", kMainLeft, kMainTop, 620, 300);
      display.Key("Escape"), Pause(60), display.Key("Escape");
      ASSERT_TRUE(Gone("#32768"));
      continue;
    }
    EXPECT_TRUE(Becomes([&] { return ReadLines(pages).size() > opened; }, Millis(15000)))
        << page << " opened no page";
    ++opened;
  }
  EXPECT_EQ(ReadLines(pages),
            (std::vector<std::string>{kSite + entries[1].second, kSite + entries[2].second}));
}

}  // namespace
}  // namespace e2e
