#include "capture/capture_output.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/system_function.h"
#include "capture/local_text.h"
#include "capture/png_encoder.h"

namespace kx {
namespace {

bool FileNameTaken(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  // A name that exists but cannot be opened counts as taken too; a storage folder that
  // does not exist yet holds no files.
  const DWORD error = GetLastError();
  return file || (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND);
}

std::wstring ChooseFileName(const CaptureProfile& profile, const SYSTEMTIME* when) {
  const wchar_t* extension = OutputExtension(profile.OutFormat);
  if (profile.OutFilename == 1) return FixedFileName(extension);
  const std::wstring folder = FieldText(profile.SetStorageFolder);
  const std::wstring date = LocalDateText(L"yyMMdd", when);
  const std::wstring time = LocalTimeText(L"HHmmss", when);
  const int counter = ChooseFileCounter(
      [&](int n) { return FileNameTaken(folder + AutomaticFileName(date, time, n, extension)); });
  return AutomaticFileName(date, time, counter, extension);
}

// Writes the pixels as a PNG file at `path`, made anew; 0 or the Win32 error.
DWORD WritePngFile(const std::wstring& path, const PngSource& source) {
  UniqueFile out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return GetLastError();
  DWORD error = ERROR_SUCCESS;
  const PngStatus status = WritePng(source, [&](const uint8_t* bytes, size_t size) {
    DWORD done = 0;  // pieces of a few hundred KB
    if (!WriteFile(out.Get(), bytes, DWORD(size), &done, nullptr))
      error = GetLastError();
    else if (done != size)
      error = ERROR_HANDLE_DISK_FULL;
    return error == ERROR_SUCCESS;
  });
  return status == PngStatus::kOutOfMemory ? ERROR_NOT_ENOUGH_MEMORY : error;
}

// Our own PNG writer, on the GDI+ image's pixels as 32-bit RGB, the format the grab makes.
// It writes "<path>.tmp" and moves that over `path`: a write that fails half way, as on a full
// disk, leaves the previous file as it was and no temp file, and a finished file appears whole.
CaptureStatus SavePng(Gdiplus::GpBitmap* image, const std::wstring& path) {
  UINT width = 0, height = 0;
  gp::GdipGetImageWidth(image, &width);
  gp::GdipGetImageHeight(image, &height);
  const Gdiplus::GpRect all(0, 0, INT(width), INT(height));
  Gdiplus::BitmapData pixels = {};
  const GpStatus locked =
      gp::GdipBitmapLockBits(image, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &pixels);
  if (locked != Gdiplus::Ok) return MapSaveStatus(locked);
  const std::wstring temp = path + L".tmp";
  DWORD error = WritePngFile(
      temp, {static_cast<const uint8_t*>(pixels.Scan0), INT(width), INT(height), pixels.Stride});
  gp::GdipBitmapUnlockBits(image, &pixels);
  if (!error && !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    error = GetLastError();
  if (!error) return kStatusOk;
  DeleteFileW(temp.c_str());
  if (error == ERROR_ACCESS_DENIED) return kStatusAccessDenied;
  return error == ERROR_NOT_ENOUGH_MEMORY ? kStatusOutOfMemory : kStatusWriteFailed;
}

void StoreLastName(CaptureProfile& profile, const std::wstring& name) {
  std::memset(profile.OutLastName, 0, sizeof(profile.OutLastName));
  const size_t length = std::min(name.size(), kLastNameChars - 1);
  std::memcpy(profile.OutLastName, name.data(), length * sizeof(wchar_t));
}

}  // namespace

int FindEncoder(const wchar_t* mimeType, CLSID* classId) {
  UINT count = 0, size = 0;
  if (gp::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return 0;
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]);
  if (!buffer) return 0;
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
  if (gp::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return 0;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, mimeType) == 0) {
      *classId = codecs[i].Clsid;
      return 1;
    }
  }
  return 0;
}

CaptureStatus SaveCaptureToFile(CaptureImage& holder, CaptureProfile& profile) {
  return SaveCaptureToFileAt(holder, profile, nullptr);
}

CaptureStatus SaveCaptureToFileAt(CaptureImage& holder, CaptureProfile& profile,
                                  const SYSTEMTIME* when) {
  StoreLastName(profile, ChooseFileName(profile, when));
  CreateDirectoryW(FieldText(profile.SetStorageFolder).c_str(), nullptr);
  const std::wstring path = CaptureFilePath(profile);
  if (profile.OutFormat == kPngFormat)
    return holder.image ? SavePng(holder.image.Get(), path) : kStatusWriteFailed;
  CLSID encoder;
  if (!FindEncoder(OutputMimeType(profile.OutFormat), &encoder)) return kStatusNoEncoder;
  if (!holder.image) return kStatusWriteFailed;
  EncoderParameterBlock parameters;
  return MapSaveStatus(
      gp::GdipSaveImageToFile(holder.image.Get(), path.c_str(), &encoder,
                              parameters.Build(profile.OutFormat, profile.OutJPEGQuality)));
}

CaptureStatus CopyCaptureToClipboard(CaptureImage& holder) {
  // The clipboard gets the finished picture, border and caption included, not the bare grab.
  if (holder.image) {
    HBITMAP finished = nullptr;
    if (gp::GdipCreateHBITMAPFromBitmap(holder.image.Get(), &finished, 0xFF000000) == Gdiplus::Ok &&
        finished)
      holder.bitmap.Reset(finished);
  }
  if (!OpenClipboard(holder.owner)) return kStatusFailed;
  CaptureStatus status = kStatusFailed;
  if (EmptyClipboard() && holder.bitmap && SetClipboardData(CF_BITMAP, holder.bitmap.Get())) {
    holder.bitmap.Release();
    status = kStatusOk;
  }
  CloseClipboard();
  return status;
}

void RunFinishingActions(const std::vector<FinishingAction>& actions) {
  for (const FinishingAction& action : actions) {
    if (action.kind == FinishingAction::Kind::Sound) {
      static const auto playSound =
          LoadSystemFunction<decltype(&PlaySoundW)>(L"winmm.dll", "PlaySoundW");
      if (playSound) playSound(action.target.c_str(), nullptr, action.soundFlags);
    } else {
      ShellExecuteW(nullptr, action.verb, action.target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
  }
}

}  // namespace kx
