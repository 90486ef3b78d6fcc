// The settings-window protocol shared by every window that edits the capture profile live,
// control by control: a snapshot taken after creation that "Cancel" restores whole,
// "OK" that keeps everything, and "Reset" that applies the window's own reset values.
// A window either lists its controls (bound to profile fields) and reset values in code, or,
// like every option window of the program, is made from a page: a table of the same.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "capture/capture_profile.h"
#include "ui/tool_window.h"

namespace kx {

// Clamps what an edit box read as an unsigned number into [minimum, maximum]; a value
// that is negative as a signed 32-bit number clamps to the minimum.
int ClampEditValue(UINT read, int minimum, int maximum);

using ProfileField = uint32_t CaptureProfile::*;

// Spin (x, g + 7), unit label (x + unitOffset, g + 7) and edit box (x + 40, g + 9), made in
// that order, for a number in a group at g; no unit label when `unit` is null.
struct OptionNumberRow {
  int spinId, editId, unitId;
  ProfileField field;
  int minimum, maximum;
  const wchar_t* key;
  const wchar_t* unit;
  int lengthLimit;
  DWORD editStyles = 0;
  int x = 26;
  int editWidth = 51;
  int unitOffset = 96, unitWidth = 37;
};

// The number of choices of a switch that flips a flag: any value but 0 turns it off.
inline constexpr uint32_t kFlipFlag = 0;

class OptionWindow : public ToolWindow {
 public:
  OptionWindow(HWND window, CaptureProfile& edited);

  CaptureProfile snapshot = {};

 protected:
  using Field = ProfileField;
  using NumberRow = OptionNumberRow;

  // The heading label's text and control id.
  virtual const wchar_t* Title() const = 0;
  virtual int HeadingId() const { return 0; }
  // The switch button after which the heading is made; 0: the heading comes first.
  virtual int HeadingAfter() const { return 0; }
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

  // A dotted group frame drawn at (19, y), window width - 38 wide.
  void AddGroup(const wchar_t* title, int y, int height = 51);
  // Switch button (26, g + 7) stepping `field` through `choices` values (or flipping it,
  // kFlipFlag), with its value label.
  void AddSwitchRow(int groupY, int buttonId, int labelId, Field field, uint32_t choices,
                    const wchar_t* key);
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

// The page of a settings window: everything that tells one from another.
struct OptionPage {
  struct Group {
    const wchar_t* title;
    int y, height = 51;
  };
  struct Switch {
    int groupY, buttonId, labelId;
    ProfileField field;
    uint32_t choices;
    const wchar_t* key;
  };
  struct Number {
    int groupY;
    OptionNumberRow row;
  };
  // A 37 x 37 check or colour button, or one whose command the window handles itself
  // (drawn as a colour button, no field), with its label 42 pixels to its right when it has
  // one; the label does not act on the button, a click on it only moves the focus.
  struct Button {
    enum Kind { kCheck, kColour, kCommand } kind;
    int buttonId, x, y;
    ProfileField field;
    int labelId = 0, labelWidth = 0;
    const wchar_t* text = nullptr;
  };
  struct Text {
    const wchar_t* text;
    int id, x, y, width;
  };
  struct Value {
    ProfileField field;
    uint32_t value;
  };

  // Pages give these in order, without names, so that each page stays a few lines.
  // The controls are made group by group: in each, its switch rows, number rows, buttons and
  // other texts, each kind in the order of its table.
  const wchar_t* className;
  int height;
  const wchar_t* title;
  int headingId;
  std::span<const Group> groups;
  std::span<const Switch> switches = {};
  std::span<const Number> numbers = {};
  std::span<const Button> buttons = {};
  std::span<const Text> texts = {};
  // Reset sets these values, then copies these fields from the default profile.
  std::span<const Value> resetValues = {};
  std::span<const ProfileField> resetFromDefaults = {};
  // "OK" raises this field to at least 1 (null: none).
  ProfileField atLeastOneOnOk = nullptr;
  // The switch button after which the heading is made (0: the heading first of all).
  int headingAfter = 0;
};

// A settings window made from its page.
class PagedOptionWindow : public OptionWindow {
 public:
  PagedOptionWindow(HWND window, const OptionPage& page, CaptureProfile& current,
                    const CaptureProfile& defaults)
      : OptionWindow(window, current), page_(page), defaults_(defaults) {}

 protected:
  // A window that adds to its page extends these two.
  void CreateOwnControls() override;
  void ApplyResetValues(CaptureProfile& edited) override;

  const OptionPage& page_;
  const CaptureProfile& defaults_;

 private:
  void AddButton(const OptionPage::Button& button);
  const wchar_t* Title() const override { return page_.title; }
  int HeadingId() const override { return page_.headingId; }
  int HeadingAfter() const override { return page_.headingAfter; }
  void BeforeOk(CaptureProfile& edited) override;
};

// The window type of a page, for the class list and RunToolWindow<T>(owner, current,
// defaults); `Page` is a constant defined with the window's table.
template <const OptionPage& Page>
class OptionWindowOf final : public PagedOptionWindow {
 public:
  static constexpr const wchar_t* const& kClassName = Page.className;
  static constexpr const int& kHeight = Page.height;
  OptionWindowOf(HWND window, CaptureProfile& current, const CaptureProfile& defaults)
      : PagedOptionWindow(window, Page, current, defaults) {}
};

}  // namespace kx
