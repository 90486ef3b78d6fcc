#include "select/timer_window.h"

namespace kx {

void TimerWindow::CreateOwnControls() {
  AddGroup(L"Status", 119);
  AddGroup(L"Timer", 199);
  AddSwitchRow(119, 1029, 1034, &CaptureProfile::TimStatus, 2, L"TimStatus");
  // One row of three spin-and-edit pairs, 85 pixels apart, with a colon after the first two.
  const struct {
    int spinId, editId, colonId;
    Field field;
    const wchar_t* key;
  } parts[] = {{1030, 1038, 1035, &CaptureProfile::TimTimeHour, L"TimTimeHour"},
               {1031, 1039, 1036, &CaptureProfile::TimTimeMin, L"TimTimeMin"},
               {1032, 1040, 0, &CaptureProfile::TimTimeSec, L"TimTimeSec"}};
  int x = 26;
  for (const auto& part : parts) {
    AddNumberRow(199, {part.spinId, part.editId, 0, part.field, 0, 59, part.key, nullptr, 2,
                       ES_NUMBER, x, 33});
    if (part.colonId) AddLabel(L":", part.colonId, x + 78, 206, 3);
    x += 85;
  }
}

void TimerWindow::ApplyResetValues(CaptureProfile& edited) {
  CopyFields(edited, defaults_,
             {&CaptureProfile::TimStatus, &CaptureProfile::TimTimeHour, &CaptureProfile::TimTimeMin,
              &CaptureProfile::TimTimeSec});
}

// An interval of zero would capture without pause, so OK makes the seconds at least 1,
// whatever the hours and minutes.
void TimerWindow::BeforeOk(CaptureProfile& edited) {
  if (edited.TimTimeSec == 0) edited.TimTimeSec = 1;
}

}  // namespace kx
