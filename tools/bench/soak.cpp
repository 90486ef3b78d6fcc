// Soak of the interval captures: drives the interval window's tick directly (an interval of 0,
// so every tick captures the full screen to one file) and prints the process's private
// memory and its GDI and USER object counts at the start and every 100 captures (tools/soak.sh
// adds the resident memory of this process). Flat figures mean nothing leaks per capture.
// Usage: soak [captures]   (default 1000)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "capture/gdiplus_handles.h"
#include "capture/profile_values.h"
#include "select/interval_window.h"
#include "ui/controls.h"
#include "ui/theme.h"

namespace {

using namespace kx;

// Under Wine the counters of the platform read 0, so the slot the next GDI and USER object
// would take is printed too: with a free list of slots it stays put unless objects leak.
unsigned NextGdiSlot() {
  HGDIOBJ probe = CreateSolidBrush(0);
  const unsigned slot = LOWORD(reinterpret_cast<UINT_PTR>(probe));
  DeleteObject(probe);
  return slot;
}

unsigned NextUserSlot() {
  HMENU probe = CreateMenu();
  const unsigned slot = LOWORD(reinterpret_cast<UINT_PTR>(probe));
  DestroyMenu(probe);
  return slot;
}

void PrintFigures(int captures) {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  std::printf("%9d %11.1f %6lu %6lu %9u %9u\n", captures, memory.PrivateUsage / 1048576.0,
              GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
              GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), NextGdiSlot(),
              NextUserSlot());
  std::fflush(stdout);
  // tools/soak.sh reads this process's memory from outside, here, between captures, and
  // then answers with a line; from /dev/null the answer is there at once.
  char answer[8];
  (void)std::fgets(answer, sizeof answer, stdin);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int captures = argc > 1 ? _wtoi(argv[1]) : 1000;
  GdiplusSession gdiplus;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!gdiplus.Started() || !RegisterControlClasses(instance) ||
      !RegisterWindow<IntervalWnd>(instance)) {
    std::fprintf(stderr, "Could not start GDI+ or register the classes.\n");
    return 1;
  }
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"kx-soak";
  CaptureProfile profile;
  BuildDefaultProfile(profile, folder);
  profile.InType = 1;
  profile.OutFilename = 1;
  profile.OptSound = profile.OptView = profile.OptEdit = 0;
  profile.SetHideBeforeCapture = 1;  // the interval window stays hidden, out of the picture
  profile.TimTimeHour = profile.TimTimeMin = profile.TimTimeSec = 0;

  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               instance, nullptr);
  HWND running = nullptr;
  HWND window = CreateWindowOf<IntervalWnd>(
      {0, WS_POPUP, 0, 0, theme::kToolWidth, IntervalWnd::kHeight, nullptr, L""}, owner, profile,
      running);
  if (!window) {
    std::fprintf(stderr, "Could not open the interval window.\n");
    return 1;
  }
  const std::wstring file = folder + L"\\KEST.png";
  std::printf("%9s %11s %6s %6s %9s %9s\n", "captures", "private MB", "GDI", "USER",
              "GDI slot", "USER slot");
  Pump();
  PrintFigures(0);
  int written = 0;
  for (int i = 1; i <= captures; ++i) {
    DeleteFileW(file.c_str());
    SendMessageW(window, WM_TIMER, IntervalWnd::kCountdownTimer, 0);
    written += GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    Pump();
    if (i % 100 == 0) PrintFigures(i);
  }
  DestroyWindow(window);
  DestroyWindow(owner);
  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
  std::printf("files written: %d of %d\n", written, captures);
  return written == captures ? 0 : 1;
}
