// Save Profile and Load Profile through the real program: typed names and their refusals,
// the ten-profile limit, the list with its selection and Delete rules, Cancel, loading the
// defaults, the bytes of Profiles.db, and profile files that are damaged or locked.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <thread>

#include "harness.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr Millis kStartDeadline(30000), kWindowDeadline(10000);
constexpr int kMainLeft = 407, kMainTop = 115;  // the main window on a 1280 x 800 screen
const std::string kMainClass = "KXMainWndClass", kTitle = "HALVECOR Kestrix";
const std::string kSaveClass = "KXSaveProfileWndClass", kLoadClass = "KXLoadProfileWndClass";
const std::string kMessageClass = "KXMessageWndClass";
constexpr int kProfileButton = 1041, kSoundId = 1037, kCursorId = 1038, kViewId = 1039,
              kEditId = 1040;

constexpr size_t kRecordBytes = 2304, kStoredBytes = 2472, kHeaderBytes = 8;
constexpr size_t kOptSound = 120, kSetHelpText = 144, kSetHide = 148, kSetMagnifier = 152,
                 kSetStorageFolder = 156;

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Utf16(const std::string& ascii, size_t units) {
  std::string field(units * 2, '\0');
  for (size_t i = 0; i < ascii.size() && i < units; ++i) field[i * 2] = ascii[i];
  return field;
}

std::string NameOfRecord(const std::string& file, size_t index) {
  std::string name;
  for (size_t i = 0; i < 82; ++i) {
    char c = file[kHeaderBytes + index * kStoredBytes + i * 2];
    if (!c) break;
    name += c;
  }
  return name;
}

std::string ProfileOfRecord(const std::string& file, size_t index) {
  return file.substr(kHeaderBytes + index * kStoredBytes + 164, kRecordBytes);
}

class ProfileWindowsE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display.ok()) << "Xvfb did not start";
    ASSERT_FALSE(wine.prefix().empty()) << "no Wine prefix";
  }

  void Start() {
    kestrix = wine.Launch();
    ASSERT_TRUE(wine.WaitForWindow(kMainClass, kStartDeadline, kestrix.get()))
        << "no main window; program running: " << kestrix->Running();
    ASSERT_TRUE(WaitUntil([&] { return MainText(kProfileButton).has_value(); }, kWindowDeadline));
    std::this_thread::sleep_for(Millis(500));  // the first paint
  }
  void CloseWithButton() {
    display.Click(kMainLeft + 415 + 20, kMainTop + 1 + 8);
    ASSERT_EQ(kestrix->Wait(kStartDeadline), 0);
  }

  // Main window controls by the layout's positions.
  void ClickMain(int id) {
    const struct {
      int id, x, y, width;
    } controls[] = {{kSoundId, 26, 351, 103},       {kCursorId, 130, 351, 103},
                    {kViewId, 234, 351, 103},       {kEditId, 338, 351, 103},
                    {kProfileButton, 26, 432, 311}, {1042, 338, 432, 103}};
    for (const auto& c : controls)
      if (c.id == id) display.Click(kMainLeft + c.x + c.width / 2, kMainTop + c.y + 18);
    std::this_thread::sleep_for(Millis(200));
  }
  std::optional<std::string> MainText(int id) { return wine.WindowText(kMainClass, kTitle, id); }
  bool ProfileNameBecomes(const std::string& name) {
    return WaitUntil([&] { return MainText(kProfileButton) == name; }, kWindowDeadline);
  }

  // A tool window: opened by a main-window button, clicked by its client coordinates.
  std::optional<WindowInfo> Open(int mainId, const std::string& className) {
    ClickMain(mainId);
    auto window = wine.WaitForWindow(className, kWindowDeadline, kestrix.get());
    std::this_thread::sleep_for(Millis(300));
    return window;
  }
  void ClickIn(const std::string& className, int x, int y) {
    auto w = wine.FindWindow(className);
    ASSERT_TRUE(w) << className << " is not open";
    display.Click(w->x + x, w->y + y);
    std::this_thread::sleep_for(Millis(200));
  }
  void ClickRowButton(const std::string& className, int height, int x) {
    ClickIn(className, x + 45, height - 54 + 18);
  }
  void Ok(const std::string& c, int height) { ClickRowButton(c, height, 327); }
  void Cancel(const std::string& c, int height) { ClickRowButton(c, height, 235); }
  bool Gone(const std::string& className) {
    return WaitUntil([&] { return !wine.FindWindow(className); }, kWindowDeadline);
  }

  // Replaces the name in the Save window's box with `name`, typed key by key.
  void TypeName(const std::string& name) {
    ClickIn(kSaveClass, 217, 116);
    display.Key("End");
    display.Key("Home", {"Shift_L"});
    display.Key("BackSpace");
    for (char c : name) {
      if (c == ' ')
        display.Key("space");
      else if (std::isupper(static_cast<unsigned char>(c)))
        display.Key(std::string(1, char(std::tolower(c))), {"Shift_L"});
      else
        display.Key(std::string(1, c));
    }
    std::this_thread::sleep_for(Millis(200));
  }
  // Saves the current settings under `name`; the window must close.
  void SaveAs(const std::string& name) {
    ASSERT_TRUE(Open(1042, kSaveClass));
    TypeName(name);
    Ok(kSaveClass, 201);
    ASSERT_TRUE(Gone(kSaveClass)) << "saving " << name;
  }
  // The message window shows `text` over the still open Save window; its OK closes it.
  void ExpectMessage(const std::string& text) {
    auto message = wine.WaitForWindow(kMessageClass, kWindowDeadline, kestrix.get());
    ASSERT_TRUE(message) << "no message for: " << text;
    EXPECT_EQ(wine.WindowText(kMessageClass, "", 0), text);
    EXPECT_TRUE(wine.FindWindow(kSaveClass));
    std::this_thread::sleep_for(Millis(300));
    display.Click(message->x + 172 + 45, message->y + 184 + 18);
    ASSERT_TRUE(Gone(kMessageClass));
    EXPECT_TRUE(wine.FindWindow(kSaveClass)) << "the Save window closed after: " << text;
  }

  // "<selected>|item|item..." of the Load window's list.
  std::string ListItems() {
    auto out = wine.Probe({"items", kLoadClass, "1029"});
    if (!out) return "none";
    return out->substr(0, out->find_first_of("\r\n"));
  }
  void ClickItem(int index) { ClickIn(kLoadClass, 22 + 100, 103 + 27 * index + 13); }
  bool DeleteEnabledBecomes(bool enabled) {
    return WaitUntil(
        [&] {
          auto d = wine.FindChild(kLoadClass, "", 1028);
          return d && d->enabled == enabled;
        },
        kWindowDeadline);
  }

  std::string DataFile(const char* name) { return wine.DataFolder() + "/" + name; }
  std::string ReadData(const char* name) {
    return wine.ReadPrefixFile(DataFile(name)).value_or("");
  }

  VirtualDisplay display{1280, 800};
  WineSession wine{display};
  std::unique_ptr<Process> kestrix;
};

TEST_F(ProfileWindowsE2E, SavingRefusesDefaultsBlankTakenAndIdenticalAndStopsAtTheTenth) {
  ASSERT_NO_FATAL_FAILURE(Start());
  auto save = Open(1042, kSaveClass);
  ASSERT_TRUE(save);
  EXPECT_EQ(save->x, kMainLeft + (467 - 435) / 2);
  EXPECT_EQ(save->y, kMainTop + (571 - 201) / 2);
  EXPECT_EQ(save->width, 435);
  EXPECT_EQ(save->height, 201);
  EXPECT_FALSE(wine.FindWindow(kMainClass)->enabled);
  EXPECT_EQ(wine.WindowText(kSaveClass, "", 1028), "New Profile");
  display.Capture(save->x, save->y, 435, 201)
      .SavePng(Locations::Get().artifacts + "/save_profile_window.png");
  Ok(kSaveClass, 201);
  ASSERT_NO_FATAL_FAILURE(ExpectMessage("An identical profile already exists."));
  Cancel(kSaveClass, 201);
  ASSERT_TRUE(Gone(kSaveClass));
  EXPECT_TRUE(wine.FindWindow(kMainClass)->enabled);

  // Each step flips one option, so that the ten saved settings all differ (a Gray code).
  const std::string longName = "abcdefghijklmnopqrstuvwxyz0123456789";
  const std::string kept = longName.substr(0, 30);
  const int flips[] = {kSoundId,  kCursorId, kSoundId, kViewId,  kSoundId,
                       kCursorId, kSoundId,  kEditId,  kSoundId, kCursorId};
  const std::string names[] = {"   ", kept, "p3", "p4", "p5", "p6", "p7", "p8", "p9", "p10"};
  uint32_t options[4] = {1, 0, 0, 0};  // Sound, Cursor, View, Edit as the defaults have them
  std::vector<std::array<uint32_t, 4>> saved;
  for (int i = 0; i < 10; ++i) {
    ClickMain(flips[i]);
    options[flips[i] - kSoundId] ^= 1;
    ASSERT_TRUE(Open(1042, kSaveClass));
    if (i == 0) {
      TypeName("");
      Ok(kSaveClass, 201);
      ASSERT_NO_FATAL_FAILURE(ExpectMessage("Profile name cannot be blank."));
    }
    if (i == 1) {
      TypeName("   ");
      Ok(kSaveClass, 201);
      ASSERT_NO_FATAL_FAILURE(ExpectMessage("Profile with the specified name already exists."));
    }
    TypeName(i == 1 ? longName : names[i]);
    Ok(kSaveClass, 201);
    ASSERT_TRUE(Gone(kSaveClass)) << names[i];
    EXPECT_TRUE(ProfileNameBecomes(names[i]));
    saved.push_back({options[0], options[1], options[2], options[3]});
    if (i == 0) {  // the same settings under another name
      ASSERT_TRUE(Open(1042, kSaveClass));
      TypeName("other");
      Ok(kSaveClass, 201);
      ASSERT_NO_FATAL_FAILURE(ExpectMessage("An identical profile already exists."));
      Cancel(kSaveClass, 201);
      ASSERT_TRUE(Gone(kSaveClass));
    }
  }
  const std::string ten = ReadData("Profiles.db");
  ASSERT_EQ(ten.size(), kHeaderBytes + 10 * kStoredBytes);
  EXPECT_EQ(ten.substr(0, 8), std::string("TSEK\x01\0\0\0", 8));
  for (size_t i = 0; i < 10; ++i) {  // the newest first
    const size_t r = 9 - i;
    EXPECT_EQ(NameOfRecord(ten, r), names[i]);
    std::string profile = ProfileOfRecord(ten, r);
    for (size_t o = 0; o < 4; ++o)
      EXPECT_EQ(uint8_t(profile[kOptSound + o * 4]), saved[i][o]) << names[i] << " option " << o;
  }

  // An eleventh: nothing happens at all.
  ClickMain(kViewId);
  ASSERT_TRUE(Open(1042, kSaveClass));
  TypeName("p11");
  Ok(kSaveClass, 201);
  EXPECT_FALSE(wine.WaitForWindow(kMessageClass, Millis(1500)));
  EXPECT_TRUE(wine.FindWindow(kSaveClass));
  Cancel(kSaveClass, 201);
  ASSERT_TRUE(Gone(kSaveClass));
  EXPECT_EQ(ReadData("Profiles.db"), ten);

  // The names come back after a restart, in the list's order.
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Open(kProfileButton, kLoadClass));
  EXPECT_EQ(ListItems(), "0|Default|   |" + kept + "|p3|p4|p5|p6|p7|p8|p9|p10");
  EXPECT_TRUE(DeleteEnabledBecomes(false));
  Cancel(kLoadClass, 471);
  ASSERT_TRUE(Gone(kLoadClass));
}

TEST_F(ProfileWindowsE2E, LoadListsSelectsDeletesCancelsAndLoadsTheDefaults) {
  // The built-in defaults as a first run writes them, then changed program-wide settings.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());
  const std::string defaults = ReadData("Profile.db");
  ASSERT_EQ(defaults.size(), kRecordBytes);
  std::string changed = defaults;
  for (size_t field : {kSetHelpText, kSetHide, kSetMagnifier}) changed[field] = 0;
  changed.replace(kSetStorageFolder, 2048, Utf16("C:\\Elsewhere", 1024));
  WriteFile(DataFile("Profile.db"), changed);

  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(ProfileNameBecomes("None"));
  for (auto [flip, name] : {std::pair{kSoundId, "A"}, {kCursorId, "B"}, {kViewId, "C"}}) {
    ClickMain(flip);
    ASSERT_NO_FATAL_FAILURE(SaveAs(name));
  }
  const std::string abc = ReadData("Profiles.db");
  ASSERT_EQ(abc.size(), kHeaderBytes + 3 * kStoredBytes);
  const std::string recordC = abc.substr(kHeaderBytes, kStoredBytes);
  const std::string profileB = ProfileOfRecord(abc, 1);

  ClickMain(kViewId);  // the settings of B
  ASSERT_TRUE(ProfileNameBecomes("B"));
  auto load = Open(kProfileButton, kLoadClass);
  ASSERT_TRUE(load);
  EXPECT_EQ(load->x, kMainLeft + (467 - 435) / 2);
  EXPECT_EQ(load->y, kMainTop + (571 - 471) / 2);
  EXPECT_EQ(load->height, 471);
  EXPECT_FALSE(wine.FindWindow(kMainClass)->enabled);
  EXPECT_EQ(ListItems(), "2|Default|A|B|C");
  EXPECT_TRUE(DeleteEnabledBecomes(true));

  // The items as drawn: 27-pixel strips, B shaded, text in its colour from x = 7.
  display.MoveMouse(5, 5);
  std::this_thread::sleep_for(Millis(300));
  Image shot = display.Capture(load->x, load->y, 435, 471);
  shot.SavePng(Locations::Get().artifacts + "/load_profile_window.png");
  const Rgb white{255, 255, 255}, shade{0xEB, 0xEB, 0xEB}, frame{0xDC, 0xDC, 0xDC};
  const Rgb text{0x4D, 0x58, 0x69};
  const int listX = 22, listY = 103, selectedTop = listY + 2 * 27;
  EXPECT_EQ(shot.At(300, selectedTop - 1), white);
  EXPECT_EQ(shot.At(300, selectedTop), shade);
  EXPECT_EQ(shot.At(300, selectedTop + 26), shade);
  EXPECT_EQ(shot.At(300, selectedTop + 27), white);
  EXPECT_EQ(shot.At(listX + 390, selectedTop + 5), shade);  // the whole width
  EXPECT_EQ(shot.At(listX + 391, selectedTop + 5), white);
  for (int item = 0; item < 4; ++item) {
    int firstInk = 1000, exact = 0;
    for (int y = listY + item * 27; y < listY + item * 27 + 27; ++y)
      for (int x = listX; x < listX + 100; ++x) {
        Rgb p = shot.At(x, y);
        if (p == text) ++exact;
        if (p.r < 200) firstInk = std::min(firstInk, x - listX);
      }
    EXPECT_GT(exact, 3) << "item " << item;
    EXPECT_GE(firstInk, 7) << "item " << item;
    EXPECT_LE(firstInk, 9) << "item " << item;
  }
  EXPECT_EQ(shot.At(19, 250), frame);
  EXPECT_EQ(shot.At(415, 250), frame);
  EXPECT_EQ(shot.At(200, 100), frame);
  EXPECT_EQ(shot.At(200, 402), frame);
  EXPECT_EQ(shot.At(200, 403), white);
  EXPECT_EQ(shot.At(200, 380), white);  // below the last item
  Cancel(kLoadClass, 471);
  ASSERT_TRUE(Gone(kLoadClass));

  // Settings that no stored profile has: "Default" is selected; Delete follows the selection.
  ClickMain(kEditId);
  ASSERT_TRUE(ProfileNameBecomes("None"));
  ASSERT_TRUE(Open(kProfileButton, kLoadClass));
  EXPECT_EQ(ListItems(), "0|Default|A|B|C");
  EXPECT_TRUE(DeleteEnabledBecomes(false));
  ClickItem(3);
  EXPECT_TRUE(DeleteEnabledBecomes(true));
  ClickItem(0);
  EXPECT_TRUE(DeleteEnabledBecomes(false));
  Cancel(kLoadClass, 471);
  ASSERT_TRUE(Gone(kLoadClass));

  // Deleting B, then A; Cancel brings B's settings back but not the records.
  ClickMain(kEditId);
  ASSERT_TRUE(ProfileNameBecomes("B"));
  ASSERT_TRUE(Open(kProfileButton, kLoadClass));
  ClickRowButton(kLoadClass, 471, 17);
  EXPECT_TRUE(WaitUntil([&] { return ListItems() == "1|Default|A|C"; }, kWindowDeadline))
      << ListItems();
  EXPECT_TRUE(DeleteEnabledBecomes(true));
  ClickRowButton(kLoadClass, 471, 17);
  EXPECT_TRUE(WaitUntil([&] { return ListItems() == "0|Default|C"; }, kWindowDeadline))
      << ListItems();
  EXPECT_TRUE(DeleteEnabledBecomes(false));
  Cancel(kLoadClass, 471);
  ASSERT_TRUE(Gone(kLoadClass));
  EXPECT_TRUE(ProfileNameBecomes("None"));
  EXPECT_EQ(ReadData("Profiles.db"), abc.substr(0, kHeaderBytes) + recordC);
  ASSERT_TRUE(wine.Act({"endsession", kMainClass}));  // writes Profile.db
  EXPECT_EQ(ReadData("Profile.db"), profileB);

  // Loading "Default" puts back every built-in value, the program-wide ones too.
  ASSERT_TRUE(Open(kProfileButton, kLoadClass));
  ClickItem(0);
  Ok(kLoadClass, 471);
  ASSERT_TRUE(Gone(kLoadClass));
  EXPECT_TRUE(ProfileNameBecomes("Default"));
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());
  EXPECT_EQ(ReadData("Profile.db"), defaults);
  EXPECT_EQ(ReadData("Profiles.db"), abc.substr(0, kHeaderBytes) + recordC);
}

TEST_F(ProfileWindowsE2E, ForeignLockedAndDamagedProfileFilesLoseNothingAndCrashNothing) {
  // A foreign file of a plausible size is left alone until the first save replaces it.
  std::string foreign = "KEST" + std::string("\x01\0\0\0", 4) + std::string(kStoredBytes, 'x');
  WriteFile(DataFile("Profiles.db"), foreign);
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickMain(kSoundId);
  std::this_thread::sleep_for(Millis(500));
  EXPECT_EQ(ReadData("Profiles.db"), foreign);
  ASSERT_NO_FATAL_FAILURE(SaveAs("x"));
  const std::string one = ReadData("Profiles.db");
  ASSERT_EQ(one.size(), kHeaderBytes + kStoredBytes);
  EXPECT_EQ(NameOfRecord(one, 0), "x");

  // Another program holds the file open: the save closes the window, the old file stays.
  std::string windowsPath = "C:" + DataFile("Profiles.db").substr(wine.prefix().size() + 8);
  for (char& c : windowsPath)
    if (c == '/') c = '\\';
  const std::string answer = wine.prefix() + "/hold.txt";
  Process holder({"wine", Locations::Get().probe, "hold", windowsPath, "8000"}, wine.Environment(),
                 answer);
  ASSERT_TRUE(WaitUntil([&] { return std::ifstream(answer).peek() == 'o'; }, Millis(20000)))
      << "the file could not be held";
  ClickMain(kCursorId);
  ASSERT_NO_FATAL_FAILURE(SaveAs("y"));
  EXPECT_EQ(ReadData("Profiles.db"), one);
  EXPECT_TRUE(ProfileNameBecomes("y"));
  holder.Wait(Millis(20000));

  // A record whose name fills its field without an end and whose values are all out of range.
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());
  std::string damaged = std::string("TSEK\x01\0\0\0", 8) + Utf16(std::string(82, 'Z'), 82) +
                        std::string(kRecordBytes, '\xFF') + std::string(4, '\x7F');
  WriteFile(DataFile("Profiles.db"), damaged);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Open(kProfileButton, kLoadClass));
  EXPECT_EQ(ListItems(), "0|Default|" + std::string(82, 'Z'));
  ClickItem(1);
  Ok(kLoadClass, 471);
  ASSERT_TRUE(Gone(kLoadClass));
  EXPECT_TRUE(ProfileNameBecomes(std::string(82, 'Z')));
  EXPECT_TRUE(kestrix->Running());
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());
  EXPECT_EQ(ReadData("Profile.db"), std::string(kRecordBytes, '\xFF'));
  EXPECT_EQ(ReadData("Profiles.db"), damaged.substr(0, damaged.size() - 4) + std::string(4, '\0'));
}

}  // namespace
}  // namespace e2e
