// The option windows, the timer window and the Settings window of the real program, opened
// from the main window and used with real clicks and typing: one session per window, each a
// script of steps, from the layout to the profile the program stores when it closes.

#include "tool_steps.h"

namespace e2e {
namespace {

const std::string kRunText = "C:\\Program Files\\Kestrix\\Kestrix.exe /min";

// clang-format off
const Sheet kBorder = MakeSheet("KXBorderWndClass", 398, kBorderId, 1032,
    {SwitchRow(119, 1029, 1033), NumberRow(199, 1030, 1036, 1034),
     {{1031, 26, 286, 37, 37}, {1035, 68, 286, 339, 37}}},
    {{119, 51}, {199, 51}, {279, 51}});
const Sheet kCaption = MakeSheet("KXCaptionWndClass", 597, kCaptionId, 1038,
    {SwitchRow(119, 1029, 1039),
     {{1030, 26, 206, 37, 37},   {1031, 219, 206, 37, 37},  {1032, 26, 245, 37, 37},
      {1033, 219, 245, 37, 37},  {1040, 68, 206, 146, 37},  {1041, 261, 206, 146, 37},
      {1042, 68, 245, 146, 37},  {1043, 261, 245, 146, 37}, {1034, 26, 325, 37, 37},
      {1035, 219, 325, 37, 37},  {1044, 68, 325, 146, 37},  {1045, 261, 325, 146, 37}},
     SwitchRow(398, 1036, 1046), NumberRow(478, 1037, 1048, 1047)},
    {{119, 51}, {199, 90}, {318, 51}, {398, 51}, {478, 51}});
const Sheet kFileFormat = MakeSheet("KXFileFormatWndClass", 398, kOutputPropertiesId, 1032,
    {SwitchRow(119, 1029, 1033), SwitchRow(199, 1030, 1034), NumberRow(279, 1031, 1035, 0)},
    {{119, 51}, {199, 51}, {279, 51}});
const Sheet kWindowProp = MakeSheet("KXWindowPropWndClass", 238, kInputPropertiesId, 1030,
    {SwitchRow(119, 1029, 1031)}, {{119, 51}});
// clang-format on

class OptionWindowsE2E : public ToolSession {
 protected:
  void SetUp() override {
    ToolSession::SetUp();
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(TextBecomes(kProfileId, "Default"));
  }
};

// The scripts are tables: one step per cell, kept as written.
// clang-format off
TEST_F(OptionWindowsE2E, BorderWindow) {
  Run(kBorder, {{kOpen, 0, "", 1033, "Disabled"}, {kSee, 0, "", 1034, "px"}});
  CheckLayout("border_window");
  Run(kBorder, {{kPress, 1029, "", 1033, "Enabled"},
                // Out of range both ways, nothing or no number, and a box of one character.
                {kType, 1036, "0", 1036, "1"}, {kValue, 1030, "1"}, {kType, 1036, "8", 1036, "5"},
                {kValue, 1030, "5"}, {kType, 1036, "38", 1036, "3"}, {kType, 1036, "", 1036, "1"},
                {kType, 1036, "x", 1036, "1"}, {kDown, 1030, "", 1036, "1"},
                {kUp, 1030}, {kUp, 1030}, {kUp, 1030}, {kUp, 1030}, {kUp, 1030, "", 1036, "5"},
                {kDown, 1030, "", 1036, "4"}, {kChooser, 1031},
                {kClose, kOk}, {kMainCheck, 0, "1"}, {kName, 0, "None"},
                // Reset gives the defaults and keeps the window open; Cancel undoes it.
                {kOpen, 0, "", 1036, "4"}, {kPress, kReset, "", 1033, "Disabled"},
                {kSee, 0, "", 1036, "1"}, {kValue, 1030, "1"}, {kClose, kCancel},
                {kMainCheck, 0, "1"}, {kOpen, 0, "", 1033, "Enabled"}, {kSee, 0, "", 1036, "4"},
                {kClose, kOk}});
  ExpectStored({{80, 1}, {84, 4}});  // on, 4 px
  // A stored 2 (a hand-edited or foreign profile) shows on, and the first press turns it off.
  SetRecordValue(stored, kBorStatus, 2);
  WriteData("Profile.db", stored);
  ASSERT_NO_FATAL_FAILURE(Start());
  Run(kBorder, {{kOpen, 0, "", 1033, "Enabled"}, {kPress, 1029, "", 1033, "Disabled"},
                {kClose, kOk}});
  ExpectStored({{80, 0}});
}

TEST_F(OptionWindowsE2E, CaptionWindow) {
  Run(kCaption, {{kOpen, 0, "", 1039, "Disabled"}, {kSee, 0, "", 1046, "Outside of image"},
                 {kSee, 0, "", 1048, "20"}, {kCheck, 1030, "0"}, {kCheck, 1032, "1"}});
  CheckLayout("caption_window");
  Run(kCaption, {{kPress, 1029, "", 1039, "Enabled"}, {kPress, 1032}, {kCheck, 1032, "0"},
                 {kPress, 1032}, {kCheck, 1032, "1"}, {kPress, 1030}, {kCheck, 1030, "1"},
                 {kPress, 1041}, {kCheck, 1031, "0"},  // the "User name" label toggles nothing
                 {kPress, 1036, "", 1046, "Inside of image"},
                 {kPress, 1036, "", 1046, "Outside of image"},
                 {kPress, 1036, "", 1046, "Inside of image"},
                 // 100 typed, committed by the press on the spin's lower half, then one down.
                 {kTypeOnly, 1048, "100"}, {kDown, 1037, "", 1048, "99"}, {kValue, 1037, "99"},
                 {kClose, kOk},
                 {kMainCheck, 0, "1"}, {kName, 0, "None"},
                 {kOpen, 0, "", 1048, "99"}, {kPress, kReset, "", 1039, "Disabled"},
                 {kSee, 0, "", 1046, "Outside of image"}, {kSee, 0, "", 1048, "20"},
                 {kValue, 1037, "20"}, {kCheck, 1030, "0"}, {kCheck, 1031, "0"},
                 {kCheck, 1032, "1"}, {kCheck, 1033, "1"},
                 {kClose, kCancel}, {kMainCheck, 0, "1"}});
  // On, computer name, user name off, date, time, inside, 99 %.
  ExpectStored({{44, 1}, {48, 1}, {52, 0}, {56, 1}, {60, 1}, {64, 0}, {68, 99}});
}

TEST_F(OptionWindowsE2E, OutputFileWindow) {
  Run(kFileFormat, {{kOpen, 0, "", 1033, "Automatic"}, {kSee, 0, "", 1035, "100"}});
  CheckLayout("file_format_window");
  Run(kFileFormat, {{kPress, 1029, "", 1033, "Fixed"}, {kPress, 1030, "", 1034, "BMP"},
                    {kPress, 1030, "", 1034, "JPEG"}, {kPress, 1030, "", 1034, "PNG"},
                    {kPress, 1030, "", 1034, "BMP"}, {kPress, 1030, "", 1034, "JPEG"},
                    {kType, 1035, "90", 1035, "90"}});
  Run(kFileFormat, {{kUp, 1031, "", 1035, "91"}, {kType, 1035, "40", 1035, "40"},
                    {kTypeOnly, 1035, "250"}, {kClose, kOk}, {kName, 0, "None"},
                    {kOpen, 0, "", 1035, "100"}, {kSee, 0, "", 1034, "JPEG"},
                    {kType, 1035, "40", 1035, "40"}, {kPress, kReset, "", 1034, "PNG"},
                    {kSee, 0, "", 1035, "100"}, {kSee, 0, "", 1033, "Fixed"},
                    {kClose, kCancel}});
  ExpectStored({{32, 1}, {36, 2}, {40, 100}});  // fixed names, JPEG, 250 clamped on OK
}

TEST_F(OptionWindowsE2E, WindowPropertiesWindow) {
  Run(kWindowProp, {{kOpen, 0, "", 1031, "Current"}});
  CheckLayout("window_properties_window");
  Run(kWindowProp, {{kPress, 1029, "", 1031, "Clean"}, {kPress, 1029, "", 1031, "Current"},
                    {kPress, 1029, "", 1031, "Clean"}, {kClose, kOk}, {kName, 0, "None"},
                    {kOpen, 0, "", 1031, "Clean"}, {kPress, kReset, "", 1031, "Current"},
                    {kClose, kCancel}, {kName, 0, "None"}});
  ExpectStored({{4, 1}});
}

TEST_F(OptionWindowsE2E, SettingsWindow) {
  Run(kSettings, {{kOpen, 0, "", 1036, "Settings"}, {kSee, 0, "", 1037, "Open storage"},
                  {kSee, 0, "", 1038, "Select storage"}, {kSee, 0, "", 1039, "Start with Windows"},
                  {kSee, 0, "", 1041, "Enable global hotkeys"},
                  {kSee, 0, "", 1040, "Show help text"},
                  {kSee, 0, "", 1042, "Show magnifier window when performing an area capture"},
                  {kSee, 0, "", 1043, "Hide Kestrix before capturing"},
                  {kCheck, 1031, "0"}, {kCheck, 1033, "1"}, {kCheck, 1032, "1"},
                  {kCheck, 1034, "1"}, {kCheck, 1035, "1"}, {kRunValue, 0, ""}});
  CheckLayout("settings_window");
  Run(kSettings, {// "Start with Windows" acts at once both ways, and Cancel undoes it.
                  {kPress, 1031}, {kRunValue, 0, kRunText}, {kCheck, 1031, "1"},
                  {kPress, 1031}, {kRunValue, 0, ""}, {kPress, 1031}, {kRunValue, 0, kRunText},
                  {kClose, kCancel}, {kRunValue, 0, ""}, {kName, 0, "Default"},
                  // Reset: every setting back, the capture setting (Sound) kept.
                  {kMainPress, 1037}, {kName, 0, "None"}, {kOpen},
                  {kPress, 1031}, {kPress, 1033}, {kPress, 1032}, {kPress, 1034}, {kPress, 1035},
                  {kCheck, 1035, "0"}, {kRunValue, 0, kRunText},
                  {kPress, kReset}, {kRunValue, 0, ""}, {kCheck, 1031, "0"}, {kCheck, 1033, "1"},
                  {kCheck, 1032, "1"}, {kCheck, 1034, "1"}, {kCheck, 1035, "1"},
                  {kClose, kOk}, {kName, 0, "None"}, {kMainPress, 1037}, {kName, 0, "Default"},
                  {kOpen}, {kPress, 1032}, {kCheck, 1032, "0"}, {kClose, kOk}, {kName, 0, "None"}});
  ExpectStored({{136, 0}, {140, 1}, {144, 0}, {148, 1}, {152, 1}});
}

// clang-format on

}  // namespace
}  // namespace e2e
