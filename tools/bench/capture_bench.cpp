// Times one full-screen shot as the capture command runs it, on a known screen (and then the
// selection overlays, on the same screen): each scene
// is shown by a window of our own, and a grab is checked against it (pixel checksum) before
// and after timing. Every step of ours is timed next to a baseline of the platform doing the
// same job alone, alternately, and printed with their ratio. Prints medians in milliseconds;
// exits 1 when the screen does not show the scene or a step fails. With "overlays" only the
// overlays are timed, on whatever the desktop of however many monitors shows.
// Usage: capture_bench [runs] [overlays]   (default 9 runs)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "baselines.h"
#include "app/capture_flows.h"
#include "capture/capture_output.h"
#include "capture/desktop.h"
#include "capture/post_process.h"
#include "capture/profile_values.h"
#include "overlay_bench.h"
#include "picture_window.h"
#include "scenes.h"
#include "table.h"

namespace {

using namespace kx;
using namespace kx::bench;

constexpr uint32_t kPng = 0;
constexpr const char* kFormatNames[] = {"PNG", "BMP", "JPEG"};

// A full-screen shot of the bare screen (no cursor, border or caption) to one fixed file name
// in `folder`, with no sound or viewer afterwards.
CaptureProfile BenchProfile(const std::wstring& folder) {
  CaptureProfile profile;
  BuildDefaultProfile(profile, folder);
  profile.InType = 1;
  profile.OutType = 0;
  profile.OutFilename = 1;
  profile.OutFormat = kPng;
  profile.CapStatus = profile.BorStatus = profile.ScaStatus = 0;
  profile.OptCursor = profile.OptSound = profile.OptView = profile.OptEdit = 0;
  return profile;
}

// Pixels of the screen that differ from `picture`, grabbed by the engine as it is timed.
size_t ScreenDifferences(const Picture& picture, const CaptureProfile& profile) {
  CaptureImage holder(nullptr);
  ComposeCapture(holder, profile);
  return CountDifferences(ReadBitmap(holder.bitmap.Get()), picture);
}

bool WaitUntilScreenShows(const Picture& picture, const CaptureProfile& profile) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(20)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (ScreenDifferences(picture, profile) == 0) return true;
  }
  return false;
}

int64_t FileBytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return int64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

std::wstring BarePath(const std::wstring& folder, uint32_t format) {
  return folder + L"\\bare" + OutputExtension(format);
}

// Every step in one scene, each next to its baseline.
std::vector<Row> MeasureScene(int runs, CaptureProfile& profile, const std::wstring& folder) {
  std::vector<Row> rows;
  CaptureImage grab(nullptr);
  rows.push_back({"grab (ComposeCapture)", "BitBlt of the screen",
                  TimePair(
                      runs, [&] { return ComposeCapture(grab, profile) == kStatusOk; },
                      [] { return bool(BareScreenCopy()); })});

  for (uint32_t format = 0; format < std::size(kFormatNames); ++format) {
    profile.OutFormat = format;
    const BareEncoder encoder(format, profile.OutJPEGQuality);
    const std::wstring barePath = BarePath(folder, format);
    rows.push_back({std::string(kFormatNames[format]) + " SaveCaptureToFile", "GdipSaveImageToFile",
                    TimePair(
                        runs, [&] { return SaveCaptureToFile(grab, profile) == kStatusOk; },
                        [&] { return encoder.Save(grab.image.Get(), barePath); }),
                    FileBytes(CaptureFilePath(profile))});
  }

  profile.OutFormat = kPng;
  const BareEncoder png(kPng, profile.OutJPEGQuality);
  const std::wstring barePng = BarePath(folder, kPng);
  rows.push_back({"PNG ProcessCapture", "BitBlt + GDI+ image + save",
                  TimePair(
                      runs,
                      [&] {
                        CaptureImage shot(nullptr);
                        return ProcessCapture(shot, profile) == kStatusOk;
                      },
                      [&] {
                        const UniqueBitmap copy = BareScreenCopy();
                        const UniqueGpBitmap image = BareImage(copy.Get());
                        return png.Save(image.Get(), barePng);
                      }),
                  FileBytes(CaptureFilePath(profile))});

  // The capture command as the main window runs it (its window is hidden, so nothing waits
  // for it to go), next to the engine alone.
  AppState state;
  state.current = profile;
  HWND main = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
  rows.push_back({"PNG Capture command", "ProcessCapture",
                  TimePair(
                      runs,
                      [&] {
                        StartCapture(main, state);
                        return FileBytes(CaptureFilePath(profile)) > 0;
                      },
                      [&] {
                        CaptureImage shot(nullptr);
                        return ProcessCapture(shot, profile) == kStatusOk;
                      },
                      [&] { DeleteFileW(CaptureFilePath(profile).c_str()); }),
                  -1});
  DestroyWindow(main);
  return rows;
}

void RemoveBenchFiles(const std::wstring& folder) {
  for (uint32_t format = 0; format < std::size(kFormatNames); ++format) {
    DeleteFileW((folder + FixedFileName(OutputExtension(format))).c_str());
    DeleteFileW(BarePath(folder, format).c_str());
  }
  RemoveDirectoryW(folder.c_str());
}

// The overlays' rows; 0 when no step failed.
int TimeOverlays(int runs) {
  const std::vector<Row> overlays = MeasureOverlays(runs);
  PrintTable(overlays);
  return std::any_of(overlays.begin(), overlays.end(), [](const Row& r) { return r.ms.failed; });
}

// Shows every scene and measures it; 0 when every scene was on the screen throughout.
int Run(int runs, PictureWindow& window, const std::wstring& folder) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  CaptureProfile profile = BenchProfile(folder);
  std::printf("screen %dx%d, %d runs; medians in ms; ratio = ours / baseline, timed alternately\n",
              width, height, runs);
  for (const Scene& scene : BenchScenes(width, height)) {
    window.Show(scene.picture);
    if (!WaitUntilScreenShows(scene.picture, profile)) {
      std::fprintf(stderr, "The screen does not show the %s scene: %zu of %zu pixels differ.\n",
                   scene.name, ScreenDifferences(scene.picture, profile),
                   scene.picture.pixels.size());
      return 1;
    }
    const std::vector<Row> rows = MeasureScene(runs, profile, folder);
    const size_t changed = ScreenDifferences(scene.picture, profile);
    PrintSceneHeading(scene.name, width, height, Checksum(scene.picture), changed == 0);
    PrintTable(rows);
    if (changed) {
      std::fprintf(stderr, "The %s scene was not on the screen throughout: %zu pixels changed.\n",
                   scene.name, changed);
      return 1;
    }
    if (std::any_of(rows.begin(), rows.end(), [](const Row& row) { return row.ms.failed; })) {
      std::fprintf(stderr, "A step failed in the %s scene (marked FAILED).\n", scene.name);
      return 1;
    }
  }
  std::printf("\nselection overlays, on the last scene\n");
  return TimeOverlays(runs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 9;
  if (argc > 2 && std::wstring(argv[2]) == L"overlays") {
    const Desktop desktop = ReadDesktop();
    std::printf("\nselection overlays on %zu monitors, desktop %dx%d, %d runs\n",
                desktop.monitors.size(), int(desktop.bounds.right - desktop.bounds.left),
                int(desktop.bounds.bottom - desktop.bounds.top), runs);
    return TimeOverlays(runs);
  }
  GdiplusSession gdiplus;
  PictureWindow* window = gdiplus.Started() ? PictureWindow::Open() : nullptr;
  if (!window) {
    std::fprintf(stderr, "Could not start GDI+ or open the picture window.\n");
    return 1;
  }
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"kx-bench";
  CreateDirectoryW(folder.c_str(), nullptr);
  const int status = Run(runs, *window, folder);
  RemoveBenchFiles(folder);
  DestroyWindow(window->hwnd);
  return status;
}
