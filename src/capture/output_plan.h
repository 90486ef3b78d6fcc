// Pure decisions of the output step: extensions and encoder types, file names, the
// status of a GDI+ write, the JPEG parameter list and the actions after a capture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "capture/capture_profile.h"
#include "capture/capture_status.h"
#include "capture/gdiplus_handles.h"

namespace kx {

inline constexpr uint32_t kPngFormat = 0;  // written by our own encoder, the others by GDI+
inline constexpr int kLastNameCounter = 98;
inline constexpr const wchar_t* kCaptureSoundFile = L"kest.wav";
inline constexpr DWORD kCaptureSoundFlags = 0x20001;  // SND_FILENAME | SND_ASYNC

const wchar_t* OutputExtension(uint32_t format);  // "" for an unknown format
const wchar_t* OutputMimeType(uint32_t format);   // "" for an unknown format

// "\KEST-<date><time><NN><ext>"
std::wstring AutomaticFileName(const std::wstring& date, const std::wstring& time, int counter,
                               const wchar_t* extension);
std::wstring FixedFileName(const wchar_t* extension);  // "\KEST<ext>"
// The first counter 0..98 whose name is free; 98 when every name is taken.
int ChooseFileCounter(const std::function<bool(int counter)>& taken);

CaptureStatus MapSaveStatus(Gdiplus::GpStatus status);

// The encoder parameter list for a format: one long quality value for JPEG, none otherwise.
// The block must outlive the pointer returned, so it is neither copied nor moved.
class EncoderParameterBlock {
 public:
  EncoderParameterBlock() = default;
  EncoderParameterBlock(const EncoderParameterBlock&) = delete;
  EncoderParameterBlock& operator=(const EncoderParameterBlock&) = delete;
  const Gdiplus::EncoderParameters* Build(uint32_t format, uint32_t jpegQuality);

 private:
  Gdiplus::EncoderParameters list_ = {};
  LONG quality_ = 0;
};
extern const GUID kEncoderQualityId;

struct FinishingAction {
  enum class Kind { Sound, Shell } kind;
  std::wstring target;  // sound file name or full path of the capture
  const wchar_t* verb;  // shell verb; null for the sound
  DWORD soundFlags;
};
std::vector<FinishingAction> PlanFinishingActions(const CaptureProfile& profile);
// SetStorageFolder followed by OutLastName.
std::wstring CaptureFilePath(const CaptureProfile& profile);

}  // namespace kx
