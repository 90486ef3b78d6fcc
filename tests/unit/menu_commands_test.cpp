// The popup menu resource and the help file's path.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/menu_commands.h"
#include "base/handles.h"
#include "resource_ids.h"

namespace kx {
namespace {

TEST(HelpFile, LiesInTheFolderOfTheExecutablePath) {
  const struct {
    const wchar_t* exe;
    const wchar_t* help;
  } cases[] = {
      {L"C:\\Program Files\\Kestrix\\Kestrix.exe", L"C:\\Program Files\\Kestrix\\Kestrix.chm"},
      {L"\\\\server\\tools\\k.exe", L"\\\\server\\tools\\Kestrix.chm"},
      {L"C:\\Kestrix.exe", L"C:\\Kestrix.chm"},
      {L"Kestrix.exe", L"Kestrix.chm"},           // no folder part
      {L"C:/Tools/Kestrix.exe", L"Kestrix.chm"},  // only a backslash ends a folder
      {L"", L""},                                 // no path at all: no help path either
  };
  for (const auto& c : cases) EXPECT_EQ(HelpFilePath(c.exe), c.help) << c.exe;
}

// The ids the main window dispatches, in the order the menu shows them.
TEST(PopupMenu, ListsItsEntriesWithTheirIdsAndTheSubmenuInItsOwnOrder) {
  UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_POPUP)));
  ASSERT_TRUE(menu);
  ASSERT_EQ(GetMenuItemCount(menu.Get()), 1);
  HMENU popup = GetSubMenu(menu.Get(), 0);
  const struct {
    const wchar_t* text;  // null for a separator
    UINT id;
  } expected[] = {
      {L"Settings...", 4609},    {L"Global Hotkeys...", 4610}, {nullptr, 0},
      {L"Help...", 4611},        {L"About...", 4612},          {nullptr, 0},
      {L"Visit Website", 4613},  {L"Check for Updates", 4614}, {nullptr, 0},
      {L"Join us on", UINT(-1)},
  };
  ASSERT_EQ(GetMenuItemCount(popup), int(std::size(expected)));
  for (int i = 0; i < int(std::size(expected)); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(popup, UINT(i), text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), expected[i].text ? expected[i].text : L"") << i;
    if (expected[i].text) {
      EXPECT_EQ(GetMenuItemID(popup, i), expected[i].id) << i;
    }
  }
  HMENU join = GetSubMenu(popup, 9);
  ASSERT_TRUE(join);
  ASSERT_EQ(GetMenuItemCount(join), 3);
  const UINT joinIds[] = {4616, 4617, 4615};  // Facebook, Twitter, GooglePlus
  for (int i = 0; i < 3; ++i) EXPECT_EQ(GetMenuItemID(join, i), joinIds[i]) << i;
}

}  // namespace
}  // namespace kx
