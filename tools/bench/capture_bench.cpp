// Times one full-screen shot as the capture command runs it: the grab, then for PNG, BMP
// and JPEG the encoding (into memory) and the file write separately, and the whole
// ProcessCapture to a file; then the selection overlays. Prints the median of repeated runs
// in milliseconds.
// Usage: capture_bench [runs]   (default 9)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "capture/capture_output.h"
#include "capture/post_process.h"
#include "capture/profile_values.h"
#include "capture/user_folders.h"
#include "overlay_bench.h"

namespace {

using namespace kx;
using bench::Median;
using bench::NowMs;

// Encodes the image into a memory stream; returns the bytes (empty on failure). The stream
// starts with room for the largest file, so that growing it is not what gets measured.
std::vector<uint8_t> EncodeToMemory(CaptureImage& holder, const CaptureProfile& profile) {
  std::vector<uint8_t> bytes;
  CLSID encoder;
  if (!FindEncoder(OutputMimeType(profile.OutFormat), &encoder)) return bytes;
  const SIZE_T room =
      SIZE_T(GetSystemMetrics(SM_CXSCREEN)) * GetSystemMetrics(SM_CYSCREEN) * 4 + (1 << 20);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, room);
  IStream* stream = nullptr;
  if (!memory || FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    if (memory) GlobalFree(memory);
    return bytes;
  }
  EncoderParameterBlock parameters;
  if (gp::GdipSaveImageToStream(holder.image.Get(), stream, &encoder,
                                parameters.Build(profile.OutFormat, profile.OutJPEGQuality)) ==
      Gdiplus::Ok) {
    ULARGE_INTEGER written = {};
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &written);
    const auto* data = static_cast<const uint8_t*>(GlobalLock(memory));
    bytes.assign(data, data + written.QuadPart);
    GlobalUnlock(memory);
  }
  stream->Release();
  return bytes;
}

bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// Covers the screen with a photo-like picture (smooth gradients with pixel noise), so that
// the encoders have real work to do; an empty desktop compresses to almost nothing.
HWND ShowBusyPicture() {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                height, nullptr, nullptr, nullptr, nullptr);
  if (!window) return nullptr;
  std::vector<uint32_t> pixels(size_t(width) * height);
  uint32_t seed = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const uint32_t noise = (seed >> 24) & 0x1F;
      const uint32_t r = (x * 255 / width + noise) & 0xFF, g = (y * 255 / height + noise) & 0xFF;
      const uint32_t b = ((x + y) * 127 / (width + height) + noise * 2) & 0xFF;
      pixels[size_t(y) * width + x] = (r << 16) | (g << 8) | b;
    }
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  ScopedWindowDc dc(window);
  SetDIBitsToDevice(dc.Get(), 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info,
                    DIB_RGB_COLORS);
  GdiFlush();
  return window;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 9;
  GdiplusSession gdiplus;
  if (!gdiplus.Started()) return 1;

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"kx-bench";
  CreateDirectoryW(folder.c_str(), nullptr);

  HWND picture = ShowBusyPicture();
  CaptureProfile profile;
  BuildDefaultProfile(profile, UserPicturesFolder());
  profile.InType = 1;
  profile.OptSound = 0;
  profile.OutFilename = 1;
  std::memset(profile.SetStorageFolder, 0, sizeof(profile.SetStorageFolder));
  std::memcpy(profile.SetStorageFolder, folder.c_str(), folder.size() * sizeof(wchar_t));

  std::vector<double> grab;
  for (int i = 0; i < runs; ++i) {
    CaptureImage holder(nullptr);
    const double start = NowMs();
    ComposeCapture(holder, profile);
    grab.push_back(NowMs() - start);
  }
  std::printf("screen %dx%d, %d runs, median milliseconds\n", GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN), runs);
  std::printf("%-6s %10s %10s %10s %14s %12s\n", "format", "grab", "encode", "write",
              "ProcessCapture", "bytes");

  const char* names[] = {"PNG", "BMP", "JPEG"};
  for (uint32_t format = 0; format < 3; ++format) {
    profile.OutFormat = format;
    std::vector<double> encode, write, whole;
    size_t size = 0;
    for (int i = 0; i < runs; ++i) {
      CaptureImage holder(nullptr);
      ComposeCapture(holder, profile);
      double start = NowMs();
      std::vector<uint8_t> bytes = EncodeToMemory(holder, profile);
      encode.push_back(NowMs() - start);
      size = bytes.size();
      start = NowMs();
      WriteBytes(folder + L"\\bench" + OutputExtension(format), bytes);
      write.push_back(NowMs() - start);

      CaptureImage shot(nullptr);
      start = NowMs();
      ProcessCapture(shot, profile);
      whole.push_back(NowMs() - start);
    }
    std::printf("%-6s %10.1f %10.1f %10.1f %14.1f %12zu\n", names[format], Median(grab),
                Median(encode), Median(write), Median(whole), size);
  }
  for (const wchar_t* name : {L"\\bench.png", L"\\bench.bmp", L"\\bench.jpg", L"\\KEST.png",
                              L"\\KEST.bmp", L"\\KEST.jpg"})
    DeleteFileW((folder + name).c_str());
  RemoveDirectoryW(folder.c_str());
  bench::BenchOverlays(runs);
  if (picture) DestroyWindow(picture);
  return 0;
}
