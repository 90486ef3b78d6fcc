#include "session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

namespace e2e {

namespace fs = std::filesystem;

namespace {
void Pause(int ms) {
  std::this_thread::sleep_for(Millis(ms));
}
}  // namespace

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

Session::Session(int width, int height, int depth) : display(width, height, depth), wine(display) {
  ready_ = display.ok() && wine.SetRegistryValue("HKLM\\Software\\Halvecor\\Kestrix\\1105",
                                                 "firstrun", "REG_DWORD", "1");
}

Session::~Session() {
  if (::testing::Test::HasFailure())
    SaveScreenshot(display, std::string("failure_") +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
  Stop();
}

const std::string& Session::Defaults() {
  if (defaults_.empty()) {
    auto p = wine.Launch();
    if (wine.WaitForWindow(kMainClass, kDeadline, p.get()) && wine.Act({"endsession", kMainClass}))
      defaults_ = wine.ReadPrefixFile(wine.DataFolder() + "/Profile.db").value_or("");
    wine.Act({"close", kMainClass});
    p->Wait(kDeadline);
  }
  return defaults_;
}

void Session::Start(const Changes& changes, const std::vector<std::string>& args,
                    const std::string& storage) {
  std::string record = Defaults();
  ASSERT_EQ(record.size(), kRecordBytes) << "no default record";
  for (auto [field, value] : changes) SetRecordValue(record, field, value);
  if (!storage.empty()) record.replace(kStorageFolder, 2048, Utf16(storage, 1024));
  std::ofstream(wine.DataFolder() + "/Profile.db", std::ios::binary) << record;
  const Image before = display.CaptureScreen();
  kestrix = wine.Launch(args);
  auto w = wine.WaitForWindow(kMainClass, kDeadline, kestrix.get(), kMainTitle);
  ASSERT_TRUE(w) << "no main window";
  main = *w;
  const int x = main.x + main.width / 2, y = main.y + 10;
  ASSERT_TRUE(!main.visible ||
              WaitUntil([&] { return display.Capture(x, y, 1, 1).At(0, 0) != before.At(x, y); },
                        kDeadline));
  Pause(300);
}

void Session::Stop() {
  if (!kestrix) return;
  // Until its picture is gone, for the next start to see its own first paint.
  const int x = main.x + main.width / 2, y = main.y + 10;
  const Rgb shown = display.Capture(x, y, 1, 1).At(0, 0);
  const bool visible = Visible(kMainClass);
  wine.Act({"close", kMainClass});
  kestrix->Wait(kDeadline);
  kestrix.reset();
  WaitUntil([&] { return !visible || display.Capture(x, y, 1, 1).At(0, 0) != shown; }, kQuiet);
}

std::vector<std::string> Session::Files(const std::string& folder) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? Pictures() : folder, ec))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<Image> Session::NewCapture(const std::vector<std::string>& before, std::string* name,
                                         const std::string& folder) {
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

void Session::ClickMain(int x, int y) {
  const double scale = main.width / 467.0;  // the layout's width
  display.Click(main.x + int(x * scale), main.y + int(y * scale));
}

void Session::ClickCapture() {
  display.MoveMouse(main.x + main.width * 291 / 467, main.y + main.width * 517 / 467);
  Pause(250);
  ClickMain(231 + 70, 497 + 25);
}

bool Session::Visible(const std::string& cls) {
  auto w = wine.FindWindow(cls);
  return w && w->visible;
}

bool Session::Gone(const std::string& cls) {
  return WaitUntil([&] { return !wine.FindWindow(cls); }, kDeadline, Millis(100));
}

int Session::Count(const std::string& cls) {
  return std::atoi(wine.Probe({"count", cls}).value_or("-1").c_str());
}

bool Session::PressOpens(const std::vector<std::string>& modifiers, const std::string& cls) {
  const int before = Count(cls);
  display.Key("Print", modifiers);
  return WaitUntil([&] { return Count(cls) > before; }, kQuiet, Millis(200));
}

std::string Session::Clock() {
  std::string t;
  for (int id : {1032, 1033, 1034}) t += wine.WindowText(kInterval, "", id).value_or("?") + " ";
  return t;
}

void Session::Pick(int x, int y, const Box& expected) {
  ASSERT_TRUE(wine.WaitForWindow(kPicker, kDeadline, kestrix.get()));
  auto framed = [&] {  // a red pixel just left of the expected left edge
    const Image strip = display.Capture(expected.left - 4, expected.CentreY(), 8, 1);
    return Mismatches(strip, 0, 0, 8, 1, 0, 0, [](int, int) { return kFrameRed; }) < 8;
  };
  for (int nudge = 0; nudge < 40 && !framed(); ++nudge) {
    display.MoveMouse(x - 2, y - 2);
    Pause(30);
    display.MoveMouse(x, y);
    Pause(150);
  }
  display.Click(x, y);
}

void Session::Drag(int x1, int y1, int x2, int y2, const std::function<void()>& beforeRelease) {
  auto red = [&](int x, int y) { return display.Capture(x, y, 1, 1).At(0, 0) == kFrameRed; };
  display.MoveMouse(x1, y1);
  Pause(150);
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
