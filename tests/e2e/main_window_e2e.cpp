// The main window of the real program as a person sees and uses it: layout, choices,
// option toggles, the profile name, help tooltips, the close paths and the About window.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "harness.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr Millis kStartDeadline(30000);
constexpr int kLeft = 407, kTop = 115;  // the window's place on a 1280 x 800 screen
const std::string kMainClass = "KXMainWndClass";
const std::string kTitle = "HALVECOR Kestrix";

// Offsets of fields in the stored 2304-byte profile record.
constexpr size_t kInType = 0, kOptSound = 120, kOptCursor = 124, kOptView = 128, kOptEdit = 132,
                 kSetHelpText = 144;
constexpr size_t kRecordBytes = 2304;

uint32_t Field(const std::string& record, size_t offset) {
  uint32_t v = 0;
  std::memcpy(&v, record.data() + offset, 4);
  return v;
}

void SetField(std::string& record, size_t offset, uint32_t value) {
  std::memcpy(record.data() + offset, &value, 4);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Profiles.db with one stored profile: "TSEK", version 1, then name, record and link slot.
std::string ProfileListFile(const std::string& name, const std::string& record) {
  std::string bytes = "TSEK";
  bytes += std::string("\x01\0\0\0", 4);
  std::string nameField(164, '\0');
  for (size_t i = 0; i < name.size(); ++i) nameField[i * 2] = name[i];
  return bytes + nameField + record + std::string(4, '\0');
}

struct ControlSpec {
  int id;
  const char* text;
  int x, y, width, height;
};

// Where every control must be, in client coordinates, with the text it starts with.
const ControlSpec kLayout[] = {
    {1026, "", 415, 1, 41, 17},
    {1027, "", 391, 1, 23, 17},
    {1028, "", 367, 1, 23, 17},
    {1029, "Window", 26, 152, 103, 37},
    {1030, "Properties", 130, 152, 103, 37},
    {1031, "File", 26, 232, 103, 37},
    {1032, "Properties", 130, 232, 103, 37},
    {1033, "Caption", 26, 312, 103, 37},
    {1034, "Border", 130, 312, 103, 37},
    {1035, "Scale", 234, 312, 103, 37},
    {1036, "Timer", 338, 312, 103, 37},
    {1037, "Sound", 26, 351, 103, 37},
    {1038, "Cursor", 130, 351, 103, 37},
    {1039, "View", 234, 351, 103, 37},
    {1040, "Edit", 338, 351, 103, 37},
    {1041, "Default", 26, 432, 311, 37},
    {1042, "Save As", 338, 432, 103, 37},
    {1043, "Storage", 90, 497, 140, 50},
    {1044, "Capture", 231, 497, 140, 50},
};

class MainWindowE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display.ok()) << "Xvfb did not start";
    ASSERT_FALSE(wine.prefix().empty()) << "no Wine prefix";
  }

  void Start(const std::vector<std::string>& args = {}) {
    kestrix = wine.Launch(args);
    auto window = wine.WaitForWindow(kMainClass, kStartDeadline, kestrix.get());
    ASSERT_TRUE(window) << "no main window; program running: " << kestrix->Running();
    // The first paint has happened once the title band is on the screen.
    ASSERT_TRUE(WaitUntil([&] { return Pixel(200, 10).b > Pixel(200, 10).r + 40; }, Millis(10000)));
  }

  Rgb Pixel(int clientX, int clientY) {
    return display.Capture(kLeft + clientX, kTop + clientY, 1, 1).At(0, 0);
  }
  void ClickClient(int x, int y) { display.Click(kLeft + x, kTop + y); }
  void ClickControl(int id) {
    for (const auto& c : kLayout)
      if (c.id == id) ClickClient(c.x + c.width / 2, c.y + c.height / 2);
  }
  std::optional<WindowInfo> Control(int id) { return wine.FindChild(kMainClass, kTitle, id); }
  std::optional<std::string> Text(int id) { return wine.WindowText(kMainClass, kTitle, id); }
  bool TextBecomes(int id, const std::string& text) {
    return WaitUntil([&] { return Text(id) == text; }, Millis(5000), Millis(100));
  }
  bool EnabledBecomes(int id, bool enabled) {
    return WaitUntil(
        [&] {
          auto c = Control(id);
          return c && c->enabled == enabled;
        },
        Millis(5000), Millis(100));
  }
  std::string ProfileDb() { return wine.DataFolder() + "/Profile.db"; }
  // Closes with the window's own close button and waits for the process to end.
  void CloseWithButton() {
    ClickControl(1026);
    ASSERT_EQ(kestrix->Wait(kStartDeadline), 0);
  }
  // Rests the pointer on a control until a help tooltip shows; returns its text.
  std::optional<std::string> HelpTipAfterResting(int id, Millis deadline = Millis(4000)) {
    display.MoveMouse(10, 10);
    std::this_thread::sleep_for(Millis(300));
    for (const auto& c : kLayout)
      if (c.id == id) {
        display.MoveMouse(kLeft + c.x + c.width / 2 - 5, kTop + c.y + c.height / 2);
        std::this_thread::sleep_for(Millis(50));
        display.MoveMouse(kLeft + c.x + c.width / 2, kTop + c.y + c.height / 2);
      }
    std::optional<std::string> text;
    WaitUntil(
        [&] {
          text = wine.WindowText("HToolTipEx_0000", "", 0);
          return text.has_value();
        },
        deadline, Millis(100));
    return text;
  }

  VirtualDisplay display{1280, 800};
  WineSession wine{display};
  std::unique_ptr<Process> kestrix;
};

TEST_F(MainWindowE2E, AppearsCentredWithItsSizeAndRoundedCorners) {
  ASSERT_NO_FATAL_FAILURE(Start());
  auto window = wine.FindWindow(kMainClass);
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->visible);
  EXPECT_EQ(window->x, kLeft);
  EXPECT_EQ(window->y, kTop);
  EXPECT_EQ(window->width, 467);
  EXPECT_EQ(window->height, 571);

  Rgb desktop = display.Capture(5, 5, 1, 1).At(0, 0);
  Image shot = display.Capture(kLeft, kTop, 467, 571);
  // Each corner's outermost pixel shows the desktop, the one just inside the curve the window.
  const int corners[][4] = {{0, 0, 4, 4}, {466, 0, 462, 4}, {0, 570, 4, 566}, {466, 570, 462, 566}};
  for (const auto& c : corners) {
    EXPECT_EQ(shot.At(c[0], c[1]), desktop) << "outside at " << c[0] << "," << c[1];
    EXPECT_FALSE(shot.At(c[2], c[3]) == desktop) << "inside at " << c[2] << "," << c[3];
  }
  EXPECT_EQ(display.Capture(kLeft - 1, 400, 1, 1).At(0, 0), desktop);
  EXPECT_EQ(display.Capture(kLeft + 467, 400, 1, 1).At(0, 0), desktop);
  EXPECT_FALSE(shot.At(0, 285) == desktop);
  EXPECT_FALSE(shot.At(466, 285) == desktop);
}

TEST_F(MainWindowE2E, ShowsEveryControlTheFramesAndTheProductTextsWhereTheLayoutPutsThem) {
  ASSERT_NO_FATAL_FAILURE(Start());
  SaveScreenshot(display, "main_window");
  for (const auto& c : kLayout) {
    auto control = Control(c.id);
    ASSERT_TRUE(control) << c.id;
    EXPECT_TRUE(control->visible) << c.id;
    EXPECT_EQ(control->x, kLeft + c.x) << c.id;
    EXPECT_EQ(control->y, kTop + c.y) << c.id;
    EXPECT_EQ(control->width, c.width) << c.id;
    EXPECT_EQ(control->height, c.height) << c.id;
    EXPECT_TRUE(TextBecomes(c.id, c.text)) << c.id << " shows " << Text(c.id).value_or("?");
  }
  Image shot = display.Capture(kLeft, kTop, 467, 571);
  // The separator, 26 pixels lower than in the tool windows.
  for (int x : {15, 100, 300, 451}) EXPECT_EQ(shot.At(x, 109), (Rgb{217, 217, 219})) << x;
  EXPECT_EQ(shot.At(100, 108), (Rgb{255, 255, 255}));
  // Group frames: the first top dash of each starts 3 pixels in, the gap after it is white.
  const Rgb dot{0xC0, 0xC2, 0xC2};
  for (int y : {145, 225, 305, 425}) {
    EXPECT_EQ(shot.At(22, y), dot) << y;
    EXPECT_EQ(shot.At(23, y), dot) << y;
    EXPECT_EQ(shot.At(24, y), (Rgb{255, 255, 255})) << y;
    EXPECT_EQ(shot.At(19, y + 3), dot) << y;  // left edge
  }
  EXPECT_EQ(shot.At(19 + 429 - 1, 145 + 3), dot);  // right edge of a 429-wide frame
  EXPECT_EQ(shot.At(22, 145 + 51 - 1), dot);       // bottom edge of the Input frame
  EXPECT_EQ(shot.At(22, 305 + 90 - 1), dot);       // bottom edge of the Options frame
  // Group titles, product texts and the logo put dark pixels in their boxes.
  auto darkIn = [&](int x0, int y0, int x1, int y1) {
    int dark = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (shot.At(x, y).r < 140) ++dark;
    return dark;
  };
  EXPECT_GT(darkIn(28, 127, 80, 145), 10);  // "Input"
  EXPECT_GT(darkIn(28, 287, 80, 305), 10);  // "Options"
  EXPECT_GT(darkIn(89, 57, 200, 71), 10);   // "HALVECOR"
  EXPECT_GT(darkIn(89, 71, 200, 90), 10);   // "Kestrix"
  EXPECT_EQ(darkIn(150, 57, 200, 90), 0);   // nothing right of the short product texts
  EXPECT_GT(darkIn(21, 48, 77, 96), 200);   // the logo
  EXPECT_EQ(darkIn(21, 97, 77, 105), 0);    // and nothing below it
  // The title band is blue, the body white.
  Rgb band = shot.At(200, 10);
  EXPECT_GT(band.b, band.r + 40);
  EXPECT_EQ(shot.At(300, 80), (Rgb{255, 255, 255}));
}

TEST_F(MainWindowE2E, ChoicesStepTheirValueAndEnableTheirPropertiesOnlyForWindowAndFile) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickControl(1029);
  ASSERT_TRUE(TextBecomes(1029, "Fullscreen"));
  EXPECT_TRUE(EnabledBecomes(1030, false));
  ClickControl(1029);
  ASSERT_TRUE(TextBecomes(1029, "Area"));
  EXPECT_TRUE(EnabledBecomes(1030, false));
  SaveScreenshot(display, "main_window_area");
  ClickControl(1029);
  ASSERT_TRUE(TextBecomes(1029, "Window"));
  EXPECT_TRUE(EnabledBecomes(1030, true));

  ClickControl(1031);
  ASSERT_TRUE(TextBecomes(1031, "Clipboard"));
  EXPECT_TRUE(EnabledBecomes(1032, false));
  EXPECT_TRUE(TextBecomes(1041, "None"));
  ClickControl(1031);
  ASSERT_TRUE(TextBecomes(1031, "File"));
  EXPECT_TRUE(EnabledBecomes(1032, true));
  EXPECT_TRUE(TextBecomes(1041, "Default"));
}

TEST_F(MainWindowE2E, OptionTogglesFlipAtOnceAndTheCloseButtonStoresThemInTheDataFolder) {
  ASSERT_NO_FATAL_FAILURE(Start());
  for (int id : {1037, 1038, 1039, 1040}) {
    ClickControl(id);
    std::this_thread::sleep_for(Millis(300));
  }
  EXPECT_TRUE(TextBecomes(1041, "None"));
  // The options that open a window do not flip on a click: the glyph stays the same.
  display.MoveMouse(10, 10);
  std::this_thread::sleep_for(Millis(300));
  Image before = display.Capture(kLeft + 26, kTop + 312, 30, 37);
  ClickControl(1033);  // opens the caption window, closed again unchanged
  ASSERT_TRUE(wine.WaitForWindow("KXCaptionWndClass", Millis(10000), kestrix.get()));
  ASSERT_TRUE(wine.Act({"close", "KXCaptionWndClass"}));
  ASSERT_TRUE(WaitUntil([&] { return !wine.FindWindow("KXCaptionWndClass"); }, Millis(5000)));
  display.MoveMouse(10, 10);
  std::this_thread::sleep_for(Millis(300));
  Image after = display.Capture(kLeft + 26, kTop + 312, 30, 37);
  EXPECT_EQ(before.rgb, after.rgb);
  EXPECT_FALSE(fs::exists(ProfileDb()));
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());

  auto record = wine.ReadPrefixFile(ProfileDb());
  ASSERT_TRUE(record) << "no Profile.db in " << wine.DataFolder();
  ASSERT_EQ(record->size(), kRecordBytes);
  EXPECT_EQ(Field(*record, kOptSound), 0u);
  EXPECT_EQ(Field(*record, kOptCursor), 1u);
  EXPECT_EQ(Field(*record, kOptView), 1u);
  EXPECT_EQ(Field(*record, kOptEdit), 1u);
  EXPECT_EQ(Field(*record, 44), 0u);  // CapStatus untouched
}

TEST_F(MainWindowE2E, ACloseFromElsewhereDoesNotWriteTheProfile) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickControl(1037);
  ASSERT_TRUE(TextBecomes(1041, "None"));
  ASSERT_TRUE(wine.Act({"close", kMainClass}));
  ASSERT_EQ(kestrix->Wait(kStartDeadline), 0);
  EXPECT_FALSE(fs::exists(ProfileDb()));
}

TEST_F(MainWindowE2E, StartsFromAStoredProfileAndNamesTheStoredProfileItEquals) {
  // A first run writes the defaults with Sound off; that record is stored as "Quiet".
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickControl(1037);
  ASSERT_TRUE(TextBecomes(1041, "None"));
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());
  auto quiet = wine.ReadPrefixFile(ProfileDb());
  ASSERT_TRUE(quiet && quiet->size() == kRecordBytes);
  WriteFile(wine.DataFolder() + "/Profiles.db", ProfileListFile("Quiet", *quiet));

  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(TextBecomes(1041, "Quiet"));
  ClickControl(1037);  // Sound back on: the built-in defaults again
  EXPECT_TRUE(TextBecomes(1041, "Default"));
  ClickControl(1038);
  EXPECT_TRUE(TextBecomes(1041, "None"));
  ClickControl(1038);
  EXPECT_TRUE(TextBecomes(1041, "Default"));
  ClickControl(1037);
  EXPECT_TRUE(TextBecomes(1041, "Quiet"));
}

TEST_F(MainWindowE2E, LoadsAPreparedProfileAndReplacesACorruptOneAtTheNextClose) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());
  auto record = wine.ReadPrefixFile(ProfileDb());
  ASSERT_TRUE(record && record->size() == kRecordBytes);

  std::string area = *record;
  SetField(area, kInType, 2);
  WriteFile(ProfileDb(), area);
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(TextBecomes(1029, "Area"));
  EXPECT_TRUE(EnabledBecomes(1030, false));
  EXPECT_TRUE(TextBecomes(1041, "None"));
  ASSERT_TRUE(wine.Act({"close", kMainClass}));
  ASSERT_EQ(kestrix->Wait(kStartDeadline), 0);

  WriteFile(ProfileDb(), "corrupt");
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(TextBecomes(1029, "Window"));
  EXPECT_TRUE(TextBecomes(1041, "Default"));
  EXPECT_EQ(wine.ReadPrefixFile(ProfileDb()), "corrupt");
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());
  EXPECT_EQ(wine.ReadPrefixFile(ProfileDb()), *record);
}

TEST_F(MainWindowE2E, HelpTooltipsShowTheirTextsWhileRestingAndGoOnLeaving) {
  ASSERT_NO_FATAL_FAILURE(Start());
  auto capture = HelpTipAfterResting(1044);
  ASSERT_TRUE(capture) << "no help tooltip on Capture";
  EXPECT_EQ(*capture,
            "Start capture.\\n\\nPress 'PrintScreen' to capture.\\nPress 'Shift + PrintScreen' "
            "to repeat the last capture.");
  SaveScreenshot(display, "main_window_help");
  auto tip = wine.FindWindow("HToolTipEx_0000");
  ASSERT_TRUE(tip);
  EXPECT_GT(tip->y, kTop + 497 + 25);  // below the anchor's middle
  display.MoveMouse(10, 10);
  EXPECT_TRUE(WaitUntil([&] { return !wine.FindWindow("HToolTipEx_0000"); }, Millis(4000)));

  EXPECT_EQ(HelpTipAfterResting(1043),
            "Open output folder.\\n\\nPress 'Ctrl + PrintScreen' to open output folder.");
  EXPECT_EQ(HelpTipAfterResting(1029), "Capture a window or an element on the window.");
  EXPECT_EQ(HelpTipAfterResting(1037), "Play a sound when a capture is finished.");
  // The choice's help follows its value.
  display.MoveMouse(10, 10);
  ClickControl(1031);
  ASSERT_TRUE(TextBecomes(1031, "Clipboard"));
  EXPECT_EQ(HelpTipAfterResting(1031), "Save the capture to the clipboard.");
  // A disabled control has none.
  EXPECT_FALSE(HelpTipAfterResting(1032, Millis(1500)));
}

TEST_F(MainWindowE2E, NoHelpTooltipsWithHelpTextOffOrWhileAToolWindowIsOpen) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(wine.Act({"command", kMainClass, "4612"}));  // About...
  ASSERT_TRUE(wine.WaitForWindow("KXAboutWndClass", Millis(10000)));
  // Rest on a control the About window does not cover.
  EXPECT_FALSE(HelpTipAfterResting(1043, Millis(1500)));
  ASSERT_TRUE(wine.Act({"close", "KXAboutWndClass"}));
  ASSERT_TRUE(WaitUntil([&] { return !wine.FindWindow("KXAboutWndClass"); }, Millis(5000)));
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());

  auto record = wine.ReadPrefixFile(ProfileDb());
  ASSERT_TRUE(record && record->size() == kRecordBytes);
  SetField(*record, kSetHelpText, 0);
  WriteFile(ProfileDb(), *record);
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_FALSE(HelpTipAfterResting(1044, Millis(1500)));
  EXPECT_FALSE(HelpTipAfterResting(1043, Millis(1500)));
}

TEST_F(MainWindowE2E, TheAboutWindowOpensOverTheMainWindowAndOkOrCloseBringsItBack) {
  ASSERT_NO_FATAL_FAILURE(Start());
  for (bool withOk : {true, false}) {
    ASSERT_TRUE(wine.Act({"command", kMainClass, "4612"}));
    auto about = wine.WaitForWindow("KXAboutWndClass", Millis(10000));
    ASSERT_TRUE(about);
    EXPECT_EQ(about->x, kLeft + (467 - 435) / 2);
    EXPECT_EQ(about->y, kTop + (571 - 373) / 2);
    EXPECT_EQ(about->width, 435);
    EXPECT_EQ(about->height, 373);
    EXPECT_FALSE(wine.FindWindow(kMainClass)->enabled);
    std::this_thread::sleep_for(Millis(300));
    if (withOk) {
      Image shot = display.Capture(about->x, about->y, 435, 373);
      shot.SavePng(Locations::Get().artifacts + "/about_window.png");
      SaveScreenshot(display, "about_over_main");
      EXPECT_EQ(shot.At(100, 83), (Rgb{217, 217, 205}));  // its own separator colour
      int dark = 0;
      for (int y = 237; y < 277; ++y)
        for (int x = 20; x < 415; ++x)
          if (shot.At(x, y).r < 140) ++dark;
      EXPECT_GT(dark, 100);  // name and version
      display.Click(about->x + 172 + 45, about->y + 373 - 54 + 18);
    } else {
      ASSERT_TRUE(wine.Act({"close", "KXAboutWndClass"}));
    }
    ASSERT_TRUE(WaitUntil([&] { return !wine.FindWindow("KXAboutWndClass"); }, Millis(5000)));
    EXPECT_TRUE(wine.FindWindow(kMainClass)->enabled);
    EXPECT_EQ(wine.ForegroundClass(), kMainClass);
  }
}

TEST_F(MainWindowE2E, LoggingOffStoresTheProfileAsTheCloseButtonDoes) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ClickControl(1038);
  ASSERT_TRUE(TextBecomes(1041, "None"));
  EXPECT_TRUE(wine.Act({"endsession", kMainClass}));
  auto record = wine.ReadPrefixFile(ProfileDb());
  ASSERT_TRUE(record && record->size() == kRecordBytes);
  EXPECT_EQ(Field(*record, kOptCursor), 1u);
}

TEST_F(MainWindowE2E, TheTopBandDragsTheWindowAndTheMinimiseButtonHidesIt) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // Drag from a free spot of the title band, 10 pixels down.
  display.MoveMouse(kLeft + 150, kTop + 10);
  std::this_thread::sleep_for(Millis(100));
  display.MouseButton(1, true);
  for (int step = 1; step <= 10; ++step) {
    display.MoveMouse(kLeft + 150 + step * 6, kTop + 10 + step * 4);
    std::this_thread::sleep_for(Millis(30));
  }
  display.MouseButton(1, false);
  EXPECT_TRUE(WaitUntil(
      [&] {
        auto w = wine.FindWindow(kMainClass);
        return w && w->x == kLeft + 60 && w->y == kTop + 40;
      },
      Millis(5000), Millis(100)))
      << "the window did not follow the drag";

  auto moved = wine.FindWindow(kMainClass);
  ASSERT_TRUE(moved);
  display.Click(moved->x + 391 + 11, moved->y + 1 + 8);  // minimise
  EXPECT_TRUE(WaitUntil([&] { return !wine.FindWindow(kMainClass)->visible; }, Millis(5000)));
  EXPECT_TRUE(kestrix->Running());
}

TEST_F(MainWindowE2E, StorageCreatesTheStorageFolderBeforeOpeningIt) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(CloseWithButton());
  auto record = wine.ReadPrefixFile(ProfileDb());
  ASSERT_TRUE(record && record->size() == kRecordBytes);
  // SetStorageFolder (UTF-16 at offset 156) pointed at a folder that does not exist yet.
  const std::string folder = "C:\\KestrixShots";
  std::string utf16(2048, '\0');
  for (size_t i = 0; i < folder.size(); ++i) utf16[i * 2] = folder[i];
  record->replace(156, 2048, utf16);
  WriteFile(ProfileDb(), *record);
  std::string unixFolder = wine.prefix() + "/drive_c/KestrixShots";
  ASSERT_FALSE(fs::exists(unixFolder));

  ASSERT_NO_FATAL_FAILURE(Start());
  ClickControl(1043);
  EXPECT_TRUE(WaitUntil([&] { return fs::is_directory(unixFolder); }, Millis(5000)));
  EXPECT_TRUE(kestrix->Running());
}

TEST_F(MainWindowE2E, SlashMinKeepsTheWindowHiddenWhileTheProgramRuns) {
  kestrix = wine.Launch({"/min"});
  auto window = wine.WaitForWindow(kMainClass, kStartDeadline, kestrix.get());
  ASSERT_TRUE(window) << "no main window; program running: " << kestrix->Running();
  EXPECT_FALSE(window->visible);
  EXPECT_EQ(window->width, 467);
  EXPECT_EQ(Pixel(233, 285), display.Capture(5, 5, 1, 1).At(0, 0));
  EXPECT_TRUE(kestrix->Running());
}

TEST_F(MainWindowE2E, OtherSpellingsOfMinShowTheWindow) {
  for (const std::string arg : {"/MIN", "-min"}) {
    kestrix = wine.Launch({arg});
    auto window = wine.WaitForWindow(kMainClass, kStartDeadline, kestrix.get());
    ASSERT_TRUE(window) << arg << ": no main window; program running: " << kestrix->Running();
    // The window exists a moment before it is shown.
    EXPECT_TRUE(WaitUntil(
        [&] {
          window = wine.FindWindow(kMainClass);
          return window && window->visible;
        },
        kStartDeadline))
        << arg;
    ASSERT_TRUE(wine.Act({"close", kMainClass}));
    EXPECT_EQ(kestrix->Wait(kStartDeadline), 0) << arg;
  }
}

}  // namespace
}  // namespace e2e
