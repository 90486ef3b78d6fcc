#include "toolkit_support.h"

#include <map>

#include "ui/controls.h"
#include "ui/window_base.h"

namespace kx::test {

namespace {

constexpr wchar_t kPlainClass[] = L"KXTestPlainWndClass";
std::map<UINT_PTR, std::function<void()>> g_later;

void CALLBACK RunLaterProc(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto it = g_later.find(id);
  if (it == g_later.end()) return;
  std::function<void()> action = std::move(it->second);
  g_later.erase(it);
  action();
}

}  // namespace

void RegisterToolkitOnce() {
  static bool done = [] {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterControlClasses(instance);
    RegisterWindowClassOf(instance, kPlainClass, DefWindowProcW);
    return true;
  }();
  (void)done;
}

void RunLater(int delayMs, std::function<void()> action) {
  UINT_PTR id = SetTimer(nullptr, 0, UINT(delayMs), RunLaterProc);
  g_later[id] = std::move(action);
}

PlainWindow::PlainWindow(int x, int y, int width, int height) {
  RegisterToolkitOnce();
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST, kPlainClass, L"", WS_POPUP | WS_VISIBLE, x, y, width,
                          height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

PlainWindow::~PlainWindow() {
  DestroyWindow(hwnd_);
}

}  // namespace kx::test
