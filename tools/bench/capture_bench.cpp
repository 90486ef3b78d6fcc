// Times one full-screen shot as the capture command runs it: the grab, then for PNG, BMP
// and JPEG the encoding (into memory) and the file write separately, and the whole
// ProcessCapture to a file. Prints the median of repeated runs in milliseconds.
// Usage: capture_bench [runs]   (default 9)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "capture/capture_output.h"
#include "capture/post_process.h"
#include "capture/profile_values.h"

namespace {

using namespace kx;

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Encodes the image into a memory stream; returns the bytes (empty on failure).
std::vector<uint8_t> EncodeToMemory(CaptureImage& holder, const CaptureProfile& profile) {
  std::vector<uint8_t> bytes;
  CLSID encoder;
  if (!FindEncoder(OutputMimeType(profile.OutFormat), &encoder)) return bytes;
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return bytes;
  EncoderParameterBlock parameters;
  if (gp::GdipSaveImageToStream(holder.image.Get(), stream, &encoder,
                                parameters.Build(profile.OutFormat, profile.OutJPEGQuality)) ==
      Gdiplus::Ok) {
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    const auto* data = static_cast<const uint8_t*>(GlobalLock(memory));
    bytes.assign(data, data + stat.cbSize.QuadPart);
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 9;
  GdiplusSession gdiplus;
  if (!gdiplus.Started()) return 1;

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"kx-bench";
  CreateDirectoryW(folder.c_str(), nullptr);

  CaptureProfile profile;
  BuildDefaultProfile(profile);
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
  return 0;
}
