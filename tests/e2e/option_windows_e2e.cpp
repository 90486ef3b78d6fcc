// The option windows, the timer window and the Settings window of the real program, opened
// from the main window and used with real clicks and typing: one session per window, each a
// script of steps, from the layout to the profile the program stores when it closes.
#include <filesystem>
#include <sstream>
#include <thread>

#include "app_session.h"

namespace e2e {
namespace {

constexpr int BXM_CHECK = 0x400 + 11, BXM_VALUE = 0x400 + 13;
constexpr int kOk = 1026, kCancel = 1027, kReset = 1028;
// "Start with Windows": the value "Kestrix" under the per-user Run key.
const std::string kRunKey = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunText = "C:\\Program Files\\Kestrix\\Kestrix.exe /min";
const std::string kDialog = "#32770";  // the platform's dialog class

struct Box {
  int id, x, y, width, height;
};
using Boxes = std::vector<Box>;

// A window's class, height, opener (a main-window button, or a command) and layout table.
struct Sheet {
  std::string className;
  int height, opener;
  bool openerIsCommand;
  Boxes controls, groups;
};

// A check or spin at x 26 of a group's first row, its label or box beside it.
Boxes SwitchRow(int g, int button, int label) { return {{button, 26, g + 7, 37, 37}, {label, 68, g + 7, 339, 37}}; }
Boxes NumberRow(int g, int spin, int edit, int unit) {
  Boxes row = {{spin, 26, g + 7, 37, 37}, {edit, 66, g + 9, 51, 33}};
  if (unit) row.push_back({unit, 122, g + 7, 37, 37});
  return row;
}
// Heading, the OK/Cancel/Reset row, the window's own rows; group frames 397 wide at x 19.
Sheet MakeSheet(std::string cls, int height, int opener, int heading, std::vector<Boxes> rows,
                std::vector<std::pair<int, int>> groups, bool openerIsCommand = false) {
  Sheet s{cls, height, opener, openerIsCommand, {{heading, 19, 48, 397, 19}}, {}};
  for (auto [id, x] : {std::pair{kOk, 327}, {kCancel, 235}, {kReset, 17}})
    s.controls.push_back({id, x, height - 54, 91, 37});
  for (auto& row : rows) s.controls.insert(s.controls.end(), row.begin(), row.end());
  for (auto [y, h] : groups) s.groups.push_back({0, 19, y, 397, h});
  return s;
}

// clang-format off
const Sheet kBorder = MakeSheet("KXBorderWndClass", 398, kBorderOption, 1032,
    {SwitchRow(119, 1029, 1033), NumberRow(199, 1030, 1036, 1034), {{1031, 26, 286, 37, 37}, {1035, 68, 286, 339, 37}}},
    {{119, 51}, {199, 51}, {279, 51}});
const Sheet kCaption = MakeSheet("KXCaptionWndClass", 597, kCaptionOption, 1038,
    {SwitchRow(119, 1029, 1039),
     {{1030, 26, 206, 37, 37}, {1031, 219, 206, 37, 37}, {1032, 26, 245, 37, 37}, {1033, 219, 245, 37, 37},
      {1040, 68, 206, 146, 37}, {1041, 261, 206, 146, 37}, {1042, 68, 245, 146, 37}, {1043, 261, 245, 146, 37},
      {1034, 26, 325, 37, 37}, {1035, 219, 325, 37, 37}, {1044, 68, 325, 146, 37}, {1045, 261, 325, 146, 37}},
     SwitchRow(398, 1036, 1046), NumberRow(478, 1037, 1048, 1047)},
    {{119, 51}, {199, 90}, {318, 51}, {398, 51}, {478, 51}});
const Sheet kFileFormat = MakeSheet("KXFileFormatWndClass", 398, kOutputProperties, 1032,
    {SwitchRow(119, 1029, 1033), SwitchRow(199, 1030, 1034), NumberRow(279, 1031, 1035, 0)},
    {{119, 51}, {199, 51}, {279, 51}});
const Sheet kScale = MakeSheet("KXScaleWndClass", 398, kScaleOption, 1032,
    {SwitchRow(119, 1029, 1033), NumberRow(199, 1030, 1036, 1034), NumberRow(279, 1031, 1037, 1035)},
    {{119, 51}, {199, 51}, {279, 51}});
const Sheet kWindowProp = MakeSheet("KXWindowPropWndClass", 238, kInputProperties, 1030,
    {SwitchRow(119, 1029, 1031)}, {{119, 51}});
const Sheet kTimer = MakeSheet("KXTimerWndClass", 318, kTimerOption, 1033,
    {SwitchRow(119, 1029, 1034),
     {{1030, 26, 206, 37, 37}, {1035, 104, 206, 3, 37}, {1038, 66, 208, 33, 33}, {1031, 111, 206, 37, 37},
      {1036, 189, 206, 3, 37}, {1039, 151, 208, 33, 33}, {1032, 196, 206, 37, 37}, {1040, 236, 208, 33, 33}}},
    {{119, 51}, {199, 51}});
// Opened from the menu's "Settings..." command; its checks stand at x 26 with labels beside.
const Sheet kSettings = MakeSheet("KXSettingsWndClass", 515, 4609, 1036,
    {{{1029, 26, 126, 37, 37}, {1037, 68, 126, 146, 37}, {1030, 219, 126, 37, 37}, {1038, 261, 126, 146, 37}},
     SwitchRow(199, 1031, 1039), SwitchRow(238, 1033, 1041), SwitchRow(277, 1032, 1040),
     SwitchRow(357, 1034, 1042), SwitchRow(396, 1035, 1043)},
    {{119, 51}, {199, 129}, {357, 90}}, true);
// clang-format on

enum Act {
  kSee,        // only the check of `shown`
  kPress,      // click the control's middle
  kType,       // type into the box, then click the window background
  kTypeOnly,   // type into the box and stay there
  kUp,         // click the upper or lower half of a spin
  kDown,
  kColour,     // the colour chooser: "r g b" typed and confirmed, or "" to cancel
  kValue,      // the spin's BXM_VALUE, or the check button's BXM_CHECK, equals `text`
  kCheck,
  kOpen,       // open the sheet's window from its opener
  kCloseMsg,   // a close message, as the system close command sends
  kMainCheck,  // the opener's check on the main window equals `text`
  kName,       // the main window's profile name equals `text`
  kMainPress,  // click a main-window control
  kRunValue,   // the "Start with Windows" Run value equals `text` ("" when absent)
  kBrowse,     // the folder browser: the Desktop's folder `text` chosen, or "" to cancel
};

// One action on control `id` with `text`; then, when `shownId` is set, that control's text.
struct Step {
  Act act;
  int id = 0;
  std::string text = {};
  int shownId = 0;
  std::string shown = {};
};

class OptionWindowsE2E : public AppSession {
 protected:
  void SetUp() override {
    AppSession::SetUp();
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(TextBecomes(kProfileName, "Default"));
  }

  void Run(const Sheet& s, const std::vector<Step>& steps) {
    sheet = &s;
    for (size_t i = 0; i < steps.size(); ++i) {
      SCOPED_TRACE(s.className + " step " + std::to_string(i));
      ASSERT_NO_FATAL_FAILURE(Do(steps[i]));
      if (steps[i].shownId) {
        EXPECT_TRUE(Becomes([&] { return SheetText(steps[i].shownId) == steps[i].shown; }, Millis(4000)))
            << steps[i].shownId << " shows " << SheetText(steps[i].shownId).value_or("nothing");
      }
    }
  }

  void Do(const Step& step) {
    const Box& b = Control(step.id);
    switch (step.act) {
      case kSee:
        return;
      case kPress:
        ClickClient(b.x + b.width / 2, b.y + b.height / 2);
        std::this_thread::sleep_for(Millis(150));  // at a hand's pace
        if (step.id == kOk || step.id == kCancel) WaitClosed();
        return;
      case kUp:
      case kDown:
        return ClickClient(b.x + 18, b.y + (step.act == kUp ? 8 : 29));
      case kType:
      case kTypeOnly:
        ClickClient(b.x + b.width / 2, b.y + b.height / 2);
        TypeReplacing(step.text);
        if (step.act == kType) ClickClient(300, 95);  // the window background
        return;
      case kColour:
        return ChooseColour(b, step.text);
      case kValue:
      case kCheck:
        EXPECT_EQ(Send(sheet->className, "", step.id, step.act == kValue ? BXM_VALUE : BXM_CHECK),
                  std::stol(step.text)) << step.id;
        return;
      case kOpen:
        return Open();
      case kCloseMsg:
        ASSERT_TRUE(wine.Act({"close", sheet->className}));
        return WaitClosed();
      case kMainCheck:
        EXPECT_EQ(Send(kMainClass, kMainTitle, sheet->opener, BXM_CHECK), std::stol(step.text));
        return;
      case kName:
        EXPECT_EQ(Text(kProfileName), step.text);
        return;
      case kMainPress:
        ClickMain(step.id);
        return display.MoveMouse(5, 5);
      case kRunValue: {
        // The click that changes it may still be on its way to the program.
        std::string value;
        EXPECT_TRUE(Becomes([&] { return (value = wine.RegistryValue(kRunKey, "Kestrix").value_or("")) == step.text; }))
            << value;
        return;
      }
      case kBrowse:
        return BrowseForFolder(b, step.text);
    }
  }

  // Opened over the disabled main window, 16 pixels in and centred on its height.
  void Open() {
    std::optional<WindowInfo> w;
    if (sheet->openerIsCommand) {
      ASSERT_TRUE(wine.Act({"command", kMainClass, std::to_string(sheet->opener)}));
      w = WaitDrawn(sheet->className);
    } else {
      w = OpenFromMain(sheet->opener, sheet->className);
    }
    ASSERT_TRUE(w) << sheet->className << " did not open";
    origin = {w->x, w->y};
    EXPECT_EQ(std::vector({w->x, w->y, w->width, w->height}),
              std::vector({kMainLeft + 16, kMainTop + (kMainHeight - sheet->height) / 2, 435, sheet->height}));
    EXPECT_FALSE(wine.FindWindow(kMainClass)->enabled);
  }
  // After "OK", "Cancel" or a close message: gone, and the main window enabled again. The
  // pointer leaves the main window: a help tooltip raised there would stay over the next
  // window's controls, as the disabled main window ignores the leave.
  void WaitClosed() {
    display.MoveMouse(5, 5);
    ASSERT_TRUE(Gone(sheet->className));
    EXPECT_TRUE(Becomes([&] { return wine.FindWindow(kMainClass)->enabled; }, Millis(3000)));
  }
  void ClickClient(int x, int y) { display.Click(origin.first + x, origin.second + y); }
  // The focused box emptied (End, then more backspaces than it can hold), then `text` typed.
  void TypeReplacing(const std::string& text) {
    display.Key("End");
    for (int i = 0; i < 4; ++i) display.Key("BackSpace");
    for (char c : text) display.Key(std::string(1, c));
  }
  std::optional<std::string> SheetText(int id) { return wine.WindowText(sheet->className, "", id); }
  std::optional<long> Send(const std::string& cls, const std::string& title, int id, int msg) {
    auto out = wine.Probe({"send", cls, title, std::to_string(id), std::to_string(msg)});
    if (!out || out->rfind("none", 0) == 0) return std::nullopt;
    return std::stol(*out);
  }
  const Box& Control(int id) const {
    static const Box none{0, 0, 0, 0, 0};
    for (const Box& c : sheet->controls)
      if (c.id == id) return c;
    return none;
  }

  // A platform dialog opened by `button` and, once it is up, `fill` run in it; then its OK,
  // or when `confirm` is false its Cancel, pressed, and it is gone.
  void UseDialog(const Box& button, bool confirm, const std::function<void(const std::string&)>& fill) {
    ClickClient(button.x + 18, button.y + 18);
    ASSERT_TRUE(wine.WaitForWindow(kDialog, Millis(10000), kestrix.get()));
    std::this_thread::sleep_for(Millis(500));
    const std::string title = wine.WindowText(kDialog, "", 0).value_or("");
    if (confirm) {
      ASSERT_NO_FATAL_FAILURE(fill(title));
    }
    auto pressed = wine.FindChild(kDialog, title, confirm ? 1 : 2);
    ASSERT_TRUE(pressed);
    display.Click(pressed->x + pressed->width / 2, pressed->y + pressed->height / 2);
    ASSERT_TRUE(Gone(kDialog));
  }
  // The colour chooser: red, green and blue typed into its boxes, or cancelled when empty.
  void ChooseColour(const Box& swatch, const std::string& rgb) {
    UseDialog(swatch, !rgb.empty(), [&](const std::string& title) {
      std::istringstream values(rgb);
      std::string value;
      for (int box = 706; values >> value; ++box) {  // its red, green and blue boxes
        auto edit = wine.FindChild(kDialog, title, box);
        ASSERT_TRUE(edit) << box;
        display.Click(edit->x + edit->width - 4, edit->y + edit->height / 2);
        TypeReplacing(value);
      }
    });
  }
  // The folder browser: the name typed into its tree, where the Desktop's own folders stand
  // at the first level; cancelled when empty.
  void BrowseForFolder(const Box& button, const std::string& name) {
    UseDialog(button, !name.empty(), [&](const std::string& title) {
      auto tree = wine.FindChild(kDialog, title, 14145);  // Wine's id of the tree
      ASSERT_TRUE(tree);
      display.Click(tree->x + 50, tree->y + 10);  // the Desktop at its top, focused
      for (char c : name) display.Key(std::string(1, c));
      std::this_thread::sleep_for(Millis(300));
    });
  }

  // Every control where the layout table puts it, the group frames' dots and titles, and
  // the window's picture under docs/screenshots' name.
  void CheckLayout(const std::string& screenshot) {
    for (const Box& b : sheet->controls) {
      auto c = wine.FindChild(sheet->className, "", b.id);
      ASSERT_TRUE(c) << b.id;
      EXPECT_EQ(std::vector({c->x - origin.first, c->y - origin.second, c->width, c->height}),
                std::vector({b.x, b.y, b.width, b.height})) << b.id;
    }
    display.MoveMouse(5, 5);
    std::this_thread::sleep_for(Millis(300));
    const Image shot = display.Capture(origin.first, origin.second, 435, sheet->height);
    shot.SavePng(Locations::Get().artifacts + "/" + screenshot + ".png");
    const Rgb dot{0xC0, 0xC2, 0xC2}, white{255, 255, 255};
    for (const Box& g : sheet->groups) {
      const int right = g.x + g.width - 1, bottom = g.y + g.height - 1;
      EXPECT_EQ(std::vector({shot.At(g.x + 3, g.y), shot.At(g.x + 5, g.y), shot.At(g.x, g.y + 3),
                             shot.At(right, g.y + 3), shot.At(g.x + 3, bottom), shot.At(g.x + 3, bottom + 1)}),
                std::vector({dot, white, dot, dot, dot, white})) << g.y;
      int dark = 0;  // the bold title above the frame
      for (int y = g.y - 18; y < g.y - 2; ++y)
        for (int x = g.x + 9; x < g.x + 60; ++x) dark += shot.At(x, y).r < 140;
      EXPECT_GT(dark, 10) << g.y;
    }
    EXPECT_EQ(shot.At(100, 83), (Rgb{217, 217, 219}));  // separator
  }

  // Closes the program with its close button, which stores the profile, and compares the
  // stored fields with `expected`; the record is kept in `stored`.
  void ExpectStored(const std::vector<std::pair<size_t, uint32_t>>& expected) {
    ASSERT_NO_FATAL_FAILURE(Close());
    stored = Data("Profile.db");
    ASSERT_EQ(stored.size(), kRecordBytes);
    for (auto [field, value] : expected) EXPECT_EQ(RecordValue(stored, field), value) << "field at " << field;
  }

  const Sheet* sheet = nullptr;
  std::pair<int, int> origin;
  std::string stored;
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
                {kPress, kOk}, {kMainCheck, 0, "1"}, {kName, 0, "None"},
                // Reset gives the defaults and keeps the window open; Cancel undoes it.
                {kOpen, 0, "", 1036, "4"}, {kPress, kReset, "", 1033, "Disabled"},
                {kSee, 0, "", 1036, "1"}, {kValue, 1030, "1"}, {kPress, kCancel},
                {kMainCheck, 0, "1"}, {kOpen, 0, "", 1033, "Enabled"}, {kSee, 0, "", 1036, "4"},
                {kPress, kOk}});
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
                 {kColour, 1035, "255 0 0"}, {kColour, 1034, "0 0 255"}, {kPress, kOk},
                 {kMainCheck, 0, "1"}, {kName, 0, "None"},
                 {kOpen, 0, "", 1048, "99"}, {kPress, kReset, "", 1039, "Disabled"},
                 {kSee, 0, "", 1046, "Outside of image"}, {kSee, 0, "", 1048, "20"},
                 {kValue, 1037, "20"}, {kCheck, 1030, "0"}, {kCheck, 1031, "0"},
                 {kCheck, 1032, "1"}, {kCheck, 1033, "1"}, {kColour, 1035, "0 255 0"},
                 {kPress, kCancel}, {kMainCheck, 0, "1"}});
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
                    {kTypeOnly, 1035, "250"}, {kPress, kOk}, {kName, 0, "None"},
                    {kOpen, 0, "", 1035, "100"}, {kSee, 0, "", 1034, "JPEG"},
                    {kType, 1035, "40", 1035, "40"}, {kPress, kReset, "", 1034, "PNG"},
                    {kSee, 0, "", 1035, "100"}, {kSee, 0, "", 1033, "Fixed"},
                    {kPress, kCancel}});
  ExpectStored({{32, 1}, {36, 2}, {40, 100}});  // fixed names, JPEG, 250 clamped on OK
}

TEST_F(OptionWindowsE2E, ScaleWindow) {
  Run(kScale, {{kOpen, 0, "", 1033, "Disabled"}});
  CheckLayout("scale_window");
  Run(kScale, {{kPress, 1029, "", 1033, "Enabled"}, {kType, 1036, "999", 1036, "500"},
               {kValue, 1030, "500"}, {kType, 1036, "0", 1036, "1"}, {kValue, 1030, "1"},
               {kType, 1036, "", 1036, "1"}, {kType, 1036, "50", 1037, "100"},
               {kType, 1037, "75", 1036, "50"}});
  Run(kScale, {{kType, 1036, "500", 1036, "500"}, {kSee, 0, "", 1037, "75"}, {kPress, kOk},
               {kMainCheck, 0, "1"}, {kOpen, 0, "", 1036, "500"},
               {kPress, kReset, "", 1033, "Disabled"}, {kSee, 0, "", 1036, "100"},
               {kSee, 0, "", 1037, "100"}, {kValue, 1030, "100"}, {kValue, 1031, "100"},
               {kPress, kOk}, {kMainCheck, 0, "0"}, {kName, 0, "Default"},
               {kOpen}, {kPress, 1029}, {kType, 1037, "40", 1037, "40"}, {kPress, kCancel},
               {kMainCheck, 0, "0"}, {kName, 0, "Default"}});
  ExpectStored({{92, 0}, {96, 100}, {100, 100}});
}

TEST_F(OptionWindowsE2E, WindowPropertiesWindow) {
  Run(kWindowProp, {{kOpen, 0, "", 1031, "Current"}});
  CheckLayout("window_properties_window");
  Run(kWindowProp, {{kPress, 1029, "", 1031, "Clean"}, {kPress, 1029, "", 1031, "Current"},
                    {kPress, 1029, "", 1031, "Clean"}, {kPress, kOk}, {kName, 0, "None"},
                    {kOpen, 0, "", 1031, "Clean"}, {kPress, kReset, "", 1031, "Current"},
                    {kPress, kCancel}, {kName, 0, "None"}});
  ExpectStored({{4, 1}});
}

TEST_F(OptionWindowsE2E, TimerWindow) {
  Run(kTimer, {{kOpen, 0, "", 1038, "00"}, {kSee, 0, "", 1039, "00"}, {kSee, 0, "", 1040, "01"}});
  CheckLayout("timer_window");
  Run(kTimer, {{kPress, 1029, "", 1034, "Enabled"}, {kType, 1039, "75", 1039, "59"},
               {kValue, 1031, "59"}, {kType, 1038, "7", 1038, "07"},
               {kType, 1040, "", 1040, "00"}, {kUp, 1030, "", 1038, "08"}, {kPress, kOk},
               {kMainCheck, 0, "1"},
               // OK made the seconds 1; Reset gives the defaults, Cancel undoes that.
               {kOpen, 0, "", 1040, "01"}, {kPress, kReset, "", 1034, "Disabled"},
               {kSee, 0, "", 1038, "00"}, {kSee, 0, "", 1039, "00"}, {kSee, 0, "", 1040, "01"},
               {kValue, 1031, "0"}, {kPress, kCancel}, {kMainCheck, 0, "1"},
               // A close message keeps the changes, a seconds value of 0 included.
               {kOpen, 0, "", 1038, "08"}, {kType, 1040, "0", 1040, "00"}, {kCloseMsg},
               {kOpen, 0, "", 1040, "00"}, {kSee, 0, "", 1039, "59"},
               {kType, 1038, "0", 1038, "00"}, {kType, 1039, "0", 1039, "00"}, {kPress, kOk}});
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
                  {kPress, kCancel}, {kRunValue, 0, ""}, {kName, 0, "Default"},
                  // Reset: every setting and the folder back, the capture setting (Sound) kept.
                  {kMainPress, 1037}, {kName, 0, "None"}, {kOpen},
                  {kPress, 1031}, {kPress, 1033}, {kPress, 1032}, {kPress, 1034}, {kPress, 1035},
                  {kCheck, 1035, "0"}, {kRunValue, 0, kRunText}, {kBrowse, 1030, "KestrixShots"},
                  {kPress, kReset}, {kRunValue, 0, ""}, {kCheck, 1031, "0"}, {kCheck, 1033, "1"},
                  {kCheck, 1032, "1"}, {kCheck, 1034, "1"}, {kCheck, 1035, "1"},
                  {kPress, kOk}, {kName, 0, "None"}, {kMainPress, 1037}, {kName, 0, "Default"},
                  // A chosen folder is undone by Cancel, kept by OK; a cancelled browser
                  // changes nothing.
                  {kOpen}, {kBrowse, 1030, "KestrixShots"}, {kPress, kCancel},
                  {kName, 0, "Default"}, {kOpen}, {kBrowse, 1030, ""}, {kPress, kOk},
                  {kName, 0, "Default"}, {kOpen}, {kBrowse, 1030, "KestrixShots"},
                  {kPress, 1032}, {kCheck, 1032, "0"}, {kPress, kOk}, {kName, 0, "None"}});
  ExpectStored({{136, 0}, {140, 1}, {144, 0}, {148, 1}, {152, 1}});
  const std::string user = std::filesystem::path(wine.UserFolder()).filename();
  EXPECT_EQ(stored.substr(kStorageFolder, 2048), Utf16("C:\\users\\" + user + "\\Desktop\\KestrixShots", 1024));
}

// A Run key that may be read but not written, as a policy might leave it: the value stays
// as it was whichever way the check goes, and the program goes on.
TEST_F(OptionWindowsE2E, SettingsLeaveARunKeyThatCannotBeOpenedAsItIs) {
  ASSERT_TRUE(wine.SetRegistryValue(kRunKey, "Kestrix", "REG_SZ", "before"));
  ASSERT_TRUE(wine.Act({"readonly", kRunKey.substr(5)}));
  Run(kSettings, {{kOpen}, {kPress, 1031}, {kCheck, 1031, "1"}, {kRunValue, 0, "before"},
                  {kPress, 1031}, {kCheck, 1031, "0"}, {kRunValue, 0, "before"}, {kPress, 1031},
                  {kPress, kCancel}, {kRunValue, 0, "before"}, {kName, 0, "Default"}});
  EXPECT_TRUE(kestrix->Running());
}
// clang-format on

}  // namespace
}  // namespace e2e
