// Soak of the interval captures: drives the interval window's tick directly (an interval of 0,
// so every tick captures the full screen to one file) and prints the process's private
// memory and its GDI and USER object counts at the start and every 100 captures (tools/soak.sh
// adds the resident memory of this process). Flat figures mean nothing leaks per capture.
// Then the two selection overlays are opened and closed [rounds] times each (default 300),
// the area overlay with a drag and the window picker with a pick, sent as real input by a
// second thread while the overlay's own loop runs, with the same figures every 30 rounds.
// Usage: soak [captures] [rounds]   (defaults 1000, 300)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <thread>

#include "capture/gdiplus_handles.h"
#include "capture/profile_values.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"
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

void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_MOVE) {
    input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  SendInput(1, &input, sizeof input);
  Sleep(20);
}

// Waits until a window of the class is in front, then plays `gesture` on it from this second
// thread; an overlay that the gesture did not end is closed, so that a lost press shows in
// the count instead of stopping the soak.
template <class Gesture>
std::thread PlayWhenOpen(const wchar_t* className, Gesture gesture) {
  return std::thread([className, gesture] {
    HWND overlay = nullptr;
    for (int i = 0; i < 500 && !(overlay && GetForegroundWindow() == overlay); ++i) {
      Sleep(10);
      overlay = FindWindowW(className, nullptr);
    }
    Sleep(300);
    gesture();
    for (int i = 0; i < 200 && IsWindow(overlay); ++i) Sleep(10);
    if (IsWindow(overlay)) PostMessageW(overlay, WM_CLOSE, 0, 0);
  });
}

// Opens each overlay `rounds` times: a drag from (100, 100) to (300, 200) on the area overlay,
// a click on the middle of the screen in the picker. Returns the rounds that chose something.
int SoakOverlays(int rounds, CaptureProfile& profile) {
  // As from the program's main window: opened from a window in front, which the first overlay
  // takes the focus from (with none, the platform's desktop took it back at once).
  HWND opener = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(opener);
  Sleep(200);
  Pump();
  std::printf("%9s %11s %6s %6s %9s %9s\n", "overlays", "private MB", "GDI", "USER",
              "GDI slot", "USER slot");
  PrintFigures(0);
  int chosen = 0;
  for (int i = 1; i <= rounds; ++i) {
    std::thread drag = PlayWhenOpen(GetAreaWnd::kClassName, [] {
      SendMouse(MOUSEEVENTF_MOVE, 100, 100);
      SendMouse(MOUSEEVENTF_LEFTDOWN);
      SendMouse(MOUSEEVENTF_MOVE, 200, 150);
      SendMouse(MOUSEEVENTF_MOVE, 300, 200);
      SendMouse(MOUSEEVENTF_LEFTUP);
    });
    const bool area = RunGetAreaWindow(profile).end == SelectionEnd::kChosen;
    chosen += area;
    drag.join();
    std::thread pick = PlayWhenOpen(GetWindowWnd::kClassName, [] {
      SendMouse(MOUSEEVENTF_MOVE, 960, 540);
      Sleep(100);
      SendMouse(MOUSEEVENTF_LEFTDOWN);
      SendMouse(MOUSEEVENTF_LEFTUP);
    });
    const bool picked = RunGetWindowWindow(profile).end == SelectionEnd::kChosen;
    chosen += picked;
    pick.join();
    Pump();
    if (i % 30 == 0) PrintFigures(i);
  }
  DestroyWindow(opener);
  return chosen;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int captures = argc > 1 ? _wtoi(argv[1]) : 1000;
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 300;
  GdiplusSession gdiplus;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!gdiplus.Started() || !RegisterControlClasses(instance) ||
      !RegisterWindow<IntervalWnd>(instance) || !RegisterWindow<GetAreaWnd>(instance) ||
      !RegisterWindow<GetWindowWnd>(instance)) {
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
  const int chosen = SoakOverlays(rounds, profile);
  std::printf("overlays that chose an area or a window: %d of %d\n", chosen, 2 * rounds);
  return written == captures && chosen == 2 * rounds ? 0 : 1;
}
