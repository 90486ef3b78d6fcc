#include "app/start_marks.h"

#include <windows.h>

#include <cstdio>
#include <iterator>

#include "base/handles.h"

namespace kx {

namespace {

// What was done between the mark before and this one.
constexpr const char* kStartMarkNames[] = {
    "process, libraries",
    "data folder",
    "common controls",
    "GDI+",
    "COM",
    "control classes",
    "single-instance search",
    "first-run flag",
    "window classes",
    "DPI measurement",
    "window to WM_CREATE",
    "tray icon",
    "profiles, defaults",
    "controls",
    "profile on controls",
    "region, update",
};
static_assert(std::size(kStartMarkNames) == size_t(StartMark::kCount));

LARGE_INTEGER marks[size_t(StartMark::kCount)] = {};

}  // namespace

void MarkStart(StartMark mark) {
  QueryPerformanceCounter(&marks[size_t(mark)]);
}

void HandOverStartMarks() {
  wchar_t path[MAX_PATH] = {};
  const DWORD chars = GetEnvironmentVariableW(L"KX_START_MARKS", path, MAX_PATH);
  if (chars == 0 || chars >= MAX_PATH) return;
  UniqueFile file(
      CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  for (size_t i = 0; i < std::size(marks); ++i) {
    if (!marks[i].QuadPart) continue;
    char line[64];
    const int length =
        std::snprintf(line, sizeof(line), "%lld %s\n", marks[i].QuadPart, kStartMarkNames[i]);
    DWORD written = 0;
    WriteFile(file.Get(), line, DWORD(length), &written, nullptr);
  }
}

}  // namespace kx
