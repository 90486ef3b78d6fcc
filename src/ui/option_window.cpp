#include "ui/option_window.h"

#include <commdlg.h>

#include "base/system_function.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/show_value.h"
#include "ui/theme.h"
#include "ui/tool_buttons.h"
#include "ui/tool_frame.h"

namespace kx {

int ClampEditValue(UINT read, int minimum, int maximum) {
  int value = int(read);
  if (value < minimum) return minimum;
  return value > maximum ? maximum : value;
}

OptionWindow::OptionWindow(HWND window, CaptureProfile& edited)
    : ToolWindow(window), profile(edited) {}

void OptionWindow::OnCreate(const CREATESTRUCTW&) {
  if (!HeadingAfter()) AddHeading(Title(), HeadingId());
  AddOkCancelResetRow();
  CreateOwnControls();
  RefreshControls();
  snapshot = profile;
}

void OptionWindow::AddGroup(const wchar_t* title, int y, int height) {
  groups_.push_back({title, y, height});
}

void OptionWindow::AddSwitchRow(int groupY, int buttonId, int labelId, Field field,
                                uint32_t choices, const wchar_t* key) {
  CreateSwitchButton(hwnd, L"", buttonId, 26, groupY + 7, 37, 37);
  if (buttonId == HeadingAfter()) AddHeading(Title(), HeadingId());
  AddLabel(L"", labelId, 68, groupY + 7, 339);
  switches_.push_back({buttonId, labelId, field, choices, key});
}

void OptionWindow::AddNumberRow(int groupY, const NumberRow& row) {
  CreateSpinButton(hwnd, row.spinId, row.x, groupY + 7, 37, 37, row.minimum, row.maximum);
  if (row.unit) AddLabel(row.unit, row.unitId, row.x + row.unitOffset, groupY + 7, row.unitWidth);
  HWND edit = CreateEditEx(hwnd, L"", row.editId, row.x + 40, groupY + 9, row.editWidth, 33,
                           row.editStyles);
  SendMessageW(edit, EM_LIMITTEXT, WPARAM(row.lengthLimit), 0);
  numbers_.push_back(row);
}

HWND OptionWindow::AddLabel(const wchar_t* text, int id, int x, int y, int width) const {
  return CreateLabelEx(hwnd, text, id, x, y, width, 37, false);
}

void OptionWindow::AddCheck(HWND button, Field field) {
  checks_.push_back({GetDlgCtrlID(button), field});
}

void OptionWindow::AddColourButton(HWND button, Field field) {
  colours_.push_back({GetDlgCtrlID(button), field});
}

void OptionWindow::ShowValue(const wchar_t* key, int controlId) const {
  ShowProfileValue(profile, key, GetDlgItem(hwnd, controlId));
}

void OptionWindow::RefreshControls() {
  for (const SwitchBinding& s : switches_) ShowValue(s.key, s.labelId);
  for (const NumberRow& n : numbers_) {
    SendDlgItemMessageW(hwnd, n.spinId, BXM_VALUE, kSetSilently, LPARAM(profile.*n.field));
    ShowValue(n.key, n.editId);
  }
  for (const FieldBinding& c : checks_)
    SendDlgItemMessageW(hwnd, c.id, BXM_CHECK, kSetAndRepaint, profile.*c.field ? 1 : 0);
}

LRESULT OptionWindow::OnCommand(WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (code == EN_KILLFOCUS) {
    OnEditKillFocus(id);
    return 0;
  }
  if (code != 0) return 0;
  switch (id) {
    case kOkId:
      BeforeOk(profile);
      CloseToolWindow(hwnd);
      return 0;
    case kCancelId:
      profile = snapshot;
      ApplyEffects();
      CloseToolWindow(hwnd);
      return 0;
    case kResetId:
      ApplyResetValues(profile);
      RefreshControls();
      ApplyEffects();
      return 0;
    default:
      OnSwitch(id) || OnCheck(id) || OnSpin(id) || OnColour(id) || OnOtherCommand(id);
      return 0;
  }
}

bool OptionWindow::OnSwitch(int id) {
  for (const SwitchBinding& s : switches_) {
    if (s.buttonId != id) continue;
    uint32_t& value = profile.*s.field;
    value = s.choices == kFlipFlag ? !value : (value + 1) % s.choices;
    ShowValue(s.key, s.labelId);
    return true;
  }
  return false;
}

bool OptionWindow::OnCheck(int id) {
  for (const FieldBinding& c : checks_) {
    if (c.id != id) continue;
    profile.*c.field = uint32_t(SendDlgItemMessageW(hwnd, id, BXM_CHECK, 0, 0));
    OnCheckChanged(c.field);
    return true;
  }
  return false;
}

bool OptionWindow::OnSpin(int id) {
  for (const NumberRow& n : numbers_) {
    if (n.spinId != id) continue;
    profile.*n.field = uint32_t(SendDlgItemMessageW(hwnd, id, BXM_VALUE, 0, 0));
    ShowValue(n.key, n.editId);
    return true;
  }
  return false;
}

bool OptionWindow::OnEditKillFocus(int id) {
  for (const NumberRow& n : numbers_) {
    if (n.editId != id) continue;
    // Text that is not a number reads as 0 and so clamps to the minimum.
    UINT read = GetDlgItemInt(hwnd, id, nullptr, FALSE);
    int value = ClampEditValue(read, n.minimum, n.maximum);
    SetDlgItemInt(hwnd, id, UINT(value), FALSE);
    profile.*n.field = uint32_t(value);
    SendDlgItemMessageW(hwnd, n.spinId, BXM_VALUE, kSetSilently, value);
    // The field's own format has the last word ("7" shows as "07" where two digits are kept).
    ShowValue(n.key, id);
    return true;
  }
  return false;
}

bool OptionWindow::OnColour(int id) {
  for (const FieldBinding& c : colours_) {
    if (c.id != id) continue;
    COLORREF custom[16] = {};
    for (COLORREF& colour : custom) colour = RGB(255, 255, 255);
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = hwnd;
    choose.rgbResult = profile.*c.field;
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    static const auto chooseColour =
        LoadSystemFunction<decltype(&ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    // The chooser's loop may have seen this window closed with the program.
    if (chooseColour && chooseColour(&choose) && Alive()) profile.*c.field = choose.rgbResult;
    return true;
  }
  return false;
}

void PagedOptionWindow::CreateOwnControls() {
  for (const OptionPage::Group& g : page_.groups) {
    AddGroup(g.title, g.y, g.height);
    const auto inGroup = [&g](int y) { return y >= g.y && y < g.y + g.height; };
    for (const OptionPage::Switch& s : page_.switches)
      if (inGroup(s.groupY))
        AddSwitchRow(s.groupY, s.buttonId, s.labelId, s.field, s.choices, s.key);
    for (const OptionPage::Number& n : page_.numbers)
      if (inGroup(n.groupY)) AddNumberRow(n.groupY, n.row);
    for (const OptionPage::Button& b : page_.buttons)
      if (inGroup(b.y)) AddButton(b);
    for (const OptionPage::Text& t : page_.texts)
      if (inGroup(t.y)) AddLabel(t.text, t.id, t.x, t.y, t.width);
  }
}

void PagedOptionWindow::AddButton(const OptionPage::Button& b) {
  if (b.kind == OptionPage::Button::kCheck)
    AddCheck(CreateCheckButton(hwnd, L"", b.buttonId, b.x, b.y, 37, 37), b.field);
  else if (b.kind == OptionPage::Button::kColour)
    AddColourButton(CreateSwatchButton(hwnd, L"", b.buttonId, b.x, b.y, 37, 37), b.field);
  else
    CreateSwatchButton(hwnd, L"", b.buttonId, b.x, b.y, 37, 37);
  if (b.labelId) AddLabel(b.text, b.labelId, b.x + 42, b.y, b.labelWidth);
}

void PagedOptionWindow::ApplyResetValues(CaptureProfile& edited) {
  for (const OptionPage::Value& v : page_.resetValues) edited.*v.field = v.value;
  for (ProfileField f : page_.resetFromDefaults) edited.*f = defaults_.*f;
}

void PagedOptionWindow::BeforeOk(CaptureProfile& edited) {
  if (page_.atLeastOneOnOk && edited.*page_.atLeastOneOnOk == 0) edited.*page_.atLeastOneOnOk = 1;
}

void OptionWindow::PaintContent(HDC dc, int width, int) const {
  for (const Group& g : groups_)
    DrawGroupFrame(dc, g.title, theme::kGroupX, g.y, width - 2 * theme::kGroupX, g.height);
}

}  // namespace kx
