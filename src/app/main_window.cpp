#include "app/main_window.h"

#include <cwchar>

#include "app/startup.h"
#include "resource_ids.h"
#include "ui/offscreen.h"
#include "ui/tool_region.h"
#include "ui/window_base.h"

namespace kx {

POINT MainWindowOrigin(int screenWidth, int screenHeight) {
  return POINT{screenWidth / 2 - 233, screenHeight / 2 - 285};
}

bool StartsHidden(int argc, const wchar_t* const* argv) {
  return argc > 1 && argv[1] && std::wcscmp(argv[1], L"/min") == 0;
}

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProcThunk<MainWindow>;
  wc.cbWndExtra = kWindowExtraBytes;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KESTRIX));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_KESTRIX), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExW(&wc) != 0;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      // WM_NCCREATE skipped the default processing that would have set the title.
      auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowTextW(hwnd_, create->lpszName);
      return 0;
    }
    case WM_PAINT:
      OnPaint();
      return 0;
    case kTrayCallbackMessage:
      OnTrayCallback(lParam);
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

// A click on the tray icon, or a second instance giving way, shows and raises the window.
void MainWindow::OnTrayCallback(LPARAM mouseMessage) {
  if (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONDOWN) return;
  if (!IsWindowVisible(hwnd_)) {
    UpdateWindow(hwnd_);
    ShowWindow(hwnd_, SW_SHOW);
  }
  SetForegroundWindow(hwnd_);
  BringWindowToTop(hwnd_);
}

void MainWindow::OnPaint() {
  PaintBuffered(hwnd_, [](HDC dc, int width, int height) {
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  });
}

HWND CreateMainWindow(HINSTANCE instance, int argc, const wchar_t* const* argv) {
  POINT origin = MainWindowOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  HWND hwnd =
      CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_POPUP, origin.x, origin.y,
                      kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return nullptr;
  SetWindowRgn(hwnd, CreateToolWindowRegion(kMainWindowWidth, kMainWindowHeight), TRUE);
  UpdateWindow(hwnd);
  ShowWindow(hwnd, StartsHidden(argc, argv) ? SW_HIDE : SW_SHOW);
  return hwnd;
}

}  // namespace kx
