// Save Profile and Load Profile through the real program: typed names and their refusals,
// the ten-profile limit, the list with its selection and Delete rules, Cancel, loading the
// defaults, the bytes of Profiles.db, and profile files that are foreign, locked or damaged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <thread>

#include "harness.h"

namespace e2e {
namespace {

constexpr Millis kDeadline(10000);
constexpr int kMainX = 407, kMainY = 115;  // the main window on a 1280 x 800 screen
const std::string kMain = "KXMainWndClass", kSave = "KXSaveProfileWndClass",
                  kLoad = "KXLoadProfileWndClass", kMessage = "KXMessageWndClass";
enum { kSound = 1037, kCursor, kView, kEdit, kProfile, kSaveAs };
constexpr int kOk = 327, kCancel = 235, kDelete = 17;  // x of the bottom row's buttons
constexpr size_t kRecord = 2304, kStored = 2472, kHeader = 8;
const std::string kMagic("TSEK\x01\0\0\0", 8);

std::string Utf16(const std::string& ascii, size_t units) {
  std::string field(units * 2, '\0');
  for (size_t i = 0; i < ascii.size(); ++i) field[i * 2] = ascii[i];
  return field;
}

class ProfileWindowsE2E : public ::testing::Test {
 protected:
  void Start() {
    ASSERT_TRUE(display.ok() && !wine.prefix().empty());
    kestrix = wine.Launch();
    ASSERT_TRUE(wine.WaitForWindow(kMain, Millis(30000), kestrix.get()));
    std::this_thread::sleep_for(Millis(800));  // the first paint
  }
  void Close() {
    display.Click(kMainX + 435, kMainY + 9);
    ASSERT_EQ(kestrix->Wait(Millis(30000)), 0);
  }
  // Main window buttons 1037 to 1042 by the layout's positions.
  void ClickMain(int id) {
    const int x[] = {77, 181, 285, 389, 181, 389}, y = id < kProfile ? 369 : 450;
    display.Click(kMainX + x[id - kSound], kMainY + y);
    std::this_thread::sleep_for(Millis(200));
  }
  bool ProfileNameBecomes(const std::string& name) {
    return WaitUntil([&] { return wine.WindowText(kMain, "HALVECOR Kestrix", kProfile) == name; },
                     kDeadline);
  }
  std::optional<WindowInfo> Open(int id, const std::string& cls) {
    ClickMain(id);
    auto window = wine.WaitForWindow(cls, kDeadline, kestrix.get());
    std::this_thread::sleep_for(Millis(300));
    return window;
  }
  void ClickIn(const std::string& cls, int x, int y) {
    auto w = wine.FindWindow(cls);
    ASSERT_TRUE(w) << cls << " is not open";
    display.Click(w->x + x, w->y + y);
    std::this_thread::sleep_for(Millis(200));
  }
  void Row(const std::string& cls, int x) { ClickIn(cls, x + 45, (cls == kSave ? 201 : 471) - 36); }
  bool Gone(const std::string& cls) {
    return WaitUntil([&] { return !wine.FindWindow(cls); }, kDeadline);
  }
  // Replaces the Save window's name with `name`, typed key by key.
  void Type(const std::string& name) {
    ClickIn(kSave, 217, 116);
    display.Key("End");
    display.Key("Home", {"Shift_L"});
    display.Key("BackSpace");
    for (char c : name)
      display.Key(
          c == ' ' ? "space" : std::string(1, char(std::tolower(c))),
          std::isupper(c) ? std::vector<std::string>{"Shift_L"} : std::vector<std::string>{});
  }
  void SaveAs(const std::string& name) {
    ASSERT_TRUE(Open(kSaveAs, kSave));
    Type(name);
    Row(kSave, kOk);
    ASSERT_TRUE(Gone(kSave)) << name;
  }
  // The message shown over the open Save window, closed with its OK; "" when none came.
  std::string Message() {
    auto m = wine.WaitForWindow(kMessage, Millis(1500), kestrix.get());
    if (!m) return "";
    std::string text = wine.WindowText(kMessage, "", 0).value_or("?");
    display.Click(m->x + 217, m->y + 202);
    EXPECT_TRUE(Gone(kMessage));
    EXPECT_TRUE(wine.FindWindow(kSave)) << "closed after " << text;
    return text;
  }
  // "<selected>|item|item..." of the Load window's list.
  std::string Items() {
    auto out = wine.Probe({"items", kLoad, "1029"}).value_or("none");
    return out.substr(0, out.find_first_of("\r\n"));
  }
  bool ItemsBecome(const std::string& items) {
    return WaitUntil([&] { return Items() == items; }, kDeadline);
  }
  void ClickItem(int index) { ClickIn(kLoad, 122, 103 + 27 * index + 13); }
  bool DeleteIs(bool enabled) {
    return WaitUntil(
        [&] { return wine.FindChild(kLoad, "", 1028).value_or(WindowInfo{}).enabled == enabled; },
        kDeadline);
  }
  std::string Data(const char* name) {
    return wine.ReadPrefixFile(wine.DataFolder() + "/" + name).value_or("");
  }
  void WriteData(const char* name, const std::string& bytes) {
    std::filesystem::create_directories(wine.DataFolder());
    std::ofstream(wine.DataFolder() + "/" + name, std::ios::binary) << bytes;
  }

  VirtualDisplay display{1280, 800};
  WineSession wine{display};
  std::unique_ptr<Process> kestrix;
};

TEST_F(ProfileWindowsE2E, SavingRefusesDefaultsBlankTakenAndIdenticalAndStopsAtTheTenth) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::string identical = "An identical profile already exists.",
                    blank = "Profile name cannot be blank.",
                    taken = "Profile with the specified name already exists.",
                    letters = "abcdefghijklmnopqrstuvwxyz0123456789", kept = letters.substr(0, 30);
  // Each saved step flips one more option (a Gray code), so that all ten settings differ.
  const struct {
    int flip;
    std::string typed, message, stored;
  } attempts[] = {
      {0, "", identical, ""},  // untouched defaults, the name left as it is
      {kSound, "", blank, ""},     {0, "   ", "", "   "},    {0, "other", identical, ""},
      {kCursor, "   ", taken, ""}, {0, letters, "", kept},   {kSound, "p3", "", "p3"},
      {kView, "p4", "", "p4"},     {kSound, "p5", "", "p5"}, {kCursor, "p6", "", "p6"},
      {kSound, "p7", "", "p7"},    {kEdit, "p8", "", "p8"},  {kSound, "p9", "", "p9"},
      {kCursor, "p10", "", "p10"}, {kView, "p11", "", ""}};  // the eleventh: nothing
  uint8_t options[4] = {1, 0, 0, 0};  // Sound, Cursor, View, Edit of the defaults
  std::vector<std::string> expectedRecords;
  for (const auto& a : attempts) {
    if (a.flip) ClickMain(a.flip), options[a.flip - kSound] ^= 1;
    auto save = Open(kSaveAs, kSave);
    ASSERT_TRUE(save);
    EXPECT_EQ(std::vector({save->x, save->y, save->width, save->height}),
              std::vector({kMainX + 16, kMainY + 185, 435, 201}));
    EXPECT_FALSE(wine.FindWindow(kMain)->enabled);
    if (a.flip == 0 && a.typed.empty()) {
      EXPECT_EQ(wine.WindowText(kSave, "", 1028), "New Profile");
      display.Capture(save->x, save->y, 435, 201)
          .SavePng(Locations::Get().artifacts + "/save_profile_window.png");
    } else {
      Type(a.typed);
    }
    Row(kSave, kOk);
    EXPECT_EQ(Message(), a.message) << a.typed;
    if (!a.stored.empty()) {
      ASSERT_TRUE(Gone(kSave)) << a.typed;
      EXPECT_TRUE(ProfileNameBecomes(a.stored));
      expectedRecords.insert(expectedRecords.begin(), a.stored + std::string(options, options + 4));
    } else {
      Row(kSave, kCancel);
      ASSERT_TRUE(Gone(kSave));
    }
  }
  // Newest first: each record's name and its four options.
  const std::string ten = Data("Profiles.db");
  ASSERT_EQ(ten.size(), kHeader + 10 * kStored);
  EXPECT_EQ(ten.substr(0, kHeader), kMagic);
  for (size_t r = 0; r < 10; ++r) {
    const char* record = ten.data() + kHeader + r * kStored;
    std::string seen;
    for (size_t i = 0; i < 82 && record[i * 2]; ++i) seen += record[i * 2];
    for (size_t o = 0; o < 4; ++o) seen += record[164 + 120 + o * 4];
    EXPECT_EQ(seen, expectedRecords[r]) << r;
  }

  // After a restart the names are listed oldest first; the settings match none of them.
  ASSERT_NO_FATAL_FAILURE(Close());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Open(kProfile, kLoad));
  EXPECT_EQ(Items(), "0|Default|   |" + kept + "|p3|p4|p5|p6|p7|p8|p9|p10");
  EXPECT_TRUE(DeleteIs(false));
}

TEST_F(ProfileWindowsE2E, LoadListsSelectsDeletesCancelsAndLoadsTheDefaults) {
  // The defaults as a first run stores them, then with other program-wide settings.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Close());
  const std::string defaults = Data("Profile.db");
  ASSERT_EQ(defaults.size(), kRecord);
  std::string changed = defaults;
  changed[144] = changed[148] = changed[152] = 0;  // help text, hide, magnifier
  changed.replace(156, 2048, Utf16("C:\\Elsewhere", 1024));
  WriteData("Profile.db", changed);
  ASSERT_NO_FATAL_FAILURE(Start());
  for (auto [flip, name] : {std::pair{kSound, "A"}, {kCursor, "B"}, {kView, "C"}}) {
    ClickMain(flip);
    ASSERT_NO_FATAL_FAILURE(SaveAs(name));
  }
  const std::string abc = Data("Profiles.db");
  ASSERT_EQ(abc.size(), kHeader + 3 * kStored);

  ClickMain(kView);  // the settings of B
  auto load = Open(kProfile, kLoad);
  ASSERT_TRUE(load);
  EXPECT_EQ(std::vector({load->x, load->y, load->width, load->height}),
            std::vector({kMainX + 16, kMainY + 50, 435, 471}));
  EXPECT_EQ(Items(), "2|Default|A|B|C");
  EXPECT_TRUE(DeleteIs(true));
  // As drawn: 27-pixel items, B shaded across the list's width, text in its colour from x = 7.
  display.MoveMouse(5, 5);
  std::this_thread::sleep_for(Millis(300));
  Image shot = display.Capture(load->x, load->y, 435, 471);
  shot.SavePng(Locations::Get().artifacts + "/load_profile_window.png");
  const Rgb white{255, 255, 255}, shade{0xEB, 0xEB, 0xEB}, frame{0xDC, 0xDC, 0xDC};
  const struct {
    int x, y;
    Rgb colour;
  } pixels[] = {{300, 156, white}, {300, 157, shade}, {300, 183, shade}, {300, 184, white},
                {412, 170, shade}, {413, 170, white}, {19, 250, frame},  {415, 250, frame},
                {200, 100, frame}, {200, 402, frame}, {200, 403, white}, {200, 380, white}};
  for (const auto& p : pixels) EXPECT_EQ(shot.At(p.x, p.y), p.colour) << p.x << "," << p.y;
  for (int item = 0; item < 4; ++item) {
    int firstInk = 99, exact = 0;
    for (int y = 103 + item * 27; y < 130 + item * 27; ++y)
      for (int x = 22; x < 122; ++x) {
        exact += shot.At(x, y) == Rgb{0x4D, 0x58, 0x69};
        if (shot.At(x, y).r < 200) firstInk = std::min(firstInk, x - 22);
      }
    EXPECT_GT(exact, 3) << item;
    EXPECT_TRUE(firstInk >= 7 && firstInk <= 9) << item << " starts at " << firstInk;
  }
  Row(kLoad, kCancel);
  ASSERT_TRUE(Gone(kLoad));

  // Settings no stored profile has: "Default" is selected, and Delete follows the selection.
  ClickMain(kEdit);
  ASSERT_TRUE(Open(kProfile, kLoad));
  EXPECT_EQ(Items(), "0|Default|A|B|C");
  EXPECT_TRUE(DeleteIs(false));
  ClickItem(3);
  EXPECT_TRUE(DeleteIs(true));
  ClickItem(0);
  EXPECT_TRUE(DeleteIs(false));
  Row(kLoad, kCancel);
  ASSERT_TRUE(Gone(kLoad));

  // Deleting B and then A; Cancel brings B's settings back but not the records.
  ClickMain(kEdit);
  ASSERT_TRUE(Open(kProfile, kLoad));
  Row(kLoad, kDelete);
  EXPECT_TRUE(ItemsBecome("1|Default|A|C")) << Items();
  EXPECT_TRUE(DeleteIs(true));
  Row(kLoad, kDelete);
  EXPECT_TRUE(ItemsBecome("0|Default|C")) << Items();
  EXPECT_TRUE(DeleteIs(false));
  Row(kLoad, kCancel);
  ASSERT_TRUE(Gone(kLoad));
  EXPECT_TRUE(ProfileNameBecomes("None"));
  EXPECT_EQ(Data("Profiles.db"), abc.substr(0, kHeader + kStored));
  ASSERT_TRUE(wine.Act({"endsession", kMain}));  // writes Profile.db
  EXPECT_EQ(Data("Profile.db"), abc.substr(kHeader + kStored + 164, kRecord));

  // Loading "Default" puts back every built-in value, the program-wide ones too.
  ASSERT_TRUE(Open(kProfile, kLoad));
  ClickItem(0);
  Row(kLoad, kOk);
  ASSERT_TRUE(Gone(kLoad));
  EXPECT_TRUE(ProfileNameBecomes("Default"));
  ASSERT_NO_FATAL_FAILURE(Close());
  EXPECT_EQ(Data("Profile.db"), defaults);
}

TEST_F(ProfileWindowsE2E, ForeignLockedAndDamagedProfileFilesLoseNothingAndCrashNothing) {
  // A foreign file of a plausible size is left alone until the first save replaces it.
  const std::string foreign = "KEST" + kMagic.substr(4) + std::string(kStored, 'x');
  WriteData("Profiles.db", foreign);
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickMain(kSound);
  EXPECT_EQ(Data("Profiles.db"), foreign);
  ASSERT_NO_FATAL_FAILURE(SaveAs("x"));
  const std::string one = Data("Profiles.db");
  EXPECT_EQ(one.substr(0, kHeader + 4), kMagic + Utf16("x", 2));
  ASSERT_EQ(one.size(), kHeader + kStored);

  // Another program holds the file open: the save closes the window, the old file stays.
  std::string path = "C:" + wine.DataFolder().substr(wine.prefix().size() + 8) + "/Profiles.db";
  std::replace(path.begin(), path.end(), '/', '\\');
  const std::string answer = wine.prefix() + "/hold.txt";
  Process holder({"wine", Locations::Get().probe, "hold", path, "8000"}, wine.Environment(),
                 answer);
  ASSERT_TRUE(WaitUntil([&] { return std::ifstream(answer).peek() == 'o'; }, Millis(20000)));
  ClickMain(kCursor);
  ASSERT_NO_FATAL_FAILURE(SaveAs("y"));
  EXPECT_TRUE(ProfileNameBecomes("y"));
  EXPECT_EQ(Data("Profiles.db"), one);
  holder.Wait(Millis(20000));

  // A record whose name fills its field without an end and whose values are all out of range.
  ASSERT_NO_FATAL_FAILURE(Close());
  const std::string z(82, 'Z'), garbage(kRecord, '\xFF');
  WriteData("Profiles.db", kMagic + Utf16(z, 82) + garbage + "\x7F\x7F\x7F\x7F");
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Open(kProfile, kLoad));
  EXPECT_EQ(Items(), "0|Default|" + z);
  ClickItem(1);
  Row(kLoad, kOk);
  ASSERT_TRUE(Gone(kLoad));
  EXPECT_TRUE(ProfileNameBecomes(z));
  ASSERT_NO_FATAL_FAILURE(Close());
  EXPECT_EQ(Data("Profile.db"), garbage);
  EXPECT_EQ(Data("Profiles.db"), kMagic + Utf16(z, 82) + garbage + std::string(4, '\0'));
}

}  // namespace
}  // namespace e2e
