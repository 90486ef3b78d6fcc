#include "ui/tool_window.h"

#include "ui/offscreen.h"
#include "ui/tool_frame.h"
#include "ui/tool_region.h"
#include "ui/window_base.h"

namespace kx {

POINT ToolWindowOrigin(const RECT& owner, int width, int height) {
  int ownerWidth = owner.right - owner.left, ownerHeight = owner.bottom - owner.top;
  return POINT{owner.left + (ownerWidth - width) / 2, owner.top + (ownerHeight - height) / 2};
}

bool RegisterToolWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC proc) {
  return RegisterPlainWindowClass(instance, className, proc);
}

int RunToolWindow(const wchar_t* className, HWND owner, int height, const wchar_t* text) {
  RECT ownerRect = {};
  GetWindowRect(owner, &ownerRect);
  POINT origin = ToolWindowOrigin(ownerRect, kToolWindowWidth, height);
  HWND window = CreateWindowExW(0, className, text, WS_POPUP, origin.x, origin.y, kToolWindowWidth,
                                height, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return 0;
  SetToolWindowRegion(window, kToolWindowWidth, height);
  UpdateWindow(window);
  ShowWindow(window, SW_SHOW);
  EnableWindow(owner, FALSE);
  MSG msg = {};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}

LRESULT ToolWindowHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  POINT p = {short(LOWORD(lParam)), short(HIWORD(lParam))};
  ScreenToClient(hwnd, &p);
  LRESULT hit = DefWindowProcW(hwnd, WM_NCHITTEST, wParam, lParam);
  return hit == HTCLIENT && p.y < kDragBandHeight ? HTCAPTION : hit;
}

void CloseToolWindow(HWND hwnd) {
  EnableWindow(GetWindow(hwnd, GW_OWNER), TRUE);
  DestroyWindow(hwnd);
}

LRESULT ToolWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetWindowTextW(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpszName);
      OnCreate();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_NCHITTEST:
      return ToolWindowHitTest(hwnd, wParam, lParam);
    case WM_CLOSE:
      CloseToolWindow(hwnd);
      return 0;
    case WM_DESTROY:
      EnableWindow(GetWindow(hwnd, GW_OWNER), TRUE);
      PostQuitMessage(0);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (TakesFocusOnClick()) SetFocus(hwnd);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void ToolWindow::Paint(HDC dc, int width, int height) {
  PaintToolFrame(dc, width, height);
  PaintContent(dc, width, height);
}

void ToolWindow::OnPaint() {
  PaintBuffered(hwnd, [this](HDC dc, int w, int h) { Paint(dc, w, h); });
}

}  // namespace kx
