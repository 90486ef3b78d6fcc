#include "toolkit_support.h"

#include <algorithm>
#include <map>
using std::max;
using std::min;
#include "base/handles.h"
#include "screen_pattern.h"
#include "ui/controls.h"
#include "ui/offscreen.h"
#include "ui/window_base.h"

namespace kx::test {

namespace {

constexpr wchar_t kParentClass[] = L"KXTestParentWndClass";
std::vector<Recorded> g_events;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    g_events.push_back({message, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return 0;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<const NMHDR*>(lParam);
    g_events.push_back({message, int(wParam), header->code, header->hwndFrom});
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void SendMouse(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

}  // namespace

void RegisterToolkitOnce() {
  static bool done = [] {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterControlClasses(instance);
    RegisterWindowClassOf(instance, kParentClass, ParentProc);
    return true;
  }();
  (void)done;
}

bool PumpUntil(const std::function<bool()>& condition, int deadlineMs) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {  // belongs to an outer loop: hand it back
        PostQuitMessage(int(msg.wParam));
        return condition();
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (condition()) return true;
    if (int(GetTickCount() - start) > deadlineMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

void MouseMoveTo(POINT p, int pumpMs) {
  int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = LONG((p.x * 65536LL + cx / 2) / cx);
  input.mi.dy = LONG((p.y * 65536LL + cy / 2) / cy);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
  SetCursorPos(p.x, p.y);
  if (pumpMs > 0) PumpFor(pumpMs);
}

namespace {
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

void RunLater(int delayMs, std::function<void()> action) {
  UINT_PTR id = SetTimer(nullptr, 0, UINT(delayMs), RunLaterProc);
  g_later[id] = std::move(action);
}

void MouseDown() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpFor(40);
}

void MouseUp() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpFor(40);
}

POINT ClientToScreenPoint(HWND hwnd, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(hwnd, &p);
  return p;
}

RecordingParent::RecordingParent(int x, int y, int width, int height) {
  RegisterToolkitOnce();
  g_events.clear();
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST, kParentClass, L"", WS_POPUP | WS_VISIBLE, x, y, width,
                          height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(hwnd_);
  PumpFor(30);
}

RecordingParent::~RecordingParent() {
  DestroyWindow(hwnd_);
  g_events.clear();
}

std::vector<Recorded>& RecordingParent::events() {
  return g_events;
}

int RecordingParent::Count(UINT message, int id, UINT code) const {
  return int(std::count_if(g_events.begin(), g_events.end(), [&](const Recorded& e) {
    return e.message == message && e.id == id && e.code == code;
  }));
}

Pixels::Pixels(HBITMAP bitmap) {
  RgbPixels rgb = ReadBitmap(bitmap);
  width_ = rgb.width;
  height_ = rgb.height;
  data_.resize(rgb.data.size());
  for (size_t i = 0; i < rgb.data.size(); ++i)  // 0x00RRGGBB to 0x00BBGGRR
    data_[i] = RGB((rgb.data[i] >> 16) & 0xFF, (rgb.data[i] >> 8) & 0xFF, rgb.data[i] & 0xFF);
}

Pixels::Pixels(int width, int height, const std::function<void(HDC, int, int)>& paint)
    : Pixels(UniqueBitmap(RenderToBitmap(width, height, paint)).Get()) {}

COLORREF Pixels::Darkest(const RECT& area) const {
  COLORREF best = RGB(255, 255, 255);
  auto sum = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (sum(At(x, y)) < sum(best)) best = At(x, y);
  return best;
}

Pixels ResourcePixels(UINT id) {
  UniqueBitmap bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
  return Pixels(bitmap.Get());
}

}  // namespace kx::test
