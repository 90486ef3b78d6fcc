// The baseline of the start-up benchmark: the platform starting a process that registers a
// class, adds a tray icon and shows one popup window of the main window's size, with nothing
// of ours around it. (Under Wine adding the icon alone costs tens of milliseconds: the shell
// makes the icon's window before it answers.) It also serves as the idle baseline: its
// message loop only waits.
#include <windows.h>

#include <shellapi.h>

namespace {

NOTIFYICONDATAW icon = {};

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      Shell_NotifyIconW(NIM_DELETE, &icon);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"KXBareWndClass";
  if (!RegisterClassW(&wc)) return 1;
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - 233,
            y = GetSystemMetrics(SM_CYSCREEN) / 2 - 285;
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"Bare window", WS_POPUP, x, y, 467, 571,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
  icon.hWnd = window;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = WM_APP;
  icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpyW(icon.szTip, L"Bare window");
  Shell_NotifyIconW(NIM_ADD, &icon);
  UpdateWindow(window);
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
