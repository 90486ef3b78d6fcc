#include "app/menu_commands.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>

#include "base/handles.h"
#include "base/system_function.h"
#include "resource_ids.h"

namespace kx {

namespace {

// Just below the left edge of the menu button (x 367 to 389 of the client area).
constexpr POINT kMenuAnchor = {366, 19};

struct WebLink {
  int id;
  const wchar_t* pathAndQuery;
};

constexpr WebLink kWebLinks[] = {
    {IDM_WEBSITE, L"/kestrix/?ref=1105"},
    {IDM_UPDATES, L"/kestrix/?update=1105"},
    {IDM_GOOGLEPLUS, L"/?go=googleplus&pid=3&ver=1105"},
    {IDM_FACEBOOK, L"/?go=facebook&pid=3&ver=1105"},
    {IDM_TWITTER, L"/?go=twitter&pid=3&ver=1105"},
};

using HtmlHelpFunction = HWND(WINAPI*)(HWND caller, const wchar_t* file, UINT command,
                                       DWORD_PTR data);
constexpr UINT kHelpDisplayTopic = 0;  // HH_DISPLAY_TOPIC

}  // namespace

void ShowPopupMenu(HWND owner) {
  UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_POPUP)));
  if (!menu) return;
  POINT at = kMenuAnchor;
  ClientToScreen(owner, &at);
  TrackPopupMenuEx(GetSubMenu(menu.Get(), 0), 0, at.x, at.y, owner, nullptr);
}

std::wstring HelpFilePath(const wchar_t* exePath) {
  if (!exePath || !*exePath) return {};
  const wchar_t* lastSlash = std::wcsrchr(exePath, L'\\');
  const int folderChars = lastSlash ? int(lastSlash - exePath + 1) : 0;
  wchar_t path[1024] = {};
  std::swprintf(path, std::size(path), L"%.*lsKestrix.chm", folderChars, exePath);
  return path;
}

void OpenHelpFile() {
  // The HTML Help control is optional on the platform: it is looked for once, at the first
  // help command, and a missing one is not looked for again. It stays loaded while its
  // viewer may be open.
  static const auto htmlHelp = LoadSystemFunction<HtmlHelpFunction>(L"hhctrl.ocx", "HtmlHelpW");
  if (!htmlHelp) return;
  wchar_t exePath[1001] = {};
  const DWORD chars = GetModuleFileNameW(nullptr, exePath, 1000);
  const std::wstring helpPath = HelpFilePath(chars ? exePath : L"");
  htmlHelp(GetDesktopWindow(), helpPath.c_str(), kHelpDisplayTopic, 0);
}

std::wstring WebLinkAddress(int commandId) {
  for (const WebLink& link : kWebLinks)
    if (link.id == commandId) return std::wstring(kVendorSite) + link.pathAndQuery;
  return {};
}

void OpenWebLink(int commandId) {
  const std::wstring address = WebLinkAddress(commandId);
  if (address.empty()) return;
  ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace kx
