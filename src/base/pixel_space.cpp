#include "base/pixel_space.h"

#include "base/system_function.h"

namespace kx {

namespace {

using SetThreadContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

bool g_unawareSkins = false;

// A class of no behaviour of its own for the measurement.
constexpr wchar_t kProbeClass[] = L"KXPixelProbeWndClass";

// Null before Windows 10 version 1607.
SetThreadContextFn SetThreadContext() {
  static const auto set = reinterpret_cast<SetThreadContextFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
  return set;
}

// The context the thread had, or null when nothing was switched.
DPI_AWARENESS_CONTEXT Switch(DPI_AWARENESS_CONTEXT to) {
  SetThreadContextFn set = SetThreadContext();
  return set ? set(to) : nullptr;
}

DPI_AWARENESS_CONTEXT SwitchToPhysical() {
  // Version 2 is younger than the function; a system that does not know it refuses it and
  // leaves the thread unchanged.
  DPI_AWARENESS_CONTEXT previous = Switch(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  return previous ? previous : Switch(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

// Whether the primary screen, where the measurement's window would stand, shows 96 dots per
// inch to a per-monitor thread: no platform stretches an unaware window there, so its answer
// is known without a window. False when that cannot be asked.
bool PrimaryScreenUnscaled() {
  using MonitorDpiFn = HRESULT(WINAPI*)(HMONITOR, int kind, UINT* x, UINT* y);
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  static const auto dpiOf = LoadSystemFunction<MonitorDpiFn>(L"shcore.dll", "GetDpiForMonitor");
  if (!dpiOf) return false;
  ScopedPixelSpace physical(PixelSpace::kPhysical);
  UINT x = 0, y = 0;
  return SUCCEEDED(
             dpiOf(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi, &x, &y)) &&
         x == USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

ScopedPixelSpace::ScopedPixelSpace(PixelSpace space) {
  if (space == PixelSpace::kPhysical)
    previous_ = SwitchToPhysical();
  else if (g_unawareSkins)
    previous_ = Switch(DPI_AWARENESS_CONTEXT_UNAWARE);
}

ScopedPixelSpace::~ScopedPixelSpace() {
  if (previous_) Switch(previous_);
}

bool PlatformStretchesUnawareWindows() {
  if (!SetThreadContext() || PrimaryScreenUnscaled()) return false;
  constexpr int kSide = 100;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kProbeClass;
  RegisterClassW(&wc);  // already there when measured again
  DPI_AWARENESS_CONTEXT previous = Switch(DPI_AWARENESS_CONTEXT_UNAWARE);
  HWND probe = CreateWindowExW(WS_EX_TOOLWINDOW, kProbeClass, L"", WS_POPUP, 0, 0, kSide, kSide,
                               nullptr, nullptr, wc.hInstance, nullptr);
  Switch(previous);
  if (!probe) return false;
  RECT seen = {};
  {
    ScopedPixelSpace physical(PixelSpace::kPhysical);
    GetWindowRect(probe, &seen);
  }
  DestroyWindow(probe);
  return seen.right - seen.left != kSide;
}

void SetUnawareSkins(bool on) {
  g_unawareSkins = on;
}

bool UnawareSkins() {
  return g_unawareSkins;
}

}  // namespace kx
