// The settings-window protocol shared by every window that edits the capture profile live,
// control by control: a snapshot taken after creation that "Cancel" restores whole,
// "OK" that keeps everything, and "Reset" that applies the window's own reset values.
// A window subclass only lists its controls (bound to profile fields) and reset values.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "capture/capture_profile.h"
#include "ui/tool_window.h"

namespace kx {

// Clamps what an edit box read as an unsigned number into [minimum, maximum]; a value
// that is negative as a signed 32-bit number clamps to the minimum.
int ClampEditValue(UINT read, int minimum, int maximum);

class OptionWindow : public ToolWindow {
 public:
  OptionWindow(HWND window, CaptureProfile& edited);

  CaptureProfile snapshot = {};

 protected:
  using Field = uint32_t CaptureProfile::*;

  // The heading label's text and control id.
  virtual const wchar_t* Title() const = 0;
  virtual int HeadingId() const { return 0; }
  // Creates the window's own controls with the Add... helpers below.
  virtual void CreateOwnControls() = 0;
  virtual void ApplyResetValues(CaptureProfile& edited) = 0;
  // Runs on "OK" only, before the window closes (not on a close message).
  virtual void BeforeOk(CaptureProfile& /*edited*/) {}
  // For settings that act outside the profile (a registry value, the hotkeys): puts them in
  // line with the profile after "Cancel" restored it and after "Reset".
  virtual void ApplyEffects() {}
  // A check button has just stored its state in `field`.
  virtual void OnCheckChanged(Field /*field*/) {}
  // A command of a control the protocol does not bind; true when the window handled it.
  virtual bool OnOtherCommand(int /*id*/) { return false; }

  // Reset helper for the windows whose reset values are those of another profile.
  static void CopyFields(CaptureProfile& to, const CaptureProfile& from,
                         std::initializer_list<Field> fields);

  // A dotted group frame drawn at (19, y), window width - 38 wide.
  void AddGroup(const wchar_t* title, int y, int height = 51);
  // Switch button (26, g + 7) stepping `field` through `choices` values, with its value label.
  void AddSwitchRow(int groupY, int buttonId, int labelId, Field field, uint32_t choices,
                    const wchar_t* key);
  // Spin (x, g + 7), edit box (x + 40, g + 9) and unit label (x + 96, g + 7) for a number;
  // no unit label when `unit` is null.
  struct NumberRow {
    int spinId, editId, unitId;
    Field field;
    int minimum, maximum;
    const wchar_t* key;
    const wchar_t* unit;
    int lengthLimit;
    DWORD editStyles = 0;
    int x = 26;
    int editWidth = 51;
  };
  void AddNumberRow(int groupY, const NumberRow& row);
  void AddCheck(HWND button, Field field);  // a check button made by a preset
  void AddColourButton(HWND button, Field field);
  // A plain one-line label, 37 pixels high.
  HWND AddLabel(const wchar_t* text, int id, int x, int y, int width) const;
  // Re-reads every bound control from the profile (after creation and after Reset).
  void RefreshControls();

  CaptureProfile& profile;

 private:
  struct SwitchBinding {
    int buttonId, labelId;
    Field field;
    uint32_t choices;
    const wchar_t* key;
  };
  struct FieldBinding {
    int id;
    Field field;
  };
  struct Group {
    const wchar_t* title;
    int y, height;
  };

  void OnCreate(const CREATESTRUCTW& create) final;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PaintContent(HDC dc, int width, int height) const override;
  bool TakesFocusOnClick() const override { return !numbers_.empty(); }

  bool OnSwitch(int id);
  bool OnCheck(int id);
  bool OnSpin(int id);
  bool OnEditKillFocus(int id);
  bool OnColour(int id);
  void ShowValue(const wchar_t* key, int controlId) const;

  std::vector<SwitchBinding> switches_;
  std::vector<NumberRow> numbers_;
  std::vector<FieldBinding> checks_;
  std::vector<FieldBinding> colours_;
  std::vector<Group> groups_;
};

}  // namespace kx
