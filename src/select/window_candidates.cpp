#include "select/window_candidates.h"

#include <cwchar>

namespace kx {

namespace {

ScreenRect WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// The work area of the window's own monitor, which is where the platform maximised it.
ScreenRect MaximisedRect(HWND window) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  return MaximisedFallbackRect(WindowRect(window), GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN));
}

// A composed desktop draws dialogs with an invisible resize border outside what they paint;
// the border counts when the point just outside the dialog still belongs to it.
ScreenRect WithDialogBorder(HWND window, ScreenRect rect) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = 500;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  const int b = metrics.iBorderWidth;
  ScreenRect grown = {rect.left - b, rect.top - b, rect.right + b, rect.bottom + b};
  return WindowFromPoint(POINT{grown.left, grown.top}) == window ? grown : rect;
}

bool IsDialogClass(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return std::wcscmp(name, L"#32770") == 0;
}

BOOL CALLBACK CollectElement(HWND element, LPARAM list) {
  if (IsWindowVisible(element))
    reinterpret_cast<std::vector<WindowNode>*>(list)->push_back(
        {element, WindowRect(element), NestingDepth(element), {}});
  return TRUE;
}

std::vector<WindowNode> CollectElements(HWND window) {
  std::vector<WindowNode> enumerated;
  EnumChildWindows(window, CollectElement, reinterpret_cast<LPARAM>(&enumerated));
  return OrderChildren(std::move(enumerated));
}

struct Collection {
  HWND self;
  std::vector<WindowNode> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* collection = reinterpret_cast<Collection*>(param);
  if (window == collection->self || !IsWindowVisible(window) || IsIconic(window)) return TRUE;
  ScreenRect rect = IsZoomed(window) ? MaximisedRect(window) : WindowRect(window);
  if (IsDialogClass(window) && CompositionEnabled()) rect = WithDialogBorder(window, rect);
  collection->windows.push_back({window, rect, 0, CollectElements(window)});
  return TRUE;
}

}  // namespace

int NestingDepth(HWND element) {
  int depth = 0;
  for (HWND p = GetParent(element); p && (p = GetParent(p));) ++depth;
  return depth;
}

bool CompositionEnabled() {
  using IsEnabled = HRESULT(WINAPI*)(BOOL*);
  HMODULE dwm = LoadLibraryW(L"Dwmapi.dll");  // kept loaded: asked again at every opening
  if (!dwm) return false;
  auto query = reinterpret_cast<IsEnabled>(
      reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  BOOL enabled = FALSE;
  return query && SUCCEEDED(query(&enabled)) && enabled;
}

std::vector<WindowNode> CollectWindowCandidates(HWND self) {
  Collection collection = {self, {}};
  EnumDesktopWindows(nullptr, CollectWindow, reinterpret_cast<LPARAM>(&collection));
  return std::move(collection.windows);
}

}  // namespace kx
