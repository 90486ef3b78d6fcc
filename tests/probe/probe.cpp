// kxprobe: answers Win32 questions for the end-to-end driver from inside the same Wine
// prefix (so it sees the same windows, clipboard and registry as Kestrix.exe).
//   kxprobe window <class> [<title>]              ->  "visible enabled x y w h" | "none"
//   kxprobe child <class> <title> <control id>    ->  the same for a child control
//   kxprobe count <class>                          ->  number of top-level windows of a class
//   kxprobe text <class> <title> <control id>     ->  a child control's text
//   kxprobe wintext <class>                        ->  a top-level window's text
//   kxprobe command <class> <id>                   ->  posts WM_COMMAND <id> to the window
//   kxprobe endsession <class>                     ->  sends WM_QUERYENDSESSION, as a log-off does
//   kxprobe close <class>                          ->  posts WM_CLOSE to the first such window
//   kxprobe message <class> <msg> <wParam> <lParam> -> sends a message to the first such
//                                                      window, as another program may
// (the four actions answer "ok", or "none" when there is no such window or it refused)
//   kxprobe foreground                             ->  class of the foreground window
//   kxprobe send <class> <title> <id> <msg>        ->  result of sending <msg> (wParam and
//                                                      lParam 0) to a child control: reads a
//                                                      button's check or value
//   kxprobe items <class> <control id>            ->  a list box: "<selected>|item|item..."
//   kxprobe clipboard                              ->  "bitmap" when the clipboard offers one | "none"
//   kxprobe hold <windows path> <ms>               ->  opens a file unshared, answers "ok",
//                                                      keeps it open that long
// Exit code 0 when the thing asked about exists, 1 when not, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>

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

int Count(const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    int count;
  } search = {className, 0};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t name[256] = {};
        if (GetClassNameW(hwnd, name, 256) && std::wcscmp(name, s->className) == 0) ++s->count;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
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

// Another program holding a file open without sharing, as an editor or a backup might.
int Hold(const wchar_t* path, int millis) {
  HANDLE file = CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Done(file != INVALID_HANDLE_VALUE);
  std::fflush(stdout);
  if (file == INVALID_HANDLE_VALUE) return 1;
  Sleep(DWORD(millis));
  CloseHandle(file);
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
  if (argc >= 3 && std::wcscmp(argv[1], L"window") == 0)
    return Describe(FindWindowW(argv[2], argc >= 4 ? argv[3] : nullptr));
  if (argc >= 5 && std::wcscmp(argv[1], L"child") == 0)
    return Describe(GetDlgItem(FindWindowW(argv[2], argv[3]), _wtoi(argv[4])));
  if (argc >= 2 && std::wcscmp(argv[1], L"foreground") == 0) return Foreground();
  if (argc >= 2 && std::wcscmp(argv[1], L"clipboard") == 0) return ClipboardBitmap();
  if (argc >= 3 && std::wcscmp(argv[1], L"count") == 0) return Count(argv[2]);
  if (argc >= 5 && std::wcscmp(argv[1], L"text") == 0)
    return Text(GetDlgItem(FindWindowW(argv[2], argv[3]), _wtoi(argv[4])));
  if (argc >= 6 && std::wcscmp(argv[1], L"send") == 0) {
    HWND child = GetDlgItem(FindWindowW(argv[2], argv[3]), _wtoi(argv[4]));
    if (!child) return Done(false);
    std::printf("%ld\n", long(SendMessageW(child, UINT(_wtoi(argv[5])), 0, 0)));
    return 0;
  }
  if (argc >= 4 && std::wcscmp(argv[1], L"items") == 0)
    return Items(GetDlgItem(FindWindowW(argv[2], nullptr), _wtoi(argv[3])));
  if (argc >= 4 && std::wcscmp(argv[1], L"hold") == 0) return Hold(argv[2], _wtoi(argv[3]));
  if (argc >= 3 && std::wcscmp(argv[1], L"wintext") == 0)
    return Text(FindWindowW(argv[2], nullptr));
  HWND target = argc >= 3 ? FindWindowW(argv[2], nullptr) : nullptr;
  if (argc >= 4 && std::wcscmp(argv[1], L"command") == 0)
    return Done(target && PostMessageW(target, WM_COMMAND, WPARAM(_wtoi(argv[3])), 0));
  if (argc >= 3 && std::wcscmp(argv[1], L"endsession") == 0)
    return Done(target && SendMessageW(target, WM_QUERYENDSESSION, 0, 0));
  if (argc >= 3 && std::wcscmp(argv[1], L"close") == 0)
    return Done(target && PostMessageW(target, WM_CLOSE, 0, 0));
  if (argc >= 6 && std::wcscmp(argv[1], L"message") == 0) {
    DWORD_PTR ignored = 0;
    return Done(target && SendMessageTimeoutW(target, UINT(_wtoi(argv[3])), WPARAM(_wtoi(argv[4])),
                                              LPARAM(_wtoi(argv[5])), SMTO_ABORTIFHUNG, 5000,
                                              &ignored));
  }
  std::fprintf(
      stderr,
      "usage: kxprobe window|child|text|wintext|send|items|command|count|endsession|close|"
      "message|foreground|clipboard|hold ...\n");
  return 2;
}
