#include "app/main_layout.h"

#include "resource_ids.h"
#include "ui/theme.h"

namespace kx {

namespace {

constexpr int W = theme::kMainWidth;
using P = CaptureProfile;

constexpr MainControl kControls[] = {
    {kCloseId, L"", W - 52, 1, 41, 17, MainSetup::kTitleBar, IDB_TITLE_CLOSE},
    {kMinimiseId, L"", W - 76, 1, 23, 17, MainSetup::kTitleBar, IDB_TITLE_MINIMISE},
    {kMenuId, L"", W - 100, 1, 23, 17, MainSetup::kTitleBar, IDB_TITLE_MENU},
    {kInputTypeId, L"Window", 26, 152, 103, 37, MainSetup::kChoice, 2},
    {kInputPropertiesId, L"Properties", 130, 152, 103, 37, MainSetup::kPlain},
    {kOutputTypeId, L"File", 26, 232, 103, 37, MainSetup::kChoice, 1},
    {kOutputPropertiesId, L"Properties", 130, 232, 103, 37, MainSetup::kPlain},
    {kCaptionId, L"Caption", 26, 312, 103, 37, MainSetup::kOptionToggle, 0, &P::CapStatus},
    {kBorderId, L"Border", 130, 312, 103, 37, MainSetup::kOptionToggle, 0, &P::BorStatus},
    {kScaleId, L"Scale", 234, 312, 103, 37, MainSetup::kOptionToggle, 0, &P::ScaStatus},
    {kTimerId, L"Timer", 338, 312, 103, 37, MainSetup::kOptionToggle, 0, &P::TimStatus},
    {kSoundId, L"Sound", 26, 351, 103, 37, MainSetup::kOptionToggle, 1, &P::OptSound},
    {kCursorId, L"Cursor", 130, 351, 103, 37, MainSetup::kOptionToggle, 1, &P::OptCursor},
    {kViewId, L"View", 234, 351, 103, 37, MainSetup::kOptionToggle, 1, &P::OptView},
    {kEditId, L"Edit", 338, 351, 103, 37, MainSetup::kOptionToggle, 1, &P::OptEdit},
    {kProfileId, L"None", 26, 432, 311, 37, MainSetup::kProfile},
    {kSaveAsId, L"Save As", 338, 432, 103, 37, MainSetup::kPlain},
    {kStorageId, L"Storage", 90, 497, 140, 50, MainSetup::kPlain},
    {kCaptureId, L"Capture", 231, 497, 140, 50, MainSetup::kPlain},
};

}  // namespace

std::span<const MainControl> MainControls() {
  return kControls;
}

const wchar_t* MainHelpText(int id, const CaptureProfile& profile) {
  switch (id) {
    case kInputTypeId:
      switch (profile.InType) {
        case 0:
          return L"Capture a window or an element on the window.";
        case 1:
          return L"Capture the entire screen.";
        case 2:
          return L"Capture a rectangular area.";
        default:
          return nullptr;
      }
    case kInputPropertiesId:
      return L"Configure window settings.";
    case kOutputTypeId:
      switch (profile.OutType) {
        case 0:
          return L"Save the capture to a file.";
        case 1:
          return L"Save the capture to the clipboard.";
        default:
          return nullptr;
      }
    case kOutputPropertiesId:
      return L"Configure output file settings.";
    case kCaptionId:
      return L"Add a text to the image.";
    case kBorderId:
      return L"Add a border around the image.";
    case kScaleId:
      return L"Scale the image by percentage.";
    case kTimerId:
      return L"Perform captures at defined intervals.";
    case kSoundId:
      return L"Play a sound when a capture is finished.";
    case kCursorId:
      return L"Include cursor in capture.";
    case kViewId:
      return L"Open a capture in default image viewer.";
    case kEditId:
      return L"Edit a capture in default image editor.";
    case kProfileId:
      return L"Load settings from a stored profile.";
    case kSaveAsId:
      return L"Save settings as a new profile.";
    case kStorageId:
      return L"Open output folder.\n\nPress 'Ctrl + PrintScreen' to open output folder.";
    case kCaptureId:
      return L"Start capture.\n\nPress 'PrintScreen' to capture.\n"
             L"Press 'Shift + PrintScreen' to repeat the last capture.";
    default:
      return nullptr;
  }
}

}  // namespace kx
