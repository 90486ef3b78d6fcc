// The option windows, the timer window and the Settings window of the real program, opened
// from the main window and used with real clicks and typing: one session per window, each a
// script of steps, from the layout to the profile the program stores when it closes.
#include <filesystem>

#include "tool_steps.h"

namespace e2e {
namespace {

const std::string kRunKey = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
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
const Sheet kScale = MakeSheet("KXScaleWndClass", 398, kScaleId, 1032,
    {SwitchRow(119, 1029, 1033), NumberRow(199, 1030, 1036, 1034),
     NumberRow(279, 1031, 1037, 1035)},
    {{119, 51}, {199, 51}, {279, 51}});
const Sheet kWindowProp = MakeSheet("KXWindowPropWndClass", 238, kInputPropertiesId, 1030,
    {SwitchRow(119, 1029, 1031)}, {{119, 51}});
const Sheet kTimer = MakeSheet("KXTimerWndClass", 318, kTimerId, 1033,
    {SwitchRow(119, 1029, 1034),
     {{1030, 26, 206, 37, 37}, {1035, 104, 206, 3, 37}, {1038, 66, 208, 33, 33},
      {1031, 111, 206, 37, 37}, {1036, 189, 206, 3, 37}, {1039, 151, 208, 33, 33},
      {1032, 196, 206, 37, 37}, {1040, 236, 208, 33, 33}}},
    {{119, 51}, {199, 51}});
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
                {kDown, 1030, "", 1036, "4"}, {kColour, 1031, "255 0 0"}, {kColour, 1031, ""},
                {kClose, kOk}, {kMainCheck, 0, "1"}, {kName, 0, "None"},
                // Reset gives the defaults and keeps the window open; Cancel undoes it.
                {kOpen, 0, "", 1036, "4"}, {kPress, kReset, "", 1033, "Disabled"},
                {kSee, 0, "", 1036, "1"}, {kValue, 1030, "1"}, {kClose, kCancel},
                {kMainCheck, 0, "1"}, {kOpen, 0, "", 1033, "Enabled"}, {kSee, 0, "", 1036, "4"},
                {kClose, kOk}});
  ExpectStored({{80, 1}, {84, 4}, {88, 0x0000FF}});  // on, 4 px, red (green was cancelled)
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
                 {kColour, 1035, "255 0 0"}, {kColour, 1034, "0 0 255"}, {kClose, kOk},
                 {kMainCheck, 0, "1"}, {kName, 0, "None"},
                 {kOpen, 0, "", 1048, "99"}, {kPress, kReset, "", 1039, "Disabled"},
                 {kSee, 0, "", 1046, "Outside of image"}, {kSee, 0, "", 1048, "20"},
                 {kValue, 1037, "20"}, {kCheck, 1030, "0"}, {kCheck, 1031, "0"},
                 {kCheck, 1032, "1"}, {kCheck, 1033, "1"}, {kColour, 1035, "0 255 0"},
                 {kClose, kCancel}, {kMainCheck, 0, "1"}});
  // On, computer name, user name off, date, time, inside, 99 %, blue bar, red text.
  ExpectStored({{44, 1}, {48, 1}, {52, 0}, {56, 1}, {60, 1}, {64, 0}, {68, 99},
                {72, 0xFF0000}, {76, 0x0000FF}});
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

TEST_F(OptionWindowsE2E, ScaleWindow) {
  Run(kScale, {{kOpen, 0, "", 1033, "Disabled"}});
  CheckLayout("scale_window");
  Run(kScale, {{kPress, 1029, "", 1033, "Enabled"}, {kType, 1036, "999", 1036, "500"},
               {kValue, 1030, "500"}, {kType, 1036, "0", 1036, "1"}, {kValue, 1030, "1"},
               {kType, 1036, "", 1036, "1"}, {kType, 1036, "50", 1037, "100"},
               {kType, 1037, "75", 1036, "50"}});
  Run(kScale, {{kType, 1036, "500", 1036, "500"}, {kSee, 0, "", 1037, "75"}, {kClose, kOk},
               {kMainCheck, 0, "1"}, {kOpen, 0, "", 1036, "500"},
               {kPress, kReset, "", 1033, "Disabled"}, {kSee, 0, "", 1036, "100"},
               {kSee, 0, "", 1037, "100"}, {kValue, 1030, "100"}, {kValue, 1031, "100"},
               {kClose, kOk}, {kMainCheck, 0, "0"}, {kName, 0, "Default"},
               {kOpen}, {kPress, 1029}, {kType, 1037, "40", 1037, "40"}, {kClose, kCancel},
               {kMainCheck, 0, "0"}, {kName, 0, "Default"}});
  ExpectStored({{92, 0}, {96, 100}, {100, 100}});
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

TEST_F(OptionWindowsE2E, TimerWindow) {
  Run(kTimer, {{kOpen, 0, "", 1038, "00"}, {kSee, 0, "", 1039, "00"}, {kSee, 0, "", 1040, "01"}});
  CheckLayout("timer_window");
  Run(kTimer, {{kPress, 1029, "", 1034, "Enabled"}, {kType, 1039, "75", 1039, "59"},
               {kValue, 1031, "59"}, {kType, 1038, "7", 1038, "07"},
               {kType, 1040, "", 1040, "00"}, {kUp, 1030, "", 1038, "08"}, {kClose, kOk},
               {kMainCheck, 0, "1"},
               // OK made the seconds 1; Reset gives the defaults, Cancel undoes that.
               {kOpen, 0, "", 1040, "01"}, {kPress, kReset, "", 1034, "Disabled"},
               {kSee, 0, "", 1038, "00"}, {kSee, 0, "", 1039, "00"}, {kSee, 0, "", 1040, "01"},
               {kValue, 1031, "0"}, {kClose, kCancel}, {kMainCheck, 0, "1"},
               // A close message keeps the changes, a seconds value of 0 included.
               {kOpen, 0, "", 1038, "08"}, {kType, 1040, "0", 1040, "00"}, {kCloseMsg},
               {kOpen, 0, "", 1040, "00"}, {kSee, 0, "", 1039, "59"},
               {kType, 1038, "0", 1038, "00"}, {kType, 1039, "0", 1039, "00"}, {kClose, kOk}});
  ExpectStored({{104, 1}, {108, 0}, {112, 0}, {116, 1}});  // 00:00:00 stored as 00:00:01
}

TEST_F(OptionWindowsE2E, SettingsWindow) {
  const std::string desktop = wine.UserFolder() + "/Desktop";
  ASSERT_TRUE(std::filesystem::create_directories(desktop + "/KestrixShots"));
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
                  // Reset: every setting and the folder back, the capture setting (Sound) kept.
                  {kMainPress, 1037}, {kName, 0, "None"}, {kOpen},
                  {kPress, 1031}, {kPress, 1033}, {kPress, 1032}, {kPress, 1034}, {kPress, 1035},
                  {kCheck, 1035, "0"}, {kRunValue, 0, kRunText}, {kBrowse, 1030, "KestrixShots"},
                  {kPress, kReset}, {kRunValue, 0, ""}, {kCheck, 1031, "0"}, {kCheck, 1033, "1"},
                  {kCheck, 1032, "1"}, {kCheck, 1034, "1"}, {kCheck, 1035, "1"},
                  {kClose, kOk}, {kName, 0, "None"}, {kMainPress, 1037}, {kName, 0, "Default"},
                  // A chosen folder is undone by Cancel, kept by OK; a cancelled browser
                  // changes nothing.
                  {kOpen}, {kBrowse, 1030, "KestrixShots"}, {kClose, kCancel},
                  {kName, 0, "Default"}, {kOpen}, {kBrowse, 1030, ""}, {kClose, kOk},
                  {kName, 0, "Default"}, {kOpen}, {kBrowse, 1030, "KestrixShots"},
                  {kPress, 1032}, {kCheck, 1032, "0"}, {kClose, kOk}, {kName, 0, "None"}});
  ExpectStored({{136, 0}, {140, 1}, {144, 0}, {148, 1}, {152, 1}});
  const std::string user = std::filesystem::path(wine.UserFolder()).filename();
  const std::string folder = "C:\\users\\" + user + "\\Desktop\\KestrixShots";
  EXPECT_EQ(stored.substr(kStorageFolder, 2048), Utf16(folder, 1024));
}

// A Run key that may be read but not written, as a policy might leave it: the value stays
// as it was whichever way the check goes, and the program goes on.
TEST_F(OptionWindowsE2E, SettingsLeaveARunKeyThatCannotBeOpenedAsItIs) {
  ASSERT_TRUE(wine.SetRegistryValue(kRunKey, "Kestrix", "REG_SZ", "before"));
  ASSERT_TRUE(wine.Act({"readonly", kRunKey.substr(5)}));
  Run(kSettings, {{kOpen}, {kPress, 1031}, {kCheck, 1031, "1"}, {kRunValue, 0, "before"},
                  {kPress, 1031}, {kCheck, 1031, "0"}, {kRunValue, 0, "before"}, {kPress, 1031},
                  {kClose, kCancel}, {kRunValue, 0, "before"}, {kName, 0, "Default"}});
  EXPECT_TRUE(kestrix->Running());
}
// clang-format on

}  // namespace
}  // namespace e2e
