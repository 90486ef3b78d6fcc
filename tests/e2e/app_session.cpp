#include "app_session.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace e2e {

namespace {

constexpr Millis kStartDeadline(30000);

// The title band is drawn: bluer than red by `margin` (the tool windows' band is the bluer).
bool BandDrawn(VirtualDisplay& display, int left, int top, int margin) {
  const Rgb band = display.Capture(left + 200, top + 10, 1, 1).At(0, 0);
  return band.b > band.r + margin;
}

}  // namespace

uint32_t RecordValue(const std::string& record, size_t field) {
  uint32_t v = 0;
  if (field + 4 <= record.size()) std::memcpy(&v, record.data() + field, 4);
  return v;
}

void SetRecordValue(std::string& record, size_t field, uint32_t value) {
  if (field + 4 <= record.size()) std::memcpy(record.data() + field, &value, 4);
}

std::string Utf16(const std::string& ascii, size_t units) {
  std::string field(units * 2, '\0');
  for (size_t i = 0; i < ascii.size() && i < units; ++i) field[i * 2] = ascii[i];
  return field;
}

const std::vector<MainControl> kMainControls = {
    {kCloseId, "", 415, 1, 41, 17},
    {kMinimiseId, "", 391, 1, 23, 17},
    {kMenuId, "", 367, 1, 23, 17},
    {kInputTypeId, "Window", 26, 152, 103, 37},
    {kInputPropertiesId, "Properties", 130, 152, 103, 37},
    {kOutputTypeId, "File", 26, 232, 103, 37},
    {kOutputPropertiesId, "Properties", 130, 232, 103, 37},
    {kCaptionId, "Caption", 26, 312, 103, 37},
    {kBorderId, "Border", 130, 312, 103, 37},
    {kScaleId, "Scale", 234, 312, 103, 37},
    {kTimerId, "Timer", 338, 312, 103, 37},
    {kSoundId, "Sound", 26, 351, 103, 37},
    {kCursorId, "Cursor", 130, 351, 103, 37},
    {kViewId, "View", 234, 351, 103, 37},
    {kEditId, "Edit", 338, 351, 103, 37},
    {kProfileId, "Default", 26, 432, 311, 37},
    {kSaveAsId, "Save As", 338, 432, 103, 37},
    {kStorageId, "Storage", 90, 497, 140, 50},
    {kCaptureId, "Capture", 231, 497, 140, 50},
};

void AppSession::SetUp() {
  ASSERT_TRUE(display.ok()) << "Xvfb did not start";
  ASSERT_FALSE(wine.prefix().empty()) << "no Wine prefix";
}

void AppSession::Start(const std::vector<std::string>& args) {
  kestrix = wine.Launch(args);
  ASSERT_TRUE(wine.WaitForWindow(kMainClass, kStartDeadline, kestrix.get()))
      << "no main window; program running: " << kestrix->Running();
  if (!args.empty() && args[0] == "/min") return;
  ASSERT_TRUE(
      WaitUntil([&] { return BandDrawn(display, kMainLeft, kMainTop, 40); }, Millis(10000)));
}

void AppSession::Close() {
  ClickMain(kCloseId);
  ASSERT_EQ(kestrix->Wait(kStartDeadline), 0);
}

void AppSession::CloseFromElsewhere() {
  ASSERT_TRUE(wine.Act({"close", kMainClass}));
  ASSERT_EQ(kestrix->Wait(kStartDeadline), 0);
}

void AppSession::ClickMain(int id) {
  for (const MainControl& c : kMainControls)
    if (c.id == id) display.Click(kMainLeft + c.x + c.width / 2, kMainTop + c.y + c.height / 2);
  std::this_thread::sleep_for(Millis(200));
}

std::optional<std::string> AppSession::Text(int id) {
  return wine.WindowText(kMainClass, kMainTitle, id);
}

bool AppSession::TextBecomes(int id, const std::string& text) {
  return Becomes([&] { return Text(id) == text; });
}

bool AppSession::EnabledBecomes(int id, bool enabled) {
  return Becomes([&] {
    auto c = wine.FindChild(kMainClass, kMainTitle, id);
    return c && c->enabled == enabled;
  });
}

bool AppSession::Becomes(const std::function<bool()>& condition, Millis deadline) {
  return WaitUntil(condition, deadline, Millis(100));
}

bool AppSession::Visible(const std::string& className) {
  auto w = wine.FindWindow(className);
  return w && w->visible;
}

bool AppSession::Gone(const std::string& className) {
  return Becomes([&] { return !wine.FindWindow(className); });
}

std::optional<WindowInfo> AppSession::OpenFromMain(int id, const std::string& className) {
  ClickMain(id);
  return WaitDrawn(className);
}

std::optional<WindowInfo> AppSession::WaitDrawn(const std::string& className) {
  auto w = wine.WaitForWindow(className, Millis(10000), kestrix.get());
  if (w && !WaitUntil([&] { return BandDrawn(display, w->x, w->y, 70); }, Millis(5000)))
    return std::nullopt;
  // Its controls are drawn after the frame; a press before that can be lost.
  std::this_thread::sleep_for(Millis(300));
  return w;
}

std::string AppSession::Data(const std::string& name) {
  return wine.ReadPrefixFile(wine.DataFolder() + "/" + name).value_or("");
}

void AppSession::WriteData(const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(wine.DataFolder());
  std::ofstream(wine.DataFolder() + "/" + name, std::ios::binary | std::ios::trunc) << bytes;
}

std::string AppSession::DefaultRecord() {
  Start();
  if (!::testing::Test::HasFatalFailure()) Close();
  return Data("Profile.db");
}

std::optional<std::string> AppSession::HelpTipAfterResting(int id, Millis deadline) {
  display.MoveMouse(10, 10);
  std::this_thread::sleep_for(Millis(300));
  for (const MainControl& c : kMainControls)
    if (c.id == id) {
      display.MoveMouse(kMainLeft + c.x + c.width / 2 - 5, kMainTop + c.y + c.height / 2);
      std::this_thread::sleep_for(Millis(50));
      display.MoveMouse(kMainLeft + c.x + c.width / 2, kMainTop + c.y + c.height / 2);
    }
  std::optional<std::string> text;
  WaitUntil([&] { return (text = wine.WindowText("HToolTipEx_0000", "", 0)).has_value(); },
            deadline, Millis(100));
  return text;
}

}  // namespace e2e
