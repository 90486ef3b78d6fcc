// kxprobe: answers Win32 questions for the end-to-end driver from inside the same Wine
// prefix (so it sees the same windows and clipboard as Kestrix.exe). A window is
// named by its class, and optionally a title ("" for any) and a child control's id.
//   kxprobe window <window>                 ->  "visible enabled x y w h" | "none"
//   kxprobe text <window>                   ->  its text
//   kxprobe send <class> <title> <id> <msg> ->  the result of sending <msg> (wParam and lParam
//                                               0) to a control: reads a button's check or value
//   kxprobe items <class> <title> <id>      ->  a list box: "<selected>|item|item..."
//   kxprobe count <class>                   ->  number of top-level windows of a class
//   kxprobe command <class> <id>            ->  posts WM_COMMAND <id> to the window
//   kxprobe endsession <class>              ->  sends WM_QUERYENDSESSION, as a log-off does
//   kxprobe logoff <class>                  ->  sends the whole log-off pair: WM_QUERYENDSESSION,
//                                               then WM_ENDSESSION with wParam 1
//   kxprobe close <class>                   ->  posts WM_CLOSE to the first such window
//   kxprobe displaychange <class>           ->  sends WM_DISPLAYCHANGE with the primary's size,
//                                               as the platform does when a monitor changes
// (the four actions answer "ok", or "none" when there is no such window or it refused)
//   kxprobe foreground                      ->  class of the foreground window
//   kxprobe clipboard                       ->  "bitmap" when the clipboard offers one | "none"
//   kxprobe holdclipboard <ms>              ->  empties the clipboard and keeps it open <ms>,
//                                               as a program that does not let go does
//   kxprobe holdprintscreen <ms>            ->  registers PrintScreen as its own hotkey for <ms>,
//                                               then prints how many presses it received
// Exit code 0 when the thing asked about exists, 1 when not, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

int Describe(HWND hwnd) {
  if (!hwnd) {
    std::printf("none\n");
    return 1;
  }
  RECT r;
  GetWindowRect(hwnd, &r);
  std::printf("%d %d %ld %ld %ld %ld\n", IsWindowVisible(hwnd) ? 1 : 0,
              IsWindowEnabled(hwnd) ? 1 : 0, r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

struct ClassCount {
  const wchar_t* className;
  int count;
};

// A named function, not a lambda: the callback is stdcall in a 32-bit build.
BOOL CALLBACK CountClass(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<ClassCount*>(param);
  wchar_t name[256] = {};
  if (GetClassNameW(hwnd, name, 256) && std::wcscmp(name, s->className) == 0) ++s->count;
  return TRUE;
}

int Count(const wchar_t* className) {
  ClassCount search = {className, 0};
  EnumWindows(CountClass, reinterpret_cast<LPARAM>(&search));
  std::printf("%d\n", search.count);
  return 0;
}

int Text(HWND hwnd) {
  if (!hwnd) {
    std::printf("none\n");
    return 1;
  }
  wchar_t text[1024] = {};
  // Asked with WM_GETTEXT, not GetWindowText, so that a control that keeps its text
  // elsewhere (the edit box's inner edit) answers for itself.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, LPARAM(text), SMTO_ABORTIFHUNG, 5000, &ignored);
  // Line feeds are shown as "\n" so that a text stays on one output line.
  for (const wchar_t* c = text; *c; ++c) {
    if (*c == L'\n')
      std::printf("\\n");
    else
      std::printf("%lc", *c);
  }
  std::printf("\n");
  return 0;
}

// Actions answer "ok" or "none", so that an answer is never empty.
int Done(bool ok) {
  std::printf(ok ? "ok\n" : "none\n");
  return ok ? 0 : 1;
}

int Foreground() {
  wchar_t name[256] = {};
  HWND hwnd = GetForegroundWindow();
  if (!hwnd || !GetClassNameW(hwnd, name, 256)) {
    std::printf("none\n");
    return 1;
  }
  std::printf("%ls\n", name);
  return 0;
}

int Items(HWND list) {
  if (!list) {
    std::printf("none\n");
    return 1;
  }
  std::printf("%d", int(SendMessageW(list, LB_GETCURSEL, 0, 0)));
  const int count = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[1024] = {};
    if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 1024)
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    std::printf("|%ls", text);
  }
  std::printf("\n");
  return 0;
}

// Whether the clipboard offers a bitmap. Under Wine another process cannot read the owner's
// bitmap handle, so only the offer is seen from here.
int ClipboardBitmap() {
  bool offered = false;
  if (OpenClipboard(nullptr)) {
    for (UINT f = EnumClipboardFormats(0); f && !offered; f = EnumClipboardFormats(f))
      offered = f == CF_BITMAP;
    CloseClipboard();
  }
  std::printf(offered ? "bitmap\n" : "none\n");
  return offered ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring verb = argc >= 2 ? argv[1] : L"";
  if (verb == L"foreground") return Foreground();
  if (verb == L"clipboard") return ClipboardBitmap();
  if (verb == L"holdprintscreen" && argc >= 3) {
    if (!RegisterHotKey(nullptr, 1, 0, VK_SNAPSHOT)) return Done(false);
    std::printf("ok\n");
    std::fflush(stdout);
    const DWORD end = GetTickCount() + DWORD(_wtoi(argv[2]));
    int presses = 0;
    SetTimer(nullptr, 0, 100, nullptr);
    MSG msg;
    while (GetTickCount() < end && GetMessageW(&msg, nullptr, 0, 0) > 0)
      presses += msg.message == WM_HOTKEY;
    std::printf("%d\n", presses);
    return 0;
  }
  if (verb == L"holdclipboard" && argc >= 3) {
    if (!OpenClipboard(nullptr)) return Done(false);
    EmptyClipboard();
    std::printf("ok\n");
    std::fflush(stdout);
    Sleep(DWORD(_wtoi(argv[2])));
    CloseClipboard();
    return 0;
  }
  if (verb == L"count" && argc >= 3) return Count(argv[2]);
  // The actions name a window by its class alone.
  HWND first = argc >= 3 ? FindWindowW(argv[2], nullptr) : nullptr;
  if (verb == L"command" && argc >= 4)
    return Done(first && PostMessageW(first, WM_COMMAND, WPARAM(_wtoi(argv[3])), 0));
  if (verb == L"endsession") return Done(first && SendMessageW(first, WM_QUERYENDSESSION, 0, 0));
  if (verb == L"close") return Done(first && PostMessageW(first, WM_CLOSE, 0, 0));
  if (verb == L"logoff") {
    DWORD_PTR mayEnd = 0, ignored = 0;
    const bool asked = first && SendMessageTimeoutW(first, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                                    SMTO_NORMAL, 10000, &mayEnd);
    return Done(asked && mayEnd &&
                SendMessageTimeoutW(first, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                    10000, &ignored));
  }
  if (verb == L"displaychange") {
    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return Done(first && (SendMessageW(first, WM_DISPLAYCHANGE, 32, size), true));
  }
  // The questions name it by class, title ("" for any) and a control id (0 is one too).
  HWND named = argc >= 3 ? FindWindowW(argv[2], argc >= 4 && *argv[3] ? argv[3] : nullptr) : 0;
  if (argc >= 5) named = GetDlgItem(named, _wtoi(argv[4]));
  if (verb == L"window" && argc >= 3) return Describe(named);
  if (verb == L"text" && argc >= 3) return Text(named);
  if (verb == L"items" && argc >= 5) return Items(named);
  if (verb == L"send" && argc >= 6) {
    if (!named) return Done(false);
    std::printf("%ld\n", long(SendMessageW(named, UINT(_wtoi(argv[5])), 0, 0)));
    return 0;
  }
  std::fprintf(stderr,
               "usage: kxprobe window|text|send|items|count|command|endsession|logoff|close|"
               "displaychange|foreground|clipboard|holdclipboard|holdprintscreen ...\n");
  return 2;
}
