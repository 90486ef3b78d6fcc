#include "options/caption_window.h"

#include "ui/tool_buttons.h"

namespace kx {

namespace {

// A 37 x 37 button with its 146-pixel label 42 pixels to the right; the label does not
// toggle the button, a click on it only moves the focus.
struct LabelledButton {
  int buttonId, labelId, x, y;
  const wchar_t* text;
  uint32_t CaptureProfile::*field;
};

constexpr LabelledButton kChecks[] = {
    {1030, 1040, 26, 206, L"Computer name", &CaptureProfile::CapComputer},
    {1031, 1041, 219, 206, L"User name", &CaptureProfile::CapUser},
    {1032, 1042, 26, 245, L"Date", &CaptureProfile::CapDate},
    {1033, 1043, 219, 245, L"Time", &CaptureProfile::CapTime},
};
constexpr LabelledButton kColours[] = {
    {1034, 1044, 26, 325, L"Background", &CaptureProfile::CapBackColor},
    {1035, 1045, 219, 325, L"Text", &CaptureProfile::CapTextColor},
};

}  // namespace

void CaptionWindow::CreateOwnControls() {
  AddGroup(L"Status", 119);
  AddGroup(L"System Caption", 199, 90);
  AddGroup(L"Color", 318);
  AddGroup(L"Position", 398);
  AddGroup(L"Transparency", 478);
  AddSwitchRow(119, 1029, 1039, &CaptureProfile::CapStatus, 2, L"CapStatus");
  for (const LabelledButton& c : kChecks)
    AddCheck(CreateCheckButton(hwnd, L"", c.buttonId, c.x, c.y, 37, 37), c.field);
  for (const LabelledButton& c : kChecks) AddLabel(c.text, c.labelId, c.x + 42, c.y, 146);
  for (const LabelledButton& c : kColours)
    AddColourButton(CreateSwatchButton(hwnd, L"", c.buttonId, c.x, c.y, 37, 37), c.field);
  for (const LabelledButton& c : kColours) AddLabel(c.text, c.labelId, c.x + 42, c.y, 146);
  AddSwitchRow(398, 1036, 1046, &CaptureProfile::CapPosition, 2, L"CapPosition");
  AddNumberRow(478, {1037, 1048, 1047, &CaptureProfile::CapTrans, 0, 100, L"CapTrans", L"%", 3});
}

void CaptionWindow::ApplyResetValues(CaptureProfile& p) {
  p.CapStatus = 0;
  p.CapComputer = 0;
  p.CapUser = 0;
  p.CapDate = 1;
  p.CapTime = 1;
  p.CapBackColor = 0x333333;
  p.CapTextColor = 0xFFFFFF;
  p.CapPosition = 1;
  p.CapTrans = 20;
}

}  // namespace kx
