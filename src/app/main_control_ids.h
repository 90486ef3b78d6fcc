// The main window's control and command ids, free of platform headers so that the
// end-to-end driver finds the same controls.
#pragma once

namespace kx {

enum MainControlId : int {
  kCloseId = 1026,
  kMinimiseId = 1027,
  kMenuId = 1028,
  kInputTypeId = 1029,
  kInputPropertiesId = 1030,
  kOutputTypeId = 1031,
  kOutputPropertiesId = 1032,
  kCaptionId = 1033,
  kBorderId = 1034,
  kScaleId = 1035,
  kTimerId = 1036,
  kSoundId = 1037,
  kCursorId = 1038,
  kViewId = 1039,
  kEditId = 1040,
  kProfileId = 1041,
  kSaveAsId = 1042,
  kStorageId = 1043,
  kCaptureId = 1044,
  kRepeatCaptureId = 1045,
};

}  // namespace kx
