// Save Profile and Load Profile through the real program: typed names and their refusals,
// the ten-profile limit, the list with its selection and Delete rules, Cancel, loading the
// defaults, the bytes of Profiles.db, and profile files that are foreign or damaged.

#include <algorithm>

#include "tool_steps.h"

namespace e2e {
namespace {

const std::string kSave = "KXSaveProfileWndClass";
constexpr int kNameBox = 1028,
              kDelete = kReset;  // the Save window's name box, the Load window's Delete
const Sheet kSaveSheet =
    MakeSheet(kSave, 201, kSaveAsId, 1030, {{{kNameBox, 19, 100, 397, 33}}}, {});

class ProfileWindowsE2E : public ToolSession {
 protected:
  void SaveAs(const std::string& name) {
    Run(kSaveSheet, {{kOpen}, {kTypeOnly, kNameBox, name}, {kClose, kOk}});
  }
};

TEST_F(ProfileWindowsE2E, SavingRefusesDefaultsBlankTakenAndIdenticalAndStopsAtTheTenth) {
  // Seven stored profiles, each with Edit on and its own Sound, Cursor and View.
  const char* const names[] = {"p3", "RD", "R&D", "p6", "p7", "p8", "p9"};
  std::string record = Defaults(), list = kListMagic;
  for (uint32_t n = 9; n >= 3; --n) {
    for (uint32_t o = 0; o < 4; ++o)
      SetRecordValue(record, kOptSound + o * 4, o == 3 || (n >> o & 1));
    list += Utf16(names[n - 3], 82) + record + std::string(4, '\0');
  }
  WriteData("Profiles.db", list);
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::string identical = "An identical profile already exists.",
                    blank = "Profile name cannot be blank.",
                    taken = "Profile with the specified name already exists.",
                    letters = "abcdefghijklmnopqrstuvwxyz0123456789", kept = letters.substr(0, 30);
  // Each step flips one more option of the defaults' (a Gray code), Edit never.
  const struct {
    int flip;
    std::string typed, message, stored;
  } attempts[] = {// clang-format off
      {0, "", identical, ""},  // untouched defaults, the name left as it is
      {kSoundId, "", blank, ""}, {0, "   ", "", "   "}, {0, "other", identical, ""},
      {kCursorId, "   ", taken, ""}, {0, letters, "", kept}, {kSoundId, "p10", "", "p10"},
      {kViewId, "p11", "", ""}};  // the eleventh: nothing
  // clang-format on
  for (const auto& a : attempts) {
    if (a.flip) ClickMain(a.flip);
    const bool untouched = a.flip == 0 && a.typed.empty();
    Run(kSaveSheet, {{kOpen},
                     untouched ? Step{kSee, 0, "", kNameBox, "New Profile"}
                               : Step{kTypeOnly, kNameBox, a.typed}});
    if (untouched) Shot("save_profile_window");
    Run(kSaveSheet, {{kPress, kOk}, {kMessage, 0, a.message}});
    if (a.stored.empty()) {
      Run(kSaveSheet, {{kClose, kCancel}});
      continue;
    }
    ASSERT_TRUE(Gone(kSave)) << a.typed;
    EXPECT_TRUE(TextBecomes(kProfileId, a.stored));
  }
  // Ten stored, newest first.
  const std::string ten = Data("Profiles.db");
  ASSERT_EQ(ten.size(), kListHeader + 10 * kStoredBytes);
  EXPECT_EQ(ten.substr(kListHeader, 6), Utf16("p10", 3));
  // After a restart the names are listed oldest first; the settings match none of them.
  ASSERT_NO_FATAL_FAILURE(Close());
  ASSERT_NO_FATAL_FAILURE(Start());
  Run(kLoadSheet, {{kOpen},
                   {kItems, 0, "0|Default|p3|RD|R&D|p6|p7|p8|p9|   |" + kept + "|p10"},
                   {kEnabled, kDelete, "0"}});
  // "&" is drawn as it is, as everywhere else: "R&D" reaches further right than "RD".
  const Image drawn = Shot("load_profile_names");
  const auto textEnd = [&](int item) {
    int end = 0;
    for (int y = 103 + 27 * item; y < 130 + 27 * item; ++y)
      for (int x = 22; x < 413; ++x)
        if (drawn.At(x, y).r < 160) end = std::max(end, x);
    return end;
  };
  EXPECT_GT(textEnd(3), textEnd(2) + 4);
}

TEST_F(ProfileWindowsE2E, LoadListsSelectsDeletesCancelsAndLoadsTheDefaults) {
  // The defaults as a first run stores them, then with other program-wide settings.
  const std::string defaults = Defaults();
  ASSERT_EQ(defaults.size(), kRecordBytes);
  std::string changed = defaults;
  for (size_t field : {kSetHelpText, kSetHide, kSetMagnifier}) SetRecordValue(changed, field, 0);
  changed.replace(kStorageFolder, 2048, Utf16("C:\\Elsewhere", 1024));
  WriteData("Profile.db", changed);
  ASSERT_NO_FATAL_FAILURE(Start());
  for (auto [flip, name] : {std::pair{kSoundId, "A"}, {kCursorId, "B"}, {kViewId, "C"}}) {
    ClickMain(flip);
    ASSERT_NO_FATAL_FAILURE(SaveAs(name));
  }
  const std::string abc = Data("Profiles.db");
  ASSERT_EQ(abc.size(), kListHeader + 3 * kStoredBytes);

  // With the settings of B, B is selected and can be deleted.
  Run(kLoadSheet,
      {{kMainPress, kViewId}, {kOpen}, {kItems, 0, "2|Default|A|B|C"}, {kEnabled, kDelete, "1"}});
  Shot("load_profile_window");
  // Settings no stored profile has: "Default" is selected, and Delete follows the selection.
  // Then deleting B and A; Cancel brings B's settings back but not the records.
  // clang-format off
  Run(kLoadSheet, {{kClose, kCancel}, {kMainPress, kEditId}, {kOpen},
                   {kItems, 0, "0|Default|A|B|C"}, {kEnabled, kDelete, "0"}, {kItem, 3},
                   {kEnabled, kDelete, "1"}, {kItem, 0}, {kEnabled, kDelete, "0"},
                   {kClose, kCancel}, {kMainPress, kEditId}, {kOpen}, {kPress, kDelete},
                   {kItems, 0, "1|Default|A|C"}, {kEnabled, kDelete, "1"}, {kPress, kDelete},
                   {kItems, 0, "0|Default|C"}, {kEnabled, kDelete, "0"}, {kClose, kCancel},
                   {kName, 0, "None"}});
  // clang-format on
  EXPECT_EQ(Data("Profiles.db"), abc.substr(0, kListHeader + kStoredBytes));
  ASSERT_TRUE(wine.Act({"endsession", kMainClass}));  // writes Profile.db
  EXPECT_EQ(Data("Profile.db"), abc.substr(kListHeader + kStoredBytes + kNameBytes, kRecordBytes));
  // Loading "Default" puts back every built-in value, the program-wide ones too.
  Run(kLoadSheet, {{kOpen}, {kItem, 0}, {kClose, kOk}, {kName, 0, "Default"}});
  ASSERT_NO_FATAL_FAILURE(Close());
  EXPECT_EQ(Data("Profile.db"), defaults);
}

TEST_F(ProfileWindowsE2E, ForeignAndDamagedProfileFilesLoseNothingAndCrashNothing) {
  // A foreign file, or one of a later version, of a plausible size is left alone until the
  // first save replaces it.
  for (const std::string& magic : {std::string("KEST\1", 5), std::string("TSEK\2", 5)}) {
    const std::string foreign = magic + kListMagic.substr(5) + std::string(kStoredBytes, 'x');
    WriteData("Profiles.db", foreign);
    ASSERT_NO_FATAL_FAILURE(Start());
    ClickMain(kSoundId);
    EXPECT_EQ(Data("Profiles.db"), foreign);
    ASSERT_NO_FATAL_FAILURE(SaveAs("x"));
    const std::string one = Data("Profiles.db");
    EXPECT_EQ(one.substr(0, kListHeader + 4), kListMagic + Utf16("x", 2));
    ASSERT_EQ(one.size(), kListHeader + kStoredBytes);
    ASSERT_NO_FATAL_FAILURE(CloseFromElsewhere());
  }

  // A record whose name fills its field without an end and whose values are all out of range.
  const std::string z(82, 'Z'), garbage(kRecordBytes, '\xFF');
  WriteData("Profiles.db", kListMagic + Utf16(z, 82) + garbage + "\x7F\x7F\x7F\x7F");
  ASSERT_NO_FATAL_FAILURE(Start());
  Run(kLoadSheet,
      {{kOpen}, {kItems, 0, "0|Default|" + z}, {kItem, 1}, {kClose, kOk}, {kName, 0, z}});
  ASSERT_NO_FATAL_FAILURE(Close());
  EXPECT_EQ(Data("Profile.db"), garbage);
  EXPECT_EQ(Data("Profiles.db"), kListMagic + Utf16(z, 82) + garbage + std::string(4, '\0'));
}

}  // namespace
}  // namespace e2e
