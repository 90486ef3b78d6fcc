#include "capture/output_plan.h"

#include <cstdio>

namespace kx {

// GDI+ encoder parameter "quality" {1d5be4b5-fa4a-452d-9cdd-5db35105e7eb}.
const GUID kEncoderQualityId = {
    0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

const wchar_t* OutputExtension(uint32_t format) {
  switch (format) {
    case 0:
      return L".png";
    case 1:
      return L".bmp";
    case 2:
      return L".jpg";
    default:
      return L"";
  }
}

const wchar_t* OutputMimeType(uint32_t format) {
  switch (format) {
    case 0:
      return L"image/png";
    case 1:
      return L"image/bmp";
    case 2:
      return L"image/jpeg";
    default:
      return L"";
  }
}

std::wstring AutomaticFileName(const std::wstring& date, const std::wstring& time, int counter,
                               const wchar_t* extension) {
  wchar_t name[kLastNameChars * 2];
  swprintf(name, std::size(name), L"\\KEST-%ls%ls%02d%ls", date.c_str(), time.c_str(), counter,
           extension);
  return name;
}

std::wstring FixedFileName(const wchar_t* extension) {
  return std::wstring(L"\\KEST") + extension;
}

int ChooseFileCounter(const std::function<bool(int counter)>& taken) {
  for (int counter = 0; counter < kLastNameCounter; ++counter)
    if (!taken(counter)) return counter;
  return kLastNameCounter;
}

CaptureStatus MapSaveStatus(Gdiplus::GpStatus status) {
  switch (status) {
    case Gdiplus::Ok:
      return kStatusOk;
    case Gdiplus::AccessDenied:
      return kStatusAccessDenied;
    case Gdiplus::OutOfMemory:
      return kStatusOutOfMemory;
    default:
      return kStatusWriteFailed;
  }
}

const Gdiplus::EncoderParameters* EncoderParameterBlock::Build(uint32_t format,
                                                               uint32_t jpegQuality) {
  if (format != 2) return nullptr;
  quality_ = static_cast<LONG>(jpegQuality);
  list_.Count = 1;
  list_.Parameter[0].Guid = kEncoderQualityId;
  list_.Parameter[0].NumberOfValues = 1;
  list_.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  list_.Parameter[0].Value = &quality_;
  return &list_;
}

std::wstring CaptureFilePath(const CaptureProfile& profile) {
  return FieldText(profile.SetStorageFolder) + FieldText(profile.OutLastName);
}

std::vector<FinishingAction> PlanFinishingActions(const CaptureProfile& profile) {
  std::vector<FinishingAction> actions;
  if (profile.OptSound)
    actions.push_back(
        {FinishingAction::Kind::Sound, kCaptureSoundFile, nullptr, kCaptureSoundFlags});
  if (profile.OutType == 0) {
    if (profile.OptView)
      actions.push_back({FinishingAction::Kind::Shell, CaptureFilePath(profile), L"open", 0});
    if (profile.OptEdit)
      actions.push_back({FinishingAction::Kind::Shell, CaptureFilePath(profile), L"edit", 0});
  }
  return actions;
}

}  // namespace kx
