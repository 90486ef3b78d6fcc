#include "ui/window_base.h"

#include "ui/offscreen.h"

namespace kx {

namespace {

POINT MousePoint(LPARAM lParam) {
  return POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
}

}  // namespace

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_MOUSEMOVE:
      return OnMouseMove(MousePoint(lParam), wParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      OnButtonDown(message, MousePoint(lParam), wParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      OnButtonUp(message, MousePoint(lParam), wParam);
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return OnMessage(message, wParam, lParam);
  }
}

LRESULT DispatchToObject(Window* object, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    object->destroyed_ = true;
    if (object->handlersRunning_ == 0) delete object;
    return 0;
  }
  ++object->handlersRunning_;
  const LRESULT result = object->HandleMessage(message, wParam, lParam);
  if (--object->handlersRunning_ == 0 && object->destroyed_) delete object;
  return result;
}

void Window::OnPaint() {
  PaintBuffered(hwnd, [this](HDC dc, int w, int h) { Paint(dc, w, h); });
}

bool RegisterWindowClassOf(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT iconId,
                           const wchar_t* cursor) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = kWindowExtraBytes;
  wc.hInstance = instance;
  // A standard cursor is shared: looked up again only when a class names another one, so that
  // the start's class registrations do not ask for the same cursor over and over.
  static const wchar_t* lastCursor = nullptr;
  static HCURSOR lastHandle = nullptr;
  if (cursor != lastCursor || !lastHandle) {
    lastCursor = cursor;
    lastHandle = LoadCursorW(nullptr, cursor);
  }
  wc.hCursor = lastHandle;
  wc.lpszClassName = name;
  if (iconId) {
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(iconId));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  }
  return RegisterClassExW(&wc) != 0;
}

HWND CreateWindowWithMaker(const wchar_t* className, const WindowPlacement& p,
                           const WindowMaker* maker) {
  return CreateWindowExW(p.exStyle, className, p.text, p.style, p.x, p.y, p.width, p.height,
                         p.parent, nullptr, GetModuleHandleW(nullptr),
                         const_cast<WindowMaker*>(maker));
}

}  // namespace kx
