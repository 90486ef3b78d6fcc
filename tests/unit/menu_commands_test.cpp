// The help file's path; the menu's entries and the help opening beside the installed program
// are checked end to end.
#include <gtest/gtest.h>

#include "app/menu_commands.h"

namespace kx {
namespace {

TEST(HelpFile, LiesInTheFolderOfTheExecutablePath) {
  const struct {
    const wchar_t *exe, *help;
  } cases[] = {
      {L"C:\\Program Files\\Kestrix\\Kestrix.exe", L"C:\\Program Files\\Kestrix\\Kestrix.chm"},
      {L"\\\\server\\tools\\k.exe", L"\\\\server\\tools\\Kestrix.chm"},
      {L"Kestrix.exe", L"Kestrix.chm"},           // no folder part
      {L"C:/Tools/Kestrix.exe", L"Kestrix.chm"},  // only a backslash ends a folder
      {L"", L""},                                 // no path at all: no help path either
  };
  for (const auto& c : cases) EXPECT_EQ(HelpFilePath(c.exe), c.help) << c.exe;
}

}  // namespace
}  // namespace kx
