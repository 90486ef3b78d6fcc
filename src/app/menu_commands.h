// The main window's popup menu and the commands only it offers: the help file and the
// pages of the vendor's web site.
#pragma once

#include <windows.h>

#include <string>

namespace kx {

// The vendor's web site; every page the program opens lies on it.
inline constexpr wchar_t kVendorSite[] = L"http://www.halvecor.com";

// Shows menu 4608 below the menu button of `owner`, which receives the chosen entry as
// WM_COMMAND; returns when the menu has closed.
void ShowPopupMenu(HWND owner);

// "Kestrix.chm" in the folder of `exePath` (everything up to its last backslash), or the
// bare name when the path has no folder.
std::wstring HelpFilePath(const wchar_t* exePath);

// Opens the help file beside the executable in the HTML Help viewer. Does nothing when the
// HTML Help control cannot be loaded, then or later.
void OpenHelpFile();

// The full address of a web-link command (4613 to 4617), or empty for other ids.
std::wstring WebLinkAddress(int commandId);

// Opens a web-link command's page in the default browser; the result is ignored.
void OpenWebLink(int commandId);

}  // namespace kx
