// The baseline of the start-up benchmark: the platform starting a process that registers a
// class, adds a tray icon and shows one popup window of the main window's size, with nothing
// of ours around it. (Under Wine adding the icon alone costs tens of milliseconds: the shell
// makes the icon's window before it answers.) It also serves as the idle baseline: its
// message loop only waits. Like the program, it marks its steps when KX_START_MARKS names a
// file (tools/bench/start_bench.cpp).
//
// Built a second time as bare_platform.exe (KX_PLATFORM_STEPS), with the program's manifest
// and the three platform steps its start must take before its window: the common controls
// (version 6, as the manifest asks), GDI+ and COM started as the program starts them.
#include <windows.h>

#include <shellapi.h>

#ifdef KX_PLATFORM_STEPS
#include <commctrl.h>
#include <objbase.h>

#include "capture/gdiplus_handles.h"
#endif

namespace {

NOTIFYICONDATAW icon = {};

// The performance counter at the end of each step, and the step's name.
struct Mark {
  LARGE_INTEGER at;
  const char* step;
};
Mark marks[6] = {};
int marked = 0;

void MarkStep(const char* step) {
  QueryPerformanceCounter(&marks[marked].at);
  marks[marked++].step = step;
}

// Lines "<counter> <step>", as the program writes them; without the C library's formatting,
// which would make this program larger and slower to load than it needs to be.
void HandOverMarks() {
  wchar_t path[MAX_PATH] = {};
  const DWORD chars = GetEnvironmentVariableW(L"KX_START_MARKS", path, MAX_PATH);
  if (chars == 0 || chars >= MAX_PATH) return;
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  for (int i = 0; i < marked; ++i) {
    char line[64], digits[24];
    int length = 0, count = 0;
    for (ULONGLONG n = ULONGLONG(marks[i].at.QuadPart); n || !count; n /= 10)
      digits[count++] = char('0' + n % 10);
    while (count) line[length++] = digits[--count];
    line[length++] = ' ';
    for (const char* c = marks[i].step; *c; ++c) line[length++] = *c;
    line[length++] = '\n';
    DWORD written = 0;
    WriteFile(file, line, DWORD(length), &written, nullptr);
  }
  CloseHandle(file);
}

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
  MarkStep("process, libraries");
#ifdef KX_PLATFORM_STEPS
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&controls);
  MarkStep("common controls");
  kx::GdiplusSession gdiplus;
  if (!gdiplus.Started()) return 1;
  MarkStep("GDI+");
  if (FAILED(CoInitialize(nullptr))) return 1;
  MarkStep("COM");
#endif
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
  MarkStep("class, window made");
  icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
  icon.hWnd = window;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = WM_APP;
  icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpyW(icon.szTip, L"Bare window");
  Shell_NotifyIconW(NIM_ADD, &icon);
  MarkStep("tray icon");
  UpdateWindow(window);
  ShowWindow(window, SW_SHOW);
  HandOverMarks();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
