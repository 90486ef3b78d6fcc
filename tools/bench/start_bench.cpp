// Times the program's start: from CreateProcess to its main window being shown, next to the
// same for a bare window program (bare_window.exe) and for the bare window program that also
// takes the platform steps the program's start must take (bare_platform.exe), in turn, warm.
// Each started copy is closed with WM_CLOSE (which stores nothing) and waited for before the
// next run. Then where that time goes: more runs of the program and of bare_platform.exe with
// KX_START_MARKS set, so that each writes the performance counter at the end of each of its
// start-up steps (app/start_marks.h); a step's time is its mark less the mark before (the
// first step's, less the moment CreateProcess was called), the last step's ends when the
// window was seen visible.
// Usage: start_bench <runs> <Kestrix.exe> <bare_window.exe> <bare_platform.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "table.h"
#include "timing.h"

namespace {

using namespace kx::bench;

int64_t Counter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// A started copy, found by its window class once its window is visible.
class Started {
 public:
  Started(const std::wstring& exe, const wchar_t* className) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring command = L"\"" + exe + L"\"";
    createdAt_ = Counter();
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
      return;
    CloseHandle(process_.hThread);
    for (;;) {
      HWND found = FindWindowW(className, nullptr);
      if (found && IsWindowVisible(found)) {
        shownAt_ = Counter();
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
  int64_t CreatedAt() const { return createdAt_; }
  int64_t ShownAt() const { return shownAt_; }

 private:
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
  int64_t createdAt_ = 0, shownAt_ = 0;
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

// The steps of one program's start in their order, with the times of each run.
struct Steps {
  std::vector<std::string> names;
  std::vector<std::vector<double>> ms;

  void Add(size_t index, const std::string& name, double stepMs) {
    if (index == names.size()) {
      names.push_back(name);
      ms.emplace_back();
    }
    if (index < names.size() && names[index] == name) ms[index].push_back(stepMs);
  }
  double MedianMs(const std::string& name) const {
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return MedianOf(ms[i]);
    return 0;
  }
};

constexpr char kShowStep[] = "show to visible";

// Starts a copy that writes its marks to `marksFile`, and adds its steps; false when it was
// not shown or wrote no marks.
bool TimeSteps(const wchar_t* exe, const wchar_t* className, const std::wstring& marksFile,
               Steps& steps) {
  DeleteFileW(marksFile.c_str());
  int64_t createdAt = 0, shownAt = 0;
  {
    Started started(exe, className);
    if (!started.Shown()) return false;
    createdAt = started.CreatedAt();
    shownAt = started.ShownAt();
  }  // closed and ended: its marks are written
  std::ifstream marks{std::filesystem::path(marksFile)};
  int64_t previous = createdAt, at = 0;
  size_t index = 0;
  std::string name;
  while (marks >> at && std::getline(marks >> std::ws, name)) {
    steps.Add(index++, name, CounterMs(at - previous));
    previous = at;
  }
  if (index == 0) return false;
  steps.Add(index, kShowStep, CounterMs(shownAt - previous));
  return true;
}

// The bare window's step that does what a step of the program does, where it has one.
const char* BareCounterpart(const std::string& step) {
  static const char* const kPairs[][2] = {
      {"process, libraries", "process, libraries"},
      {"common controls", "common controls"},
      {"GDI+", "GDI+"},
      {"COM", "COM"},
      {"window to WM_CREATE", "class, window made"},
      {"tray icon", "tray icon"},
      {kShowStep, kShowStep},
  };
  for (const auto& pair : kPairs)
    if (step == pair[0]) return pair[1];
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fprintf(stderr,
                 "usage: start_bench <runs> <Kestrix.exe> <bare_window.exe> <bare_platform.exe>\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  const wchar_t *program = argv[2], *bare = argv[3], *barePlatform = argv[4];
  constexpr wchar_t kProgramClass[] = L"KXMainWndClass", kBareClass[] = L"KXBareWndClass";
  SkipFirstRun();
  std::vector<double> ours, bareMs, platformMs;
  bool failed = false;
  // Only the start is timed: each copy is closed after it was seen, untimed.
  const auto timeStart = [&failed](const wchar_t* exe, const wchar_t* className,
                                   std::vector<double>& ms) {
    const Started started(exe, className);
    failed = failed || !started.Shown();
    ms.push_back(CounterMs(started.ShownAt() - started.CreatedAt()));
  };
  for (int i = 0; i <= runs; ++i) {
    timeStart(program, kProgramClass, ours);
    timeStart(bare, kBareClass, bareMs);
    timeStart(barePlatform, kBareClass, platformMs);
    if (i == 0) {  // the first round warms the file cache and Wine for all three
      ours.clear();
      bareMs.clear();
      platformMs.clear();
    }
  }
  const double oursMs = MedianOf(ours);
  std::printf("\nprogram start, %d runs, warm\n", runs);
  PrintTable({{"start to window shown", "bare window program", {oursMs, MedianOf(bareMs), failed}},
              {"start to window shown",
               "bare + ComCtl 6, GDI+, COM",
               {oursMs, MedianOf(platformMs), failed}}});

  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring marksFile = std::wstring(folder) + L"kx_start_marks.txt";
  SetEnvironmentVariableW(L"KX_START_MARKS", marksFile.c_str());
  Steps programSteps, baselineSteps;
  bool stepsFailed = false;
  for (int i = 0; i < runs; ++i) {
    stepsFailed = !TimeSteps(program, kProgramClass, marksFile, programSteps) || stepsFailed;
    stepsFailed = !TimeSteps(barePlatform, kBareClass, marksFile, baselineSteps) || stepsFailed;
  }
  SetEnvironmentVariableW(L"KX_START_MARKS", nullptr);
  DeleteFileW(marksFile.c_str());
  std::vector<Row> steps;
  for (const std::string& name : programSteps.names) {
    Row step = {name, "", {programSteps.MedianMs(name), 0, stepsFailed}};
    if (const char* counterpart = BareCounterpart(name)) {
      step.baseline = counterpart;
      step.ms.baseline = baselineSteps.MedianMs(counterpart);
    }
    steps.push_back(step);
  }
  std::printf("\nwhere the start goes: %d more runs with marks, medians of each step\n", runs);
  PrintTable(steps);
  return failed || stepsFailed ? 1 : 0;
}
