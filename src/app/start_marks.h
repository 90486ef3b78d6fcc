// Moments of the program's start, each marked with the performance counter as it is reached,
// so that the start-up benchmark (tools/bench/start_bench.cpp) can show where the time to the
// window goes. A mark costs one counter read; the marks are written out only when the
// environment variable KX_START_MARKS names a file.
#pragma once

namespace kx {

// In the order the start reaches them; each closes a step, which the written line names.
enum class StartMark {
  kEntered,
  kDataFolder,
  kCommonControls,
  kGdiplus,
  kCom,
  kControlClasses,
  kSingleInstance,
  kFirstRun,
  kWindowClasses,
  kPixelSpace,
  kWindowCreating,
  kTrayIcon,
  kProfiles,
  kControls,
  kControlValues,
  kShowing,
  kCount
};

void MarkStart(StartMark mark);

// Writes each mark reached as a line "<counter> <step>" to the file KX_START_MARKS names.
void HandOverStartMarks();

}  // namespace kx
