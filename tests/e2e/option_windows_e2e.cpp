// The option windows and the timer window of the real program, opened from the main window
// and used with real clicks and typing: one session per window, from the layout through
// every kind of control to the profile the program stores when it closes.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "harness.h"

namespace e2e {
namespace {

constexpr Millis kStartDeadline(30000);
constexpr int kMainLeft = 407, kMainTop = 115;  // the main window on a 1280 x 800 screen
const std::string kMainClass = "KXMainWndClass";
const std::string kMainTitle = "HALVECOR Kestrix";
constexpr int BXM_CHECK = 0x400 + 11, BXM_VALUE = 0x400 + 13;
constexpr int kOk = 1026, kCancel = 1027, kReset = 1028;

struct Box {
  int id, x, y, width, height;
};

// One of the six windows: its class, height, opener on the main window and layout table.
struct Sheet {
  std::string className;
  int height;
  int opener;
  std::vector<Box> controls;
  std::vector<Box> groups;  // id unused
  std::string screenshot;
};

const Box kButtonRow(int id, int height) {
  const int x = id == kOk ? 327 : id == kCancel ? 235 : 17;
  return {id, x, height - 54, 91, 37};
}

// Standard rows: switch with its value label, spin with edit and unit label.
std::vector<Box> SwitchRow(int g, int button, int label) {
  return {{button, 26, g + 7, 37, 37}, {label, 68, g + 7, 339, 37}};
}
std::vector<Box> NumberRow(int g, int spin, int edit, int unit) {
  std::vector<Box> row = {{spin, 26, g + 7, 37, 37}, {edit, 66, g + 9, 51, 33}};
  if (unit) row.push_back({unit, 122, g + 7, 37, 37});
  return row;
}

Sheet MakeSheet(std::string cls, int height, int opener, int heading,
                std::vector<std::vector<Box>> rows, std::vector<Box> groups,
                std::string screenshot) {
  Sheet s{cls, height, opener, {{heading, 19, 48, 397, 19}}, groups, screenshot};
  for (int id : {kOk, kCancel, kReset}) s.controls.push_back(kButtonRow(id, height));
  for (auto& row : rows) s.controls.insert(s.controls.end(), row.begin(), row.end());
  return s;
}

std::vector<Box> Groups(std::initializer_list<std::pair<int, int>> yAndHeight) {
  std::vector<Box> out;
  for (auto [y, h] : yAndHeight) out.push_back({0, 19, y, 397, h});
  return out;
}

const Sheet kBorder = MakeSheet("KXBorderWndClass", 398, 1034, 1032,
                                {SwitchRow(119, 1029, 1033),
                                 NumberRow(199, 1030, 1036, 1034),
                                 {{1031, 26, 286, 37, 37}, {1035, 68, 286, 339, 37}}},
                                Groups({{119, 51}, {199, 51}, {279, 51}}), "border_window");
const Sheet kCaption =
    MakeSheet("KXCaptionWndClass", 597, 1033, 1038,
              {SwitchRow(119, 1029, 1039),
               {{1030, 26, 206, 37, 37},
                {1031, 219, 206, 37, 37},
                {1032, 26, 245, 37, 37},
                {1033, 219, 245, 37, 37},
                {1040, 68, 206, 146, 37},
                {1041, 261, 206, 146, 37},
                {1042, 68, 245, 146, 37},
                {1043, 261, 245, 146, 37},
                {1034, 26, 325, 37, 37},
                {1035, 219, 325, 37, 37},
                {1044, 68, 325, 146, 37},
                {1045, 261, 325, 146, 37}},
               SwitchRow(398, 1036, 1046),
               NumberRow(478, 1037, 1048, 1047)},
              Groups({{119, 51}, {199, 90}, {318, 51}, {398, 51}, {478, 51}}), "caption_window");
const Sheet kFileFormat = MakeSheet(
    "KXFileFormatWndClass", 398, 1032, 1032,
    {SwitchRow(119, 1029, 1033), SwitchRow(199, 1030, 1034), NumberRow(279, 1031, 1035, 0)},
    Groups({{119, 51}, {199, 51}, {279, 51}}), "file_format_window");
const Sheet kScale = MakeSheet("KXScaleWndClass", 398, 1035, 1032,
                               {SwitchRow(119, 1029, 1033), NumberRow(199, 1030, 1036, 1034),
                                NumberRow(279, 1031, 1037, 1035)},
                               Groups({{119, 51}, {199, 51}, {279, 51}}), "scale_window");
const Sheet kWindowProp =
    MakeSheet("KXWindowPropWndClass", 238, 1030, 1030, {SwitchRow(119, 1029, 1031)},
              Groups({{119, 51}}), "window_properties_window");
const Sheet kTimer = MakeSheet("KXTimerWndClass", 318, 1036, 1033,
                               {SwitchRow(119, 1029, 1034),
                                {{1030, 26, 206, 37, 37},
                                 {1035, 104, 206, 3, 37},
                                 {1038, 66, 208, 33, 33},
                                 {1031, 111, 206, 37, 37},
                                 {1036, 189, 206, 3, 37},
                                 {1039, 151, 208, 33, 33},
                                 {1032, 196, 206, 37, 37},
                                 {1040, 236, 208, 33, 33}}},
                               Groups({{119, 51}, {199, 51}}), "timer_window");

// Offsets of fields in the stored 2304-byte profile record.
enum Offset : size_t {
  kInTrans = 4,
  kOutFilename = 32,
  kOutFormat = 36,
  kOutJPEGQuality = 40,
  kCapStatus = 44,
  kCapComputer = 48,
  kCapUser = 52,
  kCapDate = 56,
  kCapTime = 60,
  kCapPosition = 64,
  kCapTrans = 68,
  kCapBackColor = 72,
  kCapTextColor = 76,
  kBorStatus = 80,
  kBorWidth = 84,
  kBorColor = 88,
  kScaStatus = 92,
  kScaWidth = 96,
  kScaHeight = 100,
  kTimStatus = 104,
  kTimTimeHour = 108,
  kTimTimeMin = 112,
  kTimTimeSec = 116,
};

class OptionWindowsE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display.ok()) << "Xvfb did not start";
    ASSERT_FALSE(wine.prefix().empty()) << "no Wine prefix";
    kestrix = wine.Launch();
    ASSERT_TRUE(wine.WaitForWindow(kMainClass, kStartDeadline, kestrix.get()));
    ASSERT_TRUE(WaitUntil([&] { return ProfileName() == "Default"; }, Millis(10000)));
    std::this_thread::sleep_for(Millis(300));
  }

  // Clicks the opener on the main window and waits for the window of the sheet.
  void Open(const Sheet& s) {
    sheet = &s;
    const Box* opener = nullptr;
    static const Box kOpeners[] = {{1030, 130, 152, 103, 37}, {1032, 130, 232, 103, 37},
                                   {1033, 26, 312, 103, 37},  {1034, 130, 312, 103, 37},
                                   {1035, 234, 312, 103, 37}, {1036, 338, 312, 103, 37}};
    for (const Box& b : kOpeners)
      if (b.id == s.opener) opener = &b;
    ASSERT_TRUE(opener);
    display.Click(kMainLeft + opener->x + opener->width / 2,
                  kMainTop + opener->y + opener->height / 2);
    auto w = wine.WaitForWindow(s.className, Millis(10000), kestrix.get());
    ASSERT_TRUE(w) << s.className << " did not open";
    origin = {w->x, w->y};
    EXPECT_EQ(w->x, kMainLeft + (467 - 435) / 2);
    EXPECT_EQ(w->y, kMainTop + (571 - s.height) / 2);
    EXPECT_EQ(w->width, 435);
    EXPECT_EQ(w->height, s.height);
    EXPECT_FALSE(wine.FindWindow(kMainClass)->enabled);
    std::this_thread::sleep_for(Millis(300));
  }
  // Closes with one of the bottom buttons and waits until the window is gone.
  void CloseWith(int button) {
    Press(button);
    ASSERT_TRUE(WaitUntil([&] { return !wine.FindWindow(sheet->className); }, Millis(5000)));
    EXPECT_TRUE(WaitUntil([&] { return wine.FindWindow(kMainClass)->enabled; }, Millis(3000)));
  }

  const Box& Find(int id) const {
    for (const Box& b : sheet->controls)
      if (b.id == id) return b;
    ADD_FAILURE() << "no control " << id;
    return sheet->controls.front();
  }
  void ClickClient(int x, int y) { display.Click(origin.first + x, origin.second + y); }
  void Press(int id) {
    const Box& b = Find(id);
    ClickClient(b.x + b.width / 2, b.y + b.height / 2);
  }
  // The upper or lower half of a spin, away from its margin band.
  void PressSpin(int id, bool up) {
    const Box& b = Find(id);
    ClickClient(b.x + b.width / 2, b.y + (up ? 8 : b.height - 8));
  }
  void ClickBackground() { ClickClient(300, 95); }
  // Clicks into an edit box, empties it and types `text` (the box may refuse characters).
  void Type(int editId, const std::string& text) {
    const Box& b = Find(editId);
    ClickClient(b.x + b.width / 2, b.y + b.height / 2);
    display.Key("End");
    for (int i = 0; i < 4; ++i) display.Key("BackSpace");
    for (char c : text) display.Key(std::string(1, c));
  }
  std::optional<std::string> Text(int id) { return wine.WindowText(sheet->className, "", id); }
  bool Shows(int id, const std::string& text) {
    return WaitUntil([&] { return Text(id) == text; }, Millis(4000), Millis(100));
  }
  std::optional<long> Send(const std::string& cls, const std::string& title, int id, int msg) {
    auto out = wine.Probe({"send", cls, title, std::to_string(id), std::to_string(msg)});
    if (!out || *out == "none\n") return std::nullopt;
    return std::stol(*out);
  }
  std::optional<long> Value(int id, int msg = BXM_VALUE) {
    return Send(sheet->className, "", id, msg);
  }
  std::optional<long> MainCheck(int id) { return Send(kMainClass, kMainTitle, id, BXM_CHECK); }
  std::optional<std::string> ProfileName() { return wine.WindowText(kMainClass, kMainTitle, 1041); }

  // Every control where the layout table puts it, the group frames' dots, and a screenshot.
  void CheckLayoutAndSaveScreenshot() {
    for (const Box& b : sheet->controls) {
      auto c = wine.FindChild(sheet->className, "", b.id);
      ASSERT_TRUE(c) << b.id;
      EXPECT_EQ(c->x - origin.first, b.x) << b.id;
      EXPECT_EQ(c->y - origin.second, b.y) << b.id;
      EXPECT_EQ(c->width, b.width) << b.id;
      EXPECT_EQ(c->height, b.height) << b.id;
    }
    display.MoveMouse(5, 5);
    std::this_thread::sleep_for(Millis(300));
    Image shot = display.Capture(origin.first, origin.second, 435, sheet->height);
    shot.SavePng(Locations::Get().artifacts + "/" + sheet->screenshot + ".png");
    const Rgb dot{0xC0, 0xC2, 0xC2}, white{255, 255, 255};
    for (const Box& g : sheet->groups) {
      EXPECT_EQ(shot.At(g.x + 3, g.y), dot) << g.y;
      EXPECT_EQ(shot.At(g.x + 5, g.y), white) << g.y;
      EXPECT_EQ(shot.At(g.x, g.y + 3), dot) << g.y;
      EXPECT_EQ(shot.At(g.x + g.width - 1, g.y + 3), dot) << g.y;
      EXPECT_EQ(shot.At(g.x + 3, g.y + g.height - 1), dot) << g.y;
      EXPECT_EQ(shot.At(g.x + 3, g.y + g.height), white) << g.y;
      int dark = 0;  // the bold group title above the frame
      for (int y = g.y - 18; y < g.y - 2; ++y)
        for (int x = g.x + 9; x < g.x + 60; ++x) dark += shot.At(x, y).r < 140;
      EXPECT_GT(dark, 10) << g.y;
    }
    EXPECT_EQ(shot.At(100, 83), (Rgb{217, 217, 219}));  // separator
  }

  // Closes the program with its close button, which stores the profile, and reads it.
  std::string StoredProfile() {
    display.Click(kMainLeft + 415 + 20, kMainTop + 1 + 8);
    EXPECT_EQ(kestrix->Wait(kStartDeadline), 0);
    return wine.ReadPrefixFile(wine.DataFolder() + "/Profile.db").value_or("");
  }
  static uint32_t Field(const std::string& record, size_t offset) {
    uint32_t v = 0;
    if (record.size() >= offset + 4) std::memcpy(&v, record.data() + offset, 4);
    return v;
  }

  // Drives the platform colour chooser that `swatch` opens: types red, green and blue into
  // its boxes and confirms, or cancels.
  void ChooseColour(int swatch, int r, int g, int b, bool confirm) {
    Press(swatch);
    const std::string dialog = "#32770";
    ASSERT_TRUE(wine.WaitForWindow(dialog, Millis(10000), kestrix.get())) << "no colour chooser";
    std::this_thread::sleep_for(Millis(500));
    auto title = wine.WindowText(dialog, "", 0);
    ASSERT_TRUE(title);
    const int boxes[] = {706, 707, 708};  // the chooser's red, green and blue boxes
    const int values[] = {r, g, b};
    for (int i = 0; i < 3 && confirm; ++i) {
      auto box = wine.FindChild(dialog, *title, boxes[i]);
      ASSERT_TRUE(box) << boxes[i];
      display.Click(box->x + box->width - 4, box->y + box->height / 2);
      display.Key("End");
      for (int k = 0; k < 4; ++k) display.Key("BackSpace");
      for (char c : std::to_string(values[i])) display.Key(std::string(1, c));
    }
    auto button = wine.FindChild(dialog, *title, confirm ? 1 : 2);
    ASSERT_TRUE(button);
    display.Click(button->x + button->width / 2, button->y + button->height / 2);
    ASSERT_TRUE(WaitUntil([&] { return !wine.FindWindow(dialog); }, Millis(5000)));
  }

  VirtualDisplay display{1280, 800};
  WineSession wine{display};
  std::unique_ptr<Process> kestrix;
  const Sheet* sheet = nullptr;
  std::pair<int, int> origin;
};

TEST_F(OptionWindowsE2E, BorderWindowClampsItsWidthChoosesItsColourAndResetsToTheDefaults) {
  ASSERT_NO_FATAL_FAILURE(Open(kBorder));
  CheckLayoutAndSaveScreenshot();
  EXPECT_TRUE(Shows(1033, "Disabled"));
  EXPECT_TRUE(Shows(1035, "Border"));
  EXPECT_TRUE(Shows(1034, "px"));
  Press(1029);
  EXPECT_TRUE(Shows(1033, "Enabled"));
  // Out of range either way, and a box that takes one character only.
  const struct {
    const char* typed;
    const char* shown;
  } widths[] = {{"0", "1"}, {"8", "5"}, {"38", "3"}, {"", "1"}, {"x", "1"}};
  for (const auto& w : widths) {
    Type(1036, w.typed);
    ClickBackground();
    EXPECT_TRUE(Shows(1036, w.shown)) << w.typed << " shows " << Text(1036).value_or("?");
    EXPECT_EQ(Value(1030), std::stol(w.shown)) << w.typed;
  }
  // The spin stops at 1 going down and at 5 going up.
  PressSpin(1030, false);
  EXPECT_TRUE(Shows(1036, "1"));
  for (int i = 0; i < 5; ++i) PressSpin(1030, true);
  EXPECT_TRUE(Shows(1036, "5"));
  PressSpin(1030, false);
  EXPECT_TRUE(Shows(1036, "4"));
  ASSERT_NO_FATAL_FAILURE(ChooseColour(1031, 255, 0, 0, true));
  ASSERT_NO_FATAL_FAILURE(ChooseColour(1031, 0, 255, 0, false));
  ASSERT_NO_FATAL_FAILURE(CloseWith(kOk));
  EXPECT_EQ(MainCheck(1034), 1);
  EXPECT_EQ(ProfileName(), "None");

  // Reset turns the border off with width 1; Cancel afterwards brings back what was there.
  ASSERT_NO_FATAL_FAILURE(Open(kBorder));
  EXPECT_TRUE(Shows(1036, "4"));
  Press(kReset);
  EXPECT_TRUE(Shows(1033, "Disabled"));
  EXPECT_TRUE(Shows(1036, "1"));
  EXPECT_EQ(Value(1030), 1);
  EXPECT_TRUE(wine.FindWindow(kBorder.className)) << "Reset keeps the window open";
  ASSERT_NO_FATAL_FAILURE(CloseWith(kCancel));
  EXPECT_EQ(MainCheck(1034), 1);
  ASSERT_NO_FATAL_FAILURE(Open(kBorder));
  EXPECT_TRUE(Shows(1033, "Enabled"));
  EXPECT_TRUE(Shows(1036, "4"));
  ASSERT_NO_FATAL_FAILURE(CloseWith(kOk));

  std::string stored = StoredProfile();
  EXPECT_EQ(Field(stored, kBorStatus), 1u);
  EXPECT_EQ(Field(stored, kBorWidth), 4u);
  EXPECT_EQ(Field(stored, kBorColor), 0x0000FFu) << "red confirmed, green cancelled";
}

}  // namespace
}  // namespace e2e
