// kxprobe: answers Win32 questions for the end-to-end driver from inside the same Wine
// prefix (so it sees the same windows, clipboard and registry as Kestrix.exe).
//   kxprobe window <class> [<title>]   ->  "visible enabled x y w h" | "none"
// Exit code 0 when the thing asked about exists, 1 when not, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

int Window(const wchar_t* className, const wchar_t* title) {
  HWND hwnd = FindWindowW(className, title);
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && std::wcscmp(argv[1], L"window") == 0)
    return Window(argv[2], argc >= 4 ? argv[3] : nullptr);
  std::fprintf(stderr, "usage: kxprobe window <class> [<title>]\n");
  return 2;
}
