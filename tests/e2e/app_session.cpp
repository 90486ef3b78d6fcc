#include "app_session.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace e2e {

namespace fs = std::filesystem;

namespace {

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

std::string Utf16(const std::string& utf8, size_t units) {
  std::string field(units * 2, '\0');
  size_t unit = 0;
  for (size_t i = 0; i < utf8.size() && unit < units; ++unit) {  // letters of the first plane
    const auto byte = [&](size_t k) { return unsigned(uint8_t(utf8[i + k])); };
    unsigned c = byte(0), length = 1;
    if (c >= 0xE0) c = (c & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F), length = 3;
    else if (c >= 0xC0) c = (c & 0x1F) << 6 | (byte(1) & 0x3F), length = 2;
    field[unit * 2] = char(c & 0xFF);
    field[unit * 2 + 1] = char(c >> 8);
    i += length;
  }
  return field;
}

void PrintTo(const Box& b, std::ostream* os) {
  *os << "(" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << ")";
}

int Mismatches(const Image& image, int x0, int y0, int w, int h, int atX, int atY,
               const std::function<Rgb(int, int)>& expected, int tolerance) {
  int bad = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgb seen = image.At(x0 + x, y0 + y), want = expected(atX + x, atY + y);
      bad += std::abs(seen.r - want.r) > tolerance || std::abs(seen.g - want.g) > tolerance ||
             std::abs(seen.b - want.b) > tolerance;
    }
  return bad;
}

Rgb Dimmed(Rgb c) {
  const double v = 0.099 * c.r * c.r - 0.019 * c.b * c.b + 0.199 * c.g * c.g;
  const uint8_t grey = v > 0 ? uint8_t(std::sqrt(v)) : 0;
  return Rgb{grey, grey, grey};
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

void AppSession::TearDown() {
  if (HasFailure()) {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');  // a parameterised test's
    display.Screenshot("failure_" + name);
  }
  Stop();
}

void AppSession::Start(const std::vector<std::string>& args) {
  const Image before = display.CaptureScreen();
  kestrix = wine.Launch(args);
  auto w = wine.WaitForWindow(kMainClass, kDeadline, kestrix.get(), kMainTitle);
  ASSERT_TRUE(w) << "no main window; program running: " << kestrix->Running();
  main = *w;
  if (!args.empty() && args[0] == "/min") {
    // It exists a moment before it would be shown.
    EXPECT_FALSE(Becomes([&] { return Visible(kMainClass); }, kQuiet)) << "\"/min\" shown";
    return;
  }
  // Its band over what was there: the picture under it may be bluish too.
  const int x = main.x + main.width / 2, y = main.y + 10;
  ASSERT_TRUE(Becomes(
      [&] {
        return display.Capture(x, y, 1, 1).At(0, 0) != before.At(x, y) &&
               BandDrawn(display, main.x, main.y, 40);
      },
      kDeadline));
  Pause(300);
}

void AppSession::StartWith(const Changes& changes, const std::vector<std::string>& args,
                           const std::string& storage) {
  startRecord = Defaults();
  ASSERT_EQ(startRecord.size(), kRecordBytes) << "no default record";
  for (auto [field, value] : changes) SetRecordValue(startRecord, field, value);
  if (!storage.empty()) startRecord.replace(kStorageFolder, 2048, Utf16(storage, 1024));
  WriteData("Profile.db", startRecord);
  Start(args);
}

const std::string& AppSession::Defaults() {
  if (defaults_.empty()) {
    wine.SetRegistryValue("HKLM\\Software\\Halvecor\\Kestrix\\1105", "firstrun", "REG_DWORD", "1");
    auto p = wine.Launch();
    if (wine.WaitForWindow(kMainClass, kDeadline, p.get()) && wine.Act({"endsession", kMainClass}))
      defaults_ = Data("Profile.db");
    wine.Act({"close", kMainClass});
    p->Wait(kDeadline);
  }
  return defaults_;
}

void AppSession::Close() {
  ASSERT_EQ(EndWith([&] { ClickMain(kCloseId); }), 0);
}

void AppSession::CloseFromElsewhere() {
  ASSERT_EQ(EndWith([&] { EXPECT_TRUE(wine.Act({"close", kMainClass})); }), 0);
}

void AppSession::SurvivesOutsideEnds(const Image& before) {
  auto lasting = [](std::string r) {  // the window, rectangle and name of a capture under way
    if (r.size() == kRecordBytes) {
      r.replace(offsetof(CaptureProfile, InWindow), 20, 20, '\0');
      r.replace(offsetof(CaptureProfile, OutLastName), 2 * kLastNameChars, 2 * kLastNameChars, '\0');
    }
    return r;
  };
  WriteData("Profile.db", "stale");
  EXPECT_TRUE(wine.Act({"logoff", kMainClass}));
  EXPECT_EQ(lasting(Data("Profile.db")), lasting(startRecord));
  Pause(300);
  ASSERT_TRUE(kestrix->Running()) << "the log-off pair ended it";
  WriteData("Profile.db", "untouched");
  EXPECT_TRUE(wine.Act({"close", kMainClass}));
  EXPECT_EQ(kestrix->Wait(Millis(5000)), std::optional(0));
  EXPECT_EQ(Data("Profile.db"), "untouched");
  EXPECT_TRUE(WaitUntil(
      [&] {
        const Image now = display.CaptureScreen();
        return now.rgb == before.rgb;
      },
      kQuiet))
      << "something of it stayed on the screen";
}

void AppSession::Stop() {
  if (kestrix && kestrix->Running()) EndWith([&] { wine.Act({"close", kMainClass}); });
  kestrix.reset();
}

std::optional<int> AppSession::EndWith(const std::function<void()>& close) {
  const int x = main.x + main.width / 2, y = main.y + 10;
  const Rgb shown = display.Capture(x, y, 1, 1).At(0, 0);
  const bool visible = Visible(kMainClass);
  close();
  const std::optional<int> code = kestrix->Wait(kDeadline);
  WaitUntil([&] { return !visible || display.Capture(x, y, 1, 1).At(0, 0) != shown; }, kQuiet);
  return code;
}

std::pair<int, int> AppSession::MiddleOf(int id) const {
  const double scale = main.width / double(kMainWidth);
  for (const MainControl& c : kMainControls)
    if (c.id == id)
      return {main.x + int((c.x + c.width / 2) * scale),
              main.y + int((c.y + c.height / 2) * scale)};
  return {0, 0};
}

void AppSession::ClickMain(int id) {
  const auto [x, y] = MiddleOf(id);
  display.Click(x, y);
  Pause(200);
}

void AppSession::ClickCapture() {
  const auto [x, y] = MiddleOf(kCaptureId);
  display.MoveMouse(x - 10, y - 5);
  Pause(250);
  ClickMain(kCaptureId);
}

bool AppSession::EnabledBecomes(int id, bool enabled) {
  return Becomes([&] {
    auto c = wine.FindChild(kMainClass, kMainTitle, id);
    return c && c->enabled == enabled;
  });
}

std::optional<WindowInfo> AppSession::WaitDrawn(const std::string& className) {
  auto w = wine.WaitForWindow(className, Millis(10000), kestrix.get());
  if (w && !WaitUntil([&] { return BandDrawn(display, w->x, w->y, 70); }, Millis(5000)))
    return std::nullopt;
  // Its controls are drawn after the frame; a press before that can be lost.
  Pause(300);
  return w;
}

void AppSession::WriteData(const std::string& name, const std::string& bytes) {
  fs::create_directories(wine.DataFolder());
  std::ofstream(wine.DataFolder() + "/" + name, std::ios::binary | std::ios::trunc) << bytes;
}

std::optional<std::string> AppSession::HelpTipAfterResting(int id, Millis deadline) {
  display.MoveMouse(10, 10);
  Pause(300);
  const auto [x, y] = MiddleOf(id);
  display.MoveMouse(x - 5, y);
  Pause(50);
  display.MoveMouse(x, y);
  std::optional<std::string> text;
  WaitUntil([&] { return (text = wine.WindowText("HToolTipEx_0000", "", 0)).has_value(); },
            deadline, Millis(100));
  return text;
}

std::vector<std::string> AppSession::Files(const std::string& folder) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? Pictures() : folder, ec))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<Image> AppSession::NewCapture(const std::vector<std::string>& before,
                                            std::string* name, const std::string& folder) {
  std::optional<Image> image;
  WaitUntil(
      [&] {
        for (const std::string& f : Files(folder))
          if (std::find(before.begin(), before.end(), f) == before.end()) {
            if (name) *name = f;
            Image i = Image::Load((folder.empty() ? Pictures() : folder) + "/" + f);
            if (i.width > 0) image = std::move(i);
          }
        return image.has_value();
      },
      kDeadline, Millis(200));
  return image;
}

bool AppSession::PressOpens(const std::vector<std::string>& modifiers, const std::string& cls) {
  const int before = Count(cls);
  display.Key("Print", modifiers);
  return WaitUntil([&] { return Count(cls) > before; }, kQuiet, Millis(200));
}

std::string AppSession::Clock() {
  std::string t;
  for (int id : {1032, 1033, 1034}) t += wine.WindowText(kInterval, "", id).value_or("?") + " ";
  return t;
}

void AppSession::Pick(int x, int y, const Box& expected, const std::function<void()>& beforeClick) {
  ASSERT_TRUE(wine.WaitForWindow(kPicker, kDeadline, kestrix.get()));
  // A red pixel just left of the expected left edge, or right of the right edge where the
  // left one lies at the desktop's edge.
  const int stripX =
      expected.left - 4 >= display.Bounds().x ? expected.left - 4 : expected.right - 4;
  auto framed = [&] {
    const Image strip = display.Capture(stripX, expected.CentreY(), 8, 1);
    return Mismatches(strip, 0, 0, 8, 1, 0, 0, [](int, int) { return kFrameRed; }) < 8;
  };
  for (int nudge = 0; nudge < 40 && !framed(); ++nudge) {
    display.MoveMouse(x - 2, y - 2);
    Pause(30);
    display.MoveMouse(x, y);
    Pause(150);
  }
  if (beforeClick) beforeClick();
  display.Click(x, y);
}

void AppSession::Drag(int x1, int y1, int x2, int y2, const std::function<void()>& beforeRelease) {
  auto red = [&](int x, int y) { return display.Capture(x, y, 1, 1).At(0, 0) == kFrameRed; };
  display.MoveMouse(x1, y1);
  Pause(150);
  // The crosshair through the pointer: the overlay is shown and takes the press. A press
  // while it is still freezing a large desktop would go to the window beneath.
  WaitUntil([&] { return red(x1, y1 - 5) && red(x1 - 5, y1); }, Millis(5000));
  display.MouseButton(1, true);
  WaitUntil([&] { return red(x1 - 2, y1 + 2); }, Millis(5000));  // the frame around the anchor
  for (int i = 1; i <= 4; ++i) {
    display.MoveMouse(x1 + (x2 - x1) * i / 4, y1 + (y2 - y1) * i / 4);
    Pause(60);
  }
  // The frame's left edge at its low end, where the crosshair never is.
  const int lowY = y2 - std::min(3, (y2 - y1) / 8);
  for (int nudge = 0; nudge < 20 && !(red(x1 - 3, lowY) && red(x1 - 1, lowY)); ++nudge) {
    display.MoveMouse(x2 - 1, y2);
    Pause(30);
    display.MoveMouse(x2, y2);
    Pause(120);
  }
  if (beforeRelease) beforeRelease();
  display.MouseButton(1, false);
}

}  // namespace e2e
