// The main window of the real program as a person sees and uses it: its layout and pictures,
// choices, help tooltips and minimising in one start; then what it stores
// and loads across starts, some of them with arguments like "/min" that must not hide it.
#include <filesystem>

#include "app_session.h"

namespace e2e {
namespace {

class MainWindowE2E : public AppSession {};

TEST_F(MainWindowE2E, LaidOutDrawnHelpfulAndAnsweringItsControlsInOneStart) {
  ASSERT_NO_FATAL_FAILURE(Start());
  display.Screenshot("main_window");
  auto window = wine.FindWindow(kMainClass);
  ASSERT_TRUE(window && window->visible);
  EXPECT_EQ(std::vector({window->x, window->y, window->width, window->height}),
            std::vector({kMainLeft, kMainTop, kMainWidth, kMainHeight}));
  for (const MainControl& c : kMainControls) {
    auto control = wine.FindChild(kMainClass, kMainTitle, c.id);
    ASSERT_TRUE(control && control->visible) << c.id;
    EXPECT_EQ(std::vector(
                  {control->x - kMainLeft, control->y - kMainTop, control->width, control->height}),
              std::vector({c.x, c.y, c.width, c.height}))
        << c.id;
    EXPECT_TRUE(TextBecomes(c.id, c.text)) << c.id << " shows " << Text(c.id).value_or("?");
  }
  // Rounded corners show the desktop; the separator 26 pixels lower than in the tool windows;
  // the group frames' first dash 3 pixels in; a blue band over a white body.
  const Rgb desktop = display.Capture(5, 5, 1, 1).At(0, 0), white{255, 255, 255},
            dot{0xC0, 0xC2, 0xC2}, separator{217, 217, 219};
  const Image shot = display.Capture(kMainLeft, kMainTop, kMainWidth, kMainHeight);
  const struct {
    int x, y;
    Rgb colour;
    bool same;
  } pixels[] = {{0, 0, desktop, true},       {4, 4, desktop, false},      {466, 570, desktop, true},
                {462, 566, desktop, false},  {0, 285, desktop, false},    {466, 0, desktop, true},
                {100, 109, separator, true}, {451, 109, separator, true}, {100, 108, white, true},
                {22, 145, dot, true},        {24, 145, white, true},      {19, 428, dot, true},
                {447, 148, dot, true},       {22, 394, dot, true},        {300, 80, white, true}};
  for (const auto& p : pixels)
    EXPECT_EQ(shot.At(p.x, p.y) == p.colour, p.same) << p.x << "," << p.y;
  EXPECT_GT(shot.At(200, 10).b, shot.At(200, 10).r + 40);
  // Help tooltips rest under their anchor, follow a choice's value and go on leaving.
  const std::pair<int, std::string> tips[] = {
      {kCaptureId,
       "Start capture.\\n\\nPress 'PrintScreen' to capture.\\nPress 'Shift + "
       "PrintScreen' to repeat the last capture."},
      {kInputTypeId, "Capture a window or an element on the window."},
  };
  for (const auto& [id, text] : tips) EXPECT_EQ(HelpTipAfterResting(id), text) << id;
  auto tip = wine.FindWindow("HToolTipEx_0000");
  ASSERT_TRUE(tip);
  EXPECT_GT(tip->y, kMainTop + 152 + 18);  // below the middle of the input type
  display.Screenshot("main_window_help");
  display.MoveMouse(10, 10);
  EXPECT_TRUE(Gone("HToolTipEx_0000"));

  // Choices step their value and enable their properties only for Window and File; the
  // profile name follows.
  const struct {
    int id;
    const char* value;
    bool properties;
    const char* name;
  } choices[] = {{kInputTypeId, "Fullscreen", false, "None"},
                 {kInputTypeId, "Area", false, "None"},
                 {kInputTypeId, "Window", true, "Default"},
                 {kOutputTypeId, "Clipboard", false, "None"}};
  for (const auto& c : choices) {
    ClickMain(c.id);
    EXPECT_TRUE(TextBecomes(c.id, c.value)) << c.value;
    EXPECT_TRUE(EnabledBecomes(c.id + 1, c.properties)) << c.value;
    EXPECT_TRUE(TextBecomes(kProfileId, c.name)) << c.value;
  }
  EXPECT_EQ(HelpTipAfterResting(kOutputTypeId), "Save the capture to the clipboard.");
  EXPECT_FALSE(HelpTipAfterResting(kOutputPropertiesId, Millis(1500))) << "disabled, yet helped";

  // The minimise button hides the window and the program runs on.
  ClickMain(kMinimiseId);
  EXPECT_TRUE(Becomes([&] { return !Visible(kMainClass); }));
  EXPECT_TRUE(kestrix->Running());
}

TEST_F(MainWindowE2E, StoresOnlyWhenClosedByItsButtonOrALogOffAndStartsFromWhatItFinds) {
  // Option toggles flip at once. Neither a close from elsewhere nor anything before it writes
  // the profile; a log-off does.
  ASSERT_NO_FATAL_FAILURE(Start());
  for (int id : {kSoundId, kCursorId, kViewId, kEditId}) ClickMain(id);
  EXPECT_TRUE(TextBecomes(kProfileId, "None"));
  EXPECT_EQ(Data("Profile.db"), "");
  ASSERT_TRUE(wine.Act({"endsession", kMainClass}));
  std::string record = Data("Profile.db");
  ASSERT_EQ(record.size(), kRecordBytes);
  EXPECT_EQ(std::vector({RecordValue(record, kOptSound), RecordValue(record, kOptCursor),
                         RecordValue(record, kOptView), RecordValue(record, kOptEdit),
                         RecordValue(record, kCapStatus)}),
            std::vector<uint32_t>({0, 1, 1, 1, 0}));
  ClickMain(kSoundId);
  ASSERT_NO_FATAL_FAILURE(CloseFromElsewhere());
  EXPECT_EQ(Data("Profile.db"), record);

  // Stored as "Quiet", that record names itself at the next start; the name follows the
  // settings back and forth.
  WriteData("Profiles.db", kListMagic + Utf16("Quiet", 82) + record + std::string(4, '\0'));
  ASSERT_NO_FATAL_FAILURE(Start({"/MIN"}));  // only an exact "/min" hides
  EXPECT_TRUE(TextBecomes(kProfileId, "Quiet"));
  const std::pair<int, const char*> flips[] = {{kSoundId, "None"}, {kSoundId, "Quiet"},
                                               {kSoundId, "None"}, {kCursorId, "None"},
                                               {kViewId, "None"},  {kEditId, "Default"}};
  for (auto [id, name] : flips) {
    ClickMain(id);
    EXPECT_TRUE(TextBecomes(kProfileId, name)) << name;
  }
  ASSERT_NO_FATAL_FAILURE(Close());
  const std::string defaults = Data("Profile.db");

  // A record one byte too long: the defaults shown, not its Area; the file left until the
  // close replaces it.
  std::string corrupt = defaults + "x";
  SetRecordValue(corrupt, kInType, 2);
  WriteData("Profile.db", corrupt);
  ASSERT_NO_FATAL_FAILURE(Start({"-min"}));
  EXPECT_TRUE(TextBecomes(kInputTypeId, "Window"));
  EXPECT_TRUE(TextBecomes(kProfileId, "Default"));
  EXPECT_EQ(Data("Profile.db"), corrupt);
  ASSERT_NO_FATAL_FAILURE(Close());
  EXPECT_EQ(Data("Profile.db"), defaults);

  // A prepared record: Area, help texts off, a storage folder not there yet, which the
  // Storage button makes (last: the folder window it opens may cover the next start).
  std::string prepared = defaults;
  SetRecordValue(prepared, kInType, 2);
  SetRecordValue(prepared, kSetHelpText, 0);
  prepared.replace(kStorageFolder, 2048, Utf16("C:\\KestrixShots", 1024));
  WriteData("Profile.db", prepared);
  const std::string folder = wine.prefix() + "/drive_c/KestrixShots";
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(TextBecomes(kInputTypeId, "Area"));
  EXPECT_TRUE(EnabledBecomes(kInputPropertiesId, false));
  EXPECT_TRUE(TextBecomes(kProfileId, "None"));
  EXPECT_FALSE(HelpTipAfterResting(kCaptureId, Millis(1500)));
  EXPECT_FALSE(std::filesystem::exists(folder));
  ClickMain(kStorageId);
  EXPECT_TRUE(Becomes([&] { return std::filesystem::is_directory(folder); }));
}

}  // namespace
}  // namespace e2e
