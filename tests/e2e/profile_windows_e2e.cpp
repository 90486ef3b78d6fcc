// Save Profile and Load Profile through the real program: typed names and their refusals,
// the ten-profile limit, the list with its selection and Delete rules, Cancel, loading the
// defaults, the bytes of Profiles.db, and profile files that are foreign, locked or damaged.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <thread>

#include "app_session.h"

namespace e2e {
namespace {

const std::string kSave = "KXSaveProfileWndClass", kLoad = "KXLoadProfileWndClass",
                  kMessage = "KXMessageWndClass";
constexpr int kOk = 327, kCancel = 235, kDelete = 17;  // x of the bottom row's buttons

class ProfileWindowsE2E : public AppSession {
 protected:
  void ClickIn(const std::string& cls, int x, int y) {
    auto w = wine.FindWindow(cls);
    ASSERT_TRUE(w) << cls << " is not open";
    display.Click(w->x + x, w->y + y);
    std::this_thread::sleep_for(Millis(200));
  }
  void Row(const std::string& cls, int x) { ClickIn(cls, x + 45, (cls == kSave ? 201 : 471) - 36); }
  // Replaces the Save window's name with `name`, typed key by key.
  void Type(const std::string& name) {
    ClickIn(kSave, 217, 116);
    display.Key("End");
    display.Key("Home", {"Shift_L"});
    display.Key("BackSpace");
    for (char c : name)
      display.Key(c == ' ' ? "space" : std::string(1, char(std::tolower(c))),
                  std::isupper(c) ? std::vector<std::string>{"Shift_L"} : std::vector<std::string>{});
  }
  void SaveAs(const std::string& name) {
    ASSERT_TRUE(OpenFromMain(kSaveAs, kSave));
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
  bool ItemsBecome(const std::string& items) { return Becomes([&] { return Items() == items; }); }
  void ClickItem(int index) { ClickIn(kLoad, 122, 103 + 27 * index + 13); }
  bool DeleteIs(bool enabled) {
    return Becomes([&] { return wine.FindChild(kLoad, "", 1028).value_or(WindowInfo{}).enabled == enabled; });
  }
  void CancelLoad() {
    Row(kLoad, kCancel);
    ASSERT_TRUE(Gone(kLoad));
  }
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
      {kSoundOption, "", blank, ""},      {0, "   ", "", "   "},          {0, "other", identical, ""},
      {kCursorOption, "   ", taken, ""},  {0, letters, "", kept},         {kSoundOption, "p3", "", "p3"},
      {kViewOption, "p4", "", "p4"},      {kSoundOption, "p5", "", "p5"}, {kCursorOption, "p6", "", "p6"},
      {kSoundOption, "p7", "", "p7"},     {kEditOption, "p8", "", "p8"},  {kSoundOption, "p9", "", "p9"},
      {kCursorOption, "p10", "", "p10"},  {kViewOption, "p11", "", ""}};  // the eleventh: nothing
  char options[4] = {1, 0, 0, 0};  // Sound, Cursor, View, Edit of the defaults
  std::vector<std::string> expectedRecords;
  for (const auto& a : attempts) {
    if (a.flip) ClickMain(a.flip), options[a.flip - kSoundOption] ^= 1;
    auto save = OpenFromMain(kSaveAs, kSave);
    ASSERT_TRUE(save);
    EXPECT_EQ(std::vector({save->x, save->y, save->width, save->height}),
              std::vector({kMainLeft + 16, kMainTop + 185, 435, 201}));
    EXPECT_FALSE(wine.FindWindow(kMainClass)->enabled);
    if (a.flip == 0 && a.typed.empty()) {
      EXPECT_EQ(wine.WindowText(kSave, "", 1028), "New Profile");
      display.Capture(save->x, save->y, 435, 201).SavePng(Locations::Get().artifacts + "/save_profile_window.png");
    } else {
      Type(a.typed);
    }
    Row(kSave, kOk);
    EXPECT_EQ(Message(), a.message) << a.typed;
    if (!a.stored.empty()) {
      ASSERT_TRUE(Gone(kSave)) << a.typed;
      EXPECT_TRUE(TextBecomes(kProfileName, a.stored));
      expectedRecords.insert(expectedRecords.begin(), a.stored + std::string(options, 4));
    } else {
      Row(kSave, kCancel);
      ASSERT_TRUE(Gone(kSave));
    }
  }
  // Newest first: each record's name and its four options.
  const std::string ten = Data("Profiles.db");
  ASSERT_EQ(ten.size(), kListHeader + 10 * kStoredBytes);
  EXPECT_EQ(ten.substr(0, kListHeader), kListMagic);
  for (size_t r = 0; r < 10; ++r) {
    const char* record = ten.data() + kListHeader + r * kStoredBytes;
    std::string seen;
    for (size_t i = 0; i < 82 && record[i * 2]; ++i) seen += record[i * 2];
    for (size_t o = 0; o < 4; ++o) seen += record[kNameBytes + kOptSound + o * 4];
    EXPECT_EQ(seen, expectedRecords[r]) << r;
  }

  // After a restart the names are listed oldest first; the settings match none of them.
  ASSERT_NO_FATAL_FAILURE(Close());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(OpenFromMain(kProfileName, kLoad));
  EXPECT_EQ(Items(), "0|Default|   |" + kept + "|p3|p4|p5|p6|p7|p8|p9|p10");
  EXPECT_TRUE(DeleteIs(false));
}

TEST_F(ProfileWindowsE2E, LoadListsSelectsDeletesCancelsAndLoadsTheDefaults) {
  // The defaults as a first run stores them, then with other program-wide settings.
  const std::string defaults = DefaultRecord();
  ASSERT_EQ(defaults.size(), kRecordBytes);
  std::string changed = defaults;
  for (size_t field : {kSetHelpText, kSetHide, kSetMagnifier}) SetRecordValue(changed, field, 0);
  changed.replace(kStorageFolder, 2048, Utf16("C:\\Elsewhere", 1024));
  WriteData("Profile.db", changed);
  ASSERT_NO_FATAL_FAILURE(Start());
  for (auto [flip, name] : {std::pair{kSoundOption, "A"}, {kCursorOption, "B"}, {kViewOption, "C"}}) {
    ClickMain(flip);
    ASSERT_NO_FATAL_FAILURE(SaveAs(name));
  }
  const std::string abc = Data("Profiles.db");
  ASSERT_EQ(abc.size(), kListHeader + 3 * kStoredBytes);

  ClickMain(kViewOption);  // the settings of B
  auto load = OpenFromMain(kProfileName, kLoad);
  ASSERT_TRUE(load);
  EXPECT_EQ(std::vector({load->x, load->y, load->width, load->height}),
            std::vector({kMainLeft + 16, kMainTop + 50, 435, 471}));
  EXPECT_EQ(Items(), "2|Default|A|B|C");
  EXPECT_TRUE(DeleteIs(true));
  // As drawn: 27-pixel items, B shaded across the list's width, text in its colour from x = 7.
  display.MoveMouse(5, 5);
  std::this_thread::sleep_for(Millis(300));
  const Image shot = display.Capture(load->x, load->y, 435, 471);
  shot.SavePng(Locations::Get().artifacts + "/load_profile_window.png");
  const Rgb white{255, 255, 255}, shade{0xEB, 0xEB, 0xEB}, frame{0xDC, 0xDC, 0xDC};
  const struct { int x, y; Rgb colour; } pixels[] = {
      {300, 156, white}, {300, 157, shade}, {300, 183, shade}, {300, 184, white},
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
  ASSERT_NO_FATAL_FAILURE(CancelLoad());

  // Settings no stored profile has: "Default" is selected, and Delete follows the selection.
  ClickMain(kEditOption);
  ASSERT_TRUE(OpenFromMain(kProfileName, kLoad));
  EXPECT_EQ(Items(), "0|Default|A|B|C");
  for (auto [item, deletable] : {std::pair{-1, false}, {3, true}, {0, false}}) {
    if (item >= 0) ClickItem(item);
    EXPECT_TRUE(DeleteIs(deletable)) << item;
  }
  ASSERT_NO_FATAL_FAILURE(CancelLoad());

  // Deleting B and then A; Cancel brings B's settings back but not the records.
  ClickMain(kEditOption);
  ASSERT_TRUE(OpenFromMain(kProfileName, kLoad));
  for (auto [left, deletable] : {std::pair{"1|Default|A|C", true}, {"0|Default|C", false}}) {
    Row(kLoad, kDelete);
    EXPECT_TRUE(ItemsBecome(left)) << Items();
    EXPECT_TRUE(DeleteIs(deletable)) << left;
  }
  ASSERT_NO_FATAL_FAILURE(CancelLoad());
  EXPECT_TRUE(TextBecomes(kProfileName, "None"));
  EXPECT_EQ(Data("Profiles.db"), abc.substr(0, kListHeader + kStoredBytes));
  ASSERT_TRUE(wine.Act({"endsession", kMainClass}));  // writes Profile.db
  EXPECT_EQ(Data("Profile.db"), abc.substr(kListHeader + kStoredBytes + kNameBytes, kRecordBytes));

  // Loading "Default" puts back every built-in value, the program-wide ones too.
  ASSERT_TRUE(OpenFromMain(kProfileName, kLoad));
  ClickItem(0);
  Row(kLoad, kOk);
  ASSERT_TRUE(Gone(kLoad));
  EXPECT_TRUE(TextBecomes(kProfileName, "Default"));
  ASSERT_NO_FATAL_FAILURE(Close());
  EXPECT_EQ(Data("Profile.db"), defaults);
}

TEST_F(ProfileWindowsE2E, ForeignLockedAndDamagedProfileFilesLoseNothingAndCrashNothing) {
  // A foreign file of a plausible size is left alone until the first save replaces it.
  const std::string foreign = "KEST" + kListMagic.substr(4) + std::string(kStoredBytes, 'x');
  WriteData("Profiles.db", foreign);
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickMain(kSoundOption);
  EXPECT_EQ(Data("Profiles.db"), foreign);
  ASSERT_NO_FATAL_FAILURE(SaveAs("x"));
  const std::string one = Data("Profiles.db");
  EXPECT_EQ(one.substr(0, kListHeader + 4), kListMagic + Utf16("x", 2));
  ASSERT_EQ(one.size(), kListHeader + kStoredBytes);

  // Another program holds the file open: the save closes the window, the old file stays.
  std::string path = "C:" + wine.DataFolder().substr(wine.prefix().size() + 8) + "/Profiles.db";
  std::replace(path.begin(), path.end(), '/', '\\');
  const std::string answer = wine.prefix() + "/hold.txt";
  Process holder({"wine", Locations::Get().probe, "hold", path, "8000"}, wine.Environment(), answer);
  ASSERT_TRUE(WaitUntil([&] { return std::ifstream(answer).peek() == 'o'; }, Millis(20000)));
  ClickMain(kCursorOption);
  ASSERT_NO_FATAL_FAILURE(SaveAs("y"));
  EXPECT_TRUE(TextBecomes(kProfileName, "y"));
  EXPECT_EQ(Data("Profiles.db"), one);
  holder.Wait(Millis(20000));

  // A record whose name fills its field without an end and whose values are all out of range.
  ASSERT_NO_FATAL_FAILURE(Close());
  const std::string z(82, 'Z'), garbage(kRecordBytes, '\xFF');
  WriteData("Profiles.db", kListMagic + Utf16(z, 82) + garbage + "\x7F\x7F\x7F\x7F");
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(OpenFromMain(kProfileName, kLoad));
  EXPECT_EQ(Items(), "0|Default|" + z);
  ClickItem(1);
  Row(kLoad, kOk);
  ASSERT_TRUE(Gone(kLoad));
  EXPECT_TRUE(TextBecomes(kProfileName, z));
  ASSERT_NO_FATAL_FAILURE(Close());
  EXPECT_EQ(Data("Profile.db"), garbage);
  EXPECT_EQ(Data("Profiles.db"), kListMagic + Utf16(z, 82) + garbage + std::string(4, '\0'));
}

}  // namespace
}  // namespace e2e
