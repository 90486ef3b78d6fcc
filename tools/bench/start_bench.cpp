// Times the program's start: from CreateProcess to its main window being shown, next to the
// same for a bare window program (bare_window.exe), alternately, warm. Each started copy is
// closed with WM_CLOSE (which stores nothing) and waited for before the next run.
// Usage: start_bench <runs> <Kestrix.exe> <bare_window.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "table.h"
#include "timing.h"

namespace {

using namespace kx::bench;

// A started copy, found by its window class once its window is visible.
class Started {
 public:
  Started(const std::wstring& exe, const wchar_t* className) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
      return;
    CloseHandle(process_.hThread);
    for (;;) {
      HWND found = FindWindowW(className, nullptr);
      if (found && IsWindowVisible(found)) {
        window_ = found;
        return;
      }
      if (WaitForSingleObject(process_.hProcess, 1) != WAIT_TIMEOUT) return;  // it ended
    }
  }
  ~Started() {
    if (!process_.hProcess) return;
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
  bool Shown() const { return window_ != nullptr; }

 private:
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

// Marks this machine's first run as done, so that no start opens the install page.
void SkipFirstRun() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Halvecor\\Kestrix\\1105", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const DWORD one = 1;
  RegSetValueExW(key, L"firstrun", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
  RegCloseKey(key);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: start_bench <runs> <Kestrix.exe> <bare_window.exe>\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  SkipFirstRun();
  // Only the start is timed: each copy is closed after its step, untimed.
  std::unique_ptr<Started> running;
  auto start = [&](const wchar_t* exe, const wchar_t* className) {
    running = std::make_unique<Started>(exe, className);
    return running->Shown();
  };
  const Step ours = [&] { return start(argv[2], L"KXMainWndClass"); };
  const Step bare = [&] { return start(argv[3], L"KXBareWndClass"); };
  const auto close = [&] { running.reset(); };
  TimePair(1, ours, bare, close);  // warms the file cache and Wine for both
  const Row row = {"start to window shown", "bare window program",
                   TimePair(runs, ours, bare, close)};
  std::printf("\nprogram start, %d runs, warm\n", runs);
  PrintTable({row});
  return row.ms.failed ? 1 : 0;
}
