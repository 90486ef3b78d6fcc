// The capture flows of the real program: "Capture" and repeat through the main window, with
// real drags and picks on kxscene's known picture, and the interval window's countdown. The
// files in the storage folder are decoded and compared with the picture pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <thread>

#include "../fixture/scene_fixture.h"
#include "harness.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::string kMain = "KXMainWndClass", kMainTitle = "HALVECOR Kestrix";
const std::string kArea = "KXGetAreaWndClass", kPicker = "KXGetWindowWndClass";
const std::string kInterval = "KXIntervalWndClass", kBackdrop = "KXCleanWndClass";
constexpr int kScreenW = 1280, kScreenH = 800;
constexpr int kMainLeft = 407, kMainTop = 115;
constexpr int kCapture = 1044, kRepeat = 1045, kInputType = 1029;
constexpr Millis kDeadline(20000);

// Offsets of the profile record's fields that the sessions change.
enum Field : size_t {
  kInType = 0, kInTrans = 4, kOutType = 28, kOutFilename = 32, kOutFormat = 36, kCapStatus = 44,
  kCapPosition = 64, kCapTextColor = 76, kBorStatus = 80, kBorWidth = 84, kBorColor = 88,
  kScaStatus = 92, kScaWidth = 96, kScaHeight = 100, kTimStatus = 104, kTimHour = 108,
  kTimMin = 112, kTimSec = 116, kSetHide = 148, kStorage = 156,
};
using Changes = std::vector<std::pair<Field, uint32_t>>;

Rgb PatternRgb(int x, int y) {
  scene::Colour c = scene::PatternAt(x, y);
  return {c.r, c.g, c.b};
}
Rgb Of(scene::Colour c) { return {c.r, c.g, c.b}; }

std::optional<Image> Decode(const std::string& path) {
  Image image = Image::Load(path);
  if (image.width == 0) return std::nullopt;
  return image;
}

// Pixels of `image` (from its x0, y0, w x h) that differ from what `expected` gives for
// the screen point they show, offset by `at`.
int Mismatches(const Image& image, int x0, int y0, int w, int h, int atX, int atY,
               Rgb (*expected)(int, int), int tolerance = 0) {
  int bad = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      Rgb seen = image.At(x, y), want = expected(atX + x - x0, atY + y - y0);
      if (std::abs(seen.r - want.r) > tolerance || std::abs(seen.g - want.g) > tolerance ||
          std::abs(seen.b - want.b) > tolerance)
        ++bad;
    }
  return bad;
}

int CountColour(const Image& image, Rgb colour) {
  int count = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) count += image.At(x, y) == colour;
  return count;
}

std::string Utf16Field(const std::string& text, size_t chars) {
  std::string out(chars * 2, '\0');
  for (size_t i = 0; i < text.size() && i < chars; ++i) out[i * 2] = text[i];
  return out;
}

// Kestrix on kxscene: the scene first (so that the program's windows are above it), then
// the program with a Profile.db made from the defaults and `changes`.
class FlowSession {
 public:
  FlowSession(bool targets = false) : display(kScreenW, kScreenH), wine(display) {
    const std::string exe = (fs::path(Locations::Get().exe).parent_path() / "kxscene.exe");
    sceneOut_ = wine.prefix() + "/../scene.txt";
    std::vector<std::string> argv = {"wine", exe};
    if (targets) argv.push_back("targets");
    wine.SetRegistryValue("HKLM\\Software\\Halvecor\\Kestrix\\1105", "firstrun", "REG_DWORD", "1");
    scene_ = std::make_unique<Process>(argv, wine.Environment(), sceneOut_);
    ready_ = WaitUntil([&] { return SceneText().find("ready") != std::string::npos; }, kDeadline);
    std::istringstream lines(SceneText());
    for (std::string kind, name; lines >> kind && kind == "window";) {
      Window& w = windows_[(lines >> name, name)];
      lines >> w.handle >> w.left >> w.top >> w.right >> w.bottom;
    }
  }
  ~FlowSession() {
    if (::testing::Test::HasFailure())
      SaveScreenshot(display, std::string("capture_flows_failure_") +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    Stop();
  }

  struct Window {
    long handle = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    int CentreX() const { return (left + right) / 2; }
    int CentreY() const { return (top + bottom) / 2; }
  };
  const Window& SceneWindow(const std::string& name) { return windows_[name]; }
  bool SceneCommand(int id) { return wine.Act({"command", "KXSceneControlWndClass", std::to_string(id)}); }

  // The record a first run stores. The first start in a prefix is spent on it: that start
  // also pays for Wine setting the prefix's desktop up, which can swallow what comes first.
  const std::string& Defaults() {
    if (defaults_.empty()) {
      auto p = wine.Launch();
      if (wine.WaitForWindow(kMain, kDeadline, p.get()) && wine.Act({"endsession", kMain}))
        defaults_ = wine.ReadPrefixFile(ProfileDb()).value_or("");
      wine.Act({"close", kMain});
      p->Wait(kDeadline);
    }
    return defaults_;
  }

  void Start(const Changes& changes, const std::string& storage = "") {
    std::string record = Defaults();
    ASSERT_EQ(record.size(), 2304u) << "no default record";
    for (auto [field, value] : changes)
      for (int i = 0; i < 4; ++i) record[field + i] = char(value >> (8 * i) & 0xFF);
    if (!storage.empty()) record.replace(kStorage, 2048, Utf16Field(storage, 1024));
    std::ofstream(ProfileDb(), std::ios::binary) << record;
    kestrix = wine.Launch();
    ASSERT_TRUE(wine.WaitForWindow(kMain, kDeadline, kestrix.get(), kMainTitle));
    ASSERT_TRUE(WaitUntil([&] { return display.Capture(kMainLeft + 200, kMainTop + 10, 1, 1).At(0, 0) !=
                                       PatternRgb(kMainLeft + 200, kMainTop + 10); },
                          kDeadline));
  }
  void Stop() {
    if (!kestrix) return;
    wine.Act({"close", kMain});
    kestrix->Wait(kDeadline);
    kestrix.reset();
  }

  std::string ProfileDb() { return wine.DataFolder() + "/Profile.db"; }
  std::string Pictures() { return wine.UserFolder() + "/Pictures"; }
  std::vector<std::string> Files(const std::string& folder = "") {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder.empty() ? Pictures() : folder, ec))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  void ClickMain(int x, int y) { display.Click(kMainLeft + x, kMainTop + y); }
  // Rests on the button before pressing it, as a hand does: a press that comes with the
  // first move over a button can reach it before it knows the pointer is there.
  void ClickCapture() {
    display.MoveMouse(kMainLeft + 231 + 60, kMainTop + 497 + 20);
    std::this_thread::sleep_for(Millis(250));
    ClickMain(231 + 70, 497 + 25);
  }
  bool Command(int id) { return wine.Act({"command", kMain, std::to_string(id)}); }
  bool Visible(const std::string& cls) {
    auto w = wine.FindWindow(cls);
    return w && w->visible;
  }
  bool Gone(const std::string& cls) {
    return WaitUntil([&] { return !wine.FindWindow(cls); }, kDeadline, Millis(100));
  }
  // Waits until the flow has ended: the main window shown again (hiding is on by default).
  bool FlowEnded() {
    return WaitUntil([&] { return Visible(kMain); }, kDeadline, Millis(100));
  }
  // Waits for a file that is not in `before` and decodes it once it is whole.
  std::optional<Image> NewCapture(const std::vector<std::string>& before, std::string* name = nullptr,
                                  const std::string& folder = "") {
    std::optional<Image> image;
    WaitUntil(
        [&] {
          for (const std::string& f : Files(folder))
            if (std::find(before.begin(), before.end(), f) == before.end()) {
              if (name) *name = f;
              image = Decode((folder.empty() ? Pictures() : folder) + "/" + f);
              return image.has_value();
            }
          return false;
        },
        kDeadline, Millis(200));
    return image;
  }
  std::string Clock() {
    std::string t;
    for (int id : {1032, 1033, 1034}) t += wine.WindowText(kInterval, "", id).value_or("?") + " ";
    return t;
  }
  // Picks as a person watching the picker does: points at (x, y) and clicks once the frame
  // has glided to `expected` (a red pixel just left of its left edge).
  void Pick(int x, int y, const Window& expected) {
    const Rgb frame = {209, 53, 37};
    ASSERT_TRUE(wine.WaitForWindow(kPicker, kDeadline, kestrix.get()));
    auto framed = [&] {
      Image strip = display.Capture(expected.left - 4, expected.CentreY(), 8, 1);
      for (int i = 0; i < 8; ++i)
        if (strip.At(i, 0) == frame) return true;
      return false;
    };
    for (int nudge = 0; nudge < 40 && !framed(); ++nudge) {
      display.MoveMouse(x - 2, y - 2);
      std::this_thread::sleep_for(Millis(30));
      display.MoveMouse(x, y);
      std::this_thread::sleep_for(Millis(150));
    }
    display.Click(x, y);
  }
  // Drags as a person watching the overlay does: moves on once the press shows (the frame
  // around the anchor) and releases once the frame reaches the end point (seen at the low
  // end of its left edge, where the crosshair never is).
  void Drag(int x1, int y1, int x2, int y2, const std::function<void()>& beforeRelease = nullptr) {
    const Rgb frame = {209, 53, 37};
    auto red = [&](int x, int y) { return display.Capture(x, y, 1, 1).At(0, 0) == frame; };
    display.MoveMouse(x1, y1);
    std::this_thread::sleep_for(Millis(150));
    display.MouseButton(1, true);
    WaitUntil([&] { return red(x1 - 2, y1 + 2); }, Millis(5000));
    for (int i = 1; i <= 4; ++i) {
      display.MoveMouse(x1 + (x2 - x1) * i / 4, y1 + (y2 - y1) * i / 4);
      std::this_thread::sleep_for(Millis(60));
    }
    const int lowY = y2 - std::min(3, (y2 - y1) / 8);
    for (int nudge = 0; nudge < 20 && !(red(x1 - 3, lowY) && red(x1 - 1, lowY)); ++nudge) {
      display.MoveMouse(x2 - 1, y2);
      std::this_thread::sleep_for(Millis(30));
      display.MoveMouse(x2, y2);
      std::this_thread::sleep_for(Millis(120));
    }
    if (beforeRelease) beforeRelease();
    display.MouseButton(1, false);
  }
  bool ready() const { return ready_; }
  std::string SceneText() { return wine.ReadPrefixFile(sceneOut_).value_or(""); }

  VirtualDisplay display;
  WineSession wine;
  std::unique_ptr<Process> kestrix;

 private:
  std::string sceneOut_;
  std::unique_ptr<Process> scene_;
  std::map<std::string, Window> windows_;
  std::string defaults_;
  bool ready_ = false;
};

// What one Fullscreen capture through "Capture" must write, for one set of profile values.
struct OutputCase {
  const char* what;
  Changes changes;
  std::string nameRegex;  // empty: no file
  int width = kScreenW, height = kScreenH;
  std::function<void(const Image&, FlowSession&)> check;
};

std::string Stamp(std::time_t t) {
  char text[16];
  std::strftime(text, sizeof text, "%y%m%d%H%M%S", std::localtime(&t));
  return text;
}

TEST(CaptureFlowsE2E, FullscreenCaptureWritesTheScreenWithTheProfilesOptions) {
  FlowSession s;
  ASSERT_TRUE(s.ready());
  const Changes full = {{kInType, 1}};
  auto plus = [&](Changes more) {
    more.insert(more.begin(), full.begin(), full.end());
    return more;
  };
  auto exact = [](const Image& i, FlowSession&) {
    EXPECT_EQ(Mismatches(i, 0, 0, kScreenW, kScreenH, 0, 0, PatternRgb), 0);
  };
  const Rgb red = {255, 0, 0}, green = {0, 255, 0};
  const OutputCase cases[] = {
      {"PNG, the main window hidden", full, R"(KEST-\d{12}00\.png)", kScreenW, kScreenH, exact},
      {"BMP", plus({{kOutFormat, 1}}), R"(KEST-\d{12}00\.bmp)", kScreenW, kScreenH, exact},
      {"JPEG", plus({{kOutFormat, 2}}), R"(KEST-\d{12}00\.jpg)", kScreenW, kScreenH,
       [](const Image& i, FlowSession&) {
         EXPECT_LT(Mismatches(i, 0, 0, kScreenW, kScreenH, 0, 0, PatternRgb, 60), kScreenW * kScreenH / 10);
       }},
      {"scale 50 %", plus({{kScaStatus, 1}, {kScaWidth, 50}, {kScaHeight, 50}}), R"(KEST-.*\.png)",
       kScreenW / 2, kScreenH / 2, nullptr},
      {"3-pixel red border", plus({{kBorStatus, 1}, {kBorWidth, 3}, {kBorColor, 0x0000FF}}),
       R"(KEST-.*\.png)", kScreenW + 6, kScreenH + 6,
       [&](const Image& i, FlowSession&) {
         for (auto [x, y] : {std::pair{0, 0}, {2, 400}, {kScreenW + 5, 805}, {640, kScreenH + 3}})
           EXPECT_EQ(i.At(x, y), red) << x << "," << y;
         EXPECT_EQ(Mismatches(i, 3, 3, kScreenW, kScreenH, 0, 0, PatternRgb), 0);
       }},
      {"caption outside, green text", plus({{kCapStatus, 1}, {kCapPosition, 1}, {kCapTextColor, 0x00FF00}}),
       R"(KEST-.*\.png)", kScreenW, -1,
       [&](const Image& i, FlowSession&) {
         EXPECT_GT(i.height, kScreenH);
         EXPECT_EQ(Mismatches(i, 0, 0, kScreenW, kScreenH, 0, 0, PatternRgb), 0);
         Image bar{kScreenW, i.height - kScreenH,
                   std::vector<uint8_t>(i.rgb.begin() + size_t(kScreenW) * kScreenH * 3, i.rgb.end())};
         EXPECT_GT(CountColour(bar, green), 4);
       }},
      {"caption inside", plus({{kCapStatus, 1}, {kCapPosition, 0}}), R"(KEST-.*\.png)", kScreenW,
       kScreenH,
       [](const Image& i, FlowSession&) {
         EXPECT_EQ(Mismatches(i, 0, 0, kScreenW, kScreenH - 40, 0, 0, PatternRgb), 0);
         EXPECT_GT(Mismatches(i, 0, kScreenH - 10, kScreenW, 10, 0, kScreenH - 10, PatternRgb), kScreenW);
       }},
      {"input type outside the list: nothing", {{kInType, 7}}, "", 0, 0, nullptr},
  };
  for (const OutputCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(s.Start(c.changes));
    const auto before = s.Files();
    s.ClickCapture();
    std::string name;
    if (c.nameRegex.empty()) {
      std::this_thread::sleep_for(Millis(1500));
      EXPECT_EQ(s.Files(), before);
      EXPECT_FALSE(s.wine.FindWindow(kArea) || s.wine.FindWindow(kPicker));
    } else {
      auto image = s.NewCapture(before, &name);
      ASSERT_TRUE(image);
      EXPECT_TRUE(std::regex_match(name, std::regex(c.nameRegex))) << name;
      EXPECT_EQ(image->width, c.width);
      if (c.height > 0) {
        EXPECT_EQ(image->height, c.height);
      }
      if (c.check) c.check(*image, s);
      if (std::string(c.what).rfind("PNG", 0) == 0) {
        SaveScreenshot(s.display, "capture_flow_fullscreen_screen");
        image->SavePng(Locations::Get().artifacts + "/capture_flow_fullscreen_file.png");
      }
    }
    EXPECT_TRUE(s.FlowEnded());
    s.Stop();
  }
}

TEST(CaptureFlowsE2E, ClipboardFixedNameCounterAndStorageFolders) {
  FlowSession s;
  ASSERT_TRUE(s.ready());
  // Clipboard: a bitmap there (its size is checked in-process: under Wine another process
  // cannot read a bitmap handle that Kestrix owns), and no file.
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 1}, {kOutType, 1}}));
  s.ClickCapture();
  EXPECT_TRUE(WaitUntil([&] { return s.wine.Probe({"clipboard"}).value_or("").rfind("bitmap", 0) == 0; },
                        kDeadline));
  EXPECT_TRUE(s.FlowEnded());
  EXPECT_TRUE(s.Files().empty());
  s.Stop();

  // Fixed name: one file, written again by the repeat.
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 1}, {kOutFilename, 1}}));
  s.ClickCapture();
  ASSERT_TRUE(s.NewCapture({}));
  ASSERT_TRUE(s.FlowEnded());
  const std::string fixed = s.Pictures() + "/KEST.png";
  fs::resize_file(fixed, 10);
  ASSERT_TRUE(s.Command(kRepeat));
  EXPECT_TRUE(WaitUntil([&] { return fs::file_size(fixed) > 10 && Decode(fixed); }, kDeadline));
  EXPECT_TRUE(s.FlowEnded());
  EXPECT_EQ(s.Files(), std::vector<std::string>{"KEST.png"});
  s.Stop();

  // Counter: with 00 to 97 taken in every second the capture can fall in, it writes 98.
  for (const auto& f : s.Files()) fs::remove(s.Pictures() + "/" + f);
  const std::time_t now = std::time(nullptr);
  for (std::time_t t = now - 1; t < now + 30; ++t)
    for (int n = 0; n < 98; ++n) {
      char counter[4];
      std::snprintf(counter, sizeof counter, "%02d", n);
      std::ofstream(s.Pictures() + "/KEST-" + Stamp(t) + counter + ".png") << "taken";
    }
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 1}}));
  const auto taken = s.Files();
  s.ClickCapture();
  std::string name;
  ASSERT_TRUE(s.NewCapture(taken, &name));
  EXPECT_TRUE(std::regex_match(name, std::regex(R"(KEST-\d{12}98\.png)"))) << name;
  EXPECT_TRUE(s.FlowEnded());
  s.Stop();

  // A storage folder that does not exist is made; one that cannot be made gets nothing, and
  // the flow ends as usual.
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 1}}, "C:\\users\\" + fs::path(s.wine.UserFolder()).filename().string() + "\\Pictures\\fresh"));
  s.ClickCapture();
  EXPECT_TRUE(s.NewCapture({}, nullptr, s.Pictures() + "/fresh"));
  EXPECT_TRUE(s.FlowEnded());
  s.Stop();
  std::ofstream(s.Pictures() + "/blocker") << "a file where the folder should be";
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 1}}, "C:\\users\\" + fs::path(s.wine.UserFolder()).filename().string() + "\\Pictures\\blocker"));
  const auto files = s.Files();
  s.ClickCapture();
  EXPECT_TRUE(s.FlowEnded());
  std::this_thread::sleep_for(Millis(1000));
  EXPECT_EQ(s.Files(), files);
  EXPECT_TRUE(s.kestrix->Running());
}

TEST(CaptureFlowsE2E, AreaDragEscapeAndRepeatOfTheSameArea) {
  FlowSession s;
  ASSERT_TRUE(s.ready());
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 2}}));
  auto areaOf = [](const Image& i) {
    i.SavePng(Locations::Get().artifacts + "/capture_flow_area_file.png");
    EXPECT_EQ(i.width, 200);
    EXPECT_EQ(i.height, 100);
    return i.width == 200 && i.height == 100 && Mismatches(i, 0, 0, 200, 100, 100, 100, PatternRgb) == 0;
  };
  // Repeat right after start-up is a new capture, selection included.
  ASSERT_TRUE(s.Command(kRepeat));
  ASSERT_TRUE(s.wine.WaitForWindow(kArea, kDeadline, s.kestrix.get()));
  s.Drag(100, 100, 299, 199);
  auto first = s.NewCapture({});
  ASSERT_TRUE(first);
  EXPECT_TRUE(areaOf(*first));
  ASSERT_TRUE(s.FlowEnded());

  // Escape writes nothing and keeps the last capture.
  auto files = s.Files();
  s.ClickCapture();
  ASSERT_TRUE(s.wine.WaitForWindow(kArea, kDeadline, s.kestrix.get()));
  std::this_thread::sleep_for(Millis(300));
  s.display.FocusUnderPointer();
  s.display.Key("Escape");
  ASSERT_TRUE(s.Gone(kArea));
  ASSERT_TRUE(s.FlowEnded());
  std::this_thread::sleep_for(Millis(700));
  EXPECT_EQ(s.Files(), files);

  // Repeat takes the same area, also after the profile has been switched to Fullscreen, which
  // stays current.
  for (bool switched : {false, true}) {
    if (switched) {
      s.ClickMain(26 + 50, 152 + 18);
      s.ClickMain(26 + 50, 152 + 18);
      ASSERT_TRUE(WaitUntil([&] { return s.wine.WindowText(kMain, kMainTitle, kInputType) == "Fullscreen"; }, kDeadline));
    }
    files = s.Files();
    ASSERT_TRUE(s.Command(kRepeat));
    auto again = s.NewCapture(files);
    ASSERT_TRUE(again) << switched;
    EXPECT_TRUE(areaOf(*again)) << switched;
    ASSERT_TRUE(s.FlowEnded());
  }
  EXPECT_EQ(s.wine.WindowText(kMain, kMainTitle, kInputType), "Fullscreen");
  EXPECT_FALSE(s.wine.FindWindow(kArea));
  // and the next capture is a full-screen one.
  files = s.Files();
  s.ClickCapture();
  auto full = s.NewCapture(files);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->width, kScreenW);
  EXPECT_EQ(full->height, kScreenH);
}

// Watches the 5-pixel band above a window while a shot runs: whether it turned white, and
// whether the row above the band stayed the picture.
struct BandWatch {
  bool white = false, beyondKept = true;
};
BandWatch WatchBand(FlowSession& s, const FlowSession::Window& w,
                    const std::vector<std::string>& before) {
  BandWatch seen;
  WaitUntil(
      [&] {
        Image band = s.display.Capture(w.left - 5, w.top - 6, w.right - w.left + 10, 6);
        bool white = true;
        for (int y = 1; y < 6; ++y)
          for (int x = 0; x < band.width; ++x) white = white && band.At(x, y) == Rgb{255, 255, 255};
        if (white && !seen.white) {
          seen.white = true;
          SaveScreenshot(s.display, "capture_flow_clean_backdrop");
          for (int x = 0; x < band.width; ++x)
            seen.beyondKept = seen.beyondKept && band.At(x, 0) == PatternRgb(w.left - 5 + x, w.top - 6);
        }
        return s.Files() != before;
      },
      kDeadline, Millis(10));
  return seen;
}

TEST(CaptureFlowsE2E, WindowPickCleanBackdropAndRepeatFollowingTheWindow) {
  FlowSession s(true);
  ASSERT_TRUE(s.ready());
  const auto target = s.SceneWindow("target"), element = s.SceneWindow("element"),
             desktop = s.SceneWindow("desktop");
  auto pick = [&](const FlowSession::Window& w, int x, int y) {
    s.ClickCapture();
    s.Pick(x, y, w);
  };
  auto solid = [](const Image& i, int w, int h, Rgb colour) {
    return i.width == w && i.height == h && CountColour(i, colour) == w * h;
  };
  for (uint32_t clean : {1u, 0u}) {
    SCOPED_TRACE(clean ? "Clean" : "Current");
    ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 0}, {kInTrans, clean}}));
    // A control: its own rectangle.
    auto files = s.Files();
    ASSERT_NO_FATAL_FAILURE(pick(element, element.CentreX(), element.CentreY()));
    auto shot = s.NewCapture(files);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(solid(*shot, 120, 50, Of(scene::kControlColour)));
    ASSERT_TRUE(s.FlowEnded());
    // A whole window: white around it while the shot runs, only with Clean.
    files = s.Files();
    ASSERT_NO_FATAL_FAILURE(pick(target, target.right - 20, target.bottom - 20));
    BandWatch band = WatchBand(s, target, files);
    EXPECT_EQ(band.white, clean == 1);
    EXPECT_TRUE(band.beyondKept);
    shot = s.NewCapture(files);
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->width, 300);
    EXPECT_EQ(CountColour(*shot, Of(scene::kTargetColour)), 300 * 200 - 120 * 50);
    ASSERT_TRUE(s.FlowEnded());
    // The desktop's own window never gets a backdrop.
    files = s.Files();
    ASSERT_NO_FATAL_FAILURE(pick(desktop, desktop.CentreX(), desktop.CentreY()));
    EXPECT_FALSE(WatchBand(s, desktop, files).white);
    shot = s.NewCapture(files);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(solid(*shot, 200, 100, Of(scene::kDesktopColour)));
    ASSERT_TRUE(s.FlowEnded());
    if (clean) s.Stop();
  }
  // Repeat follows the last picked window when it has moved and grown, and captures nothing
  // once it is closed.
  auto files = s.Files();
  ASSERT_NO_FATAL_FAILURE(pick(target, target.right - 20, target.bottom - 20));
  ASSERT_TRUE(s.NewCapture(files));
  ASSERT_TRUE(s.FlowEnded());
  ASSERT_TRUE(s.SceneCommand(scene::kMoveTarget));
  std::this_thread::sleep_for(Millis(500));
  files = s.Files();
  ASSERT_TRUE(s.Command(kRepeat));
  auto moved = s.NewCapture(files);
  ASSERT_TRUE(moved);  // clamped at the screen's right edge
  EXPECT_EQ(moved->width, kScreenW - 1000);
  EXPECT_EQ(moved->height, 300);
  EXPECT_EQ(CountColour(*moved, Of(scene::kTargetColour)), (kScreenW - 1000) * 300 - 120 * 50);
  ASSERT_TRUE(s.FlowEnded());
  ASSERT_TRUE(s.SceneCommand(scene::kCloseTarget));
  std::this_thread::sleep_for(Millis(500));
  files = s.Files();
  ASSERT_TRUE(s.Command(kRepeat));
  std::this_thread::sleep_for(Millis(1500));
  EXPECT_EQ(s.Files(), files);
  EXPECT_TRUE(s.Visible(kMain));
}

TEST(CaptureFlowsE2E, IntervalCapturesOncePerIntervalUntilStopped) {
  FlowSession s(true);
  ASSERT_TRUE(s.ready());
  const int W = 435, H = 219;
  // Every way out shows the main window again.
  const struct {
    const char* way;
    std::function<void(const WindowInfo&)> stop;
  } ways[] = {
      {"Stop", [&](const WindowInfo& w) { s.display.Click(w.x + 172 + 45, w.y + H - 54 + 18); }},
      {"close button", [&](const WindowInfo& w) { s.display.Click(w.x + W - 52 + 20, w.y + 9); }},
      {"WM_CLOSE", [&](const WindowInfo&) { s.wine.Act({"close", kInterval}); }},
  };
  for (uint32_t seconds : {1u, 0u}) {
    ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 1}, {kTimStatus, 1}, {kTimSec, seconds}, {kSetHide, 0}}));
    for (const auto& way : ways) {
      SCOPED_TRACE(std::string(way.way) + ", interval " + std::to_string(seconds));
      const auto before = s.Files();
      s.ClickCapture();
      auto window = s.wine.WaitForWindow(kInterval, kDeadline, s.kestrix.get());
      ASSERT_TRUE(window);
      EXPECT_TRUE(window->visible);
      EXPECT_FALSE(s.Visible(kMain));
      // A capture every tick, the clock at zero each time.
      EXPECT_TRUE(WaitUntil([&] { return s.Files().size() >= before.size() + 2; }, kDeadline));
      EXPECT_EQ(s.Clock(), "00 00 00 ");
      way.stop(*window);
      ASSERT_TRUE(s.Gone(kInterval));
      EXPECT_TRUE(s.FlowEnded());
      if (seconds == 0) break;
    }
    s.Stop();
  }

  // The first capture one interval after opening; with hiding on, neither window is shown.
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 1}, {kTimStatus, 1}, {kTimSec, 3}, {kSetHide, 1}}));
  auto before = s.Files();
  s.ClickCapture();
  ASSERT_TRUE(s.wine.WaitForWindow(kInterval, kDeadline, s.kestrix.get()));
  ASSERT_TRUE(WaitUntil([&] { return s.Clock() == "00 00 01 "; }, kDeadline, Millis(100)));
  EXPECT_EQ(s.Files(), before);
  EXPECT_FALSE(s.Visible(kInterval));
  EXPECT_FALSE(s.Visible(kMain));
  EXPECT_TRUE(s.NewCapture(before));
  s.wine.Act({"close", kInterval});
  EXPECT_TRUE(s.FlowEnded());
  s.Stop();

  // Hours are not reduced, and the clock shows what is left after the first tick.
  ASSERT_NO_FATAL_FAILURE(
      s.Start({{kInType, 1}, {kTimStatus, 1}, {kTimHour, 1}, {kTimMin, 30}, {kTimSec, 5}, {kSetHide, 0}}));
  s.ClickCapture();
  auto clock = s.wine.WaitForWindow(kInterval, kDeadline, s.kestrix.get());
  ASSERT_TRUE(clock);
  EXPECT_TRUE(WaitUntil([&] { return s.Clock() == "01 30 04 "; }, kDeadline, Millis(100)));
  s.display.Capture(clock->x, clock->y, W, H).SavePng(Locations::Get().artifacts + "/interval_window.png");
  s.wine.Act({"close", kInterval});
  ASSERT_TRUE(s.FlowEnded());
  s.Stop();

  // A picked window that is hidden during the run is skipped; the count goes on.
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 0}, {kTimStatus, 1}, {kTimSec, 1}, {kSetHide, 0}}));
  const auto element = s.SceneWindow("element");
  before = s.Files();
  s.ClickCapture();
  ASSERT_NO_FATAL_FAILURE(s.Pick(element.CentreX(), element.CentreY(), element));
  auto first = s.NewCapture(before);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->width, 120);
  ASSERT_TRUE(s.SceneCommand(scene::kHideTarget));
  std::this_thread::sleep_for(Millis(1500));  // a shot under way when it was hidden
  before = s.Files();
  std::this_thread::sleep_for(Millis(3000));
  EXPECT_EQ(s.Files(), before);
  EXPECT_TRUE(s.wine.FindWindow(kInterval));
  s.wine.Act({"close", kInterval});
  EXPECT_TRUE(s.FlowEnded());
}

// PrintScreen on the keyboard, a drag and the file: what tools/run.sh shows when there is no
// display to run on. It prints where the capture and a picture of the overlay were put.
TEST(CaptureFlowsE2E, PrintScreenDragsAnAreaOfThePicture) {
  FlowSession s;
  ASSERT_TRUE(s.ready());
  ASSERT_NO_FATAL_FAILURE(s.Start({{kInType, 2}}));
  // A key reaches the hotkeys only while a Wine window has the X focus: the user is working
  // in another program, here the picture's.
  s.display.Click(40, 760);
  std::this_thread::sleep_for(Millis(300));
  s.display.Key("Print");
  ASSERT_TRUE(s.wine.WaitForWindow(kArea, kDeadline, s.kestrix.get()));
  std::string overlay;
  s.Drag(100, 100, 299, 199, [&] { overlay = SaveScreenshot(s.display, "demo_area_overlay"); });
  std::string name;
  auto image = s.NewCapture({}, &name);
  ASSERT_TRUE(image);
  EXPECT_EQ(Mismatches(*image, 0, 0, 200, 100, 100, 100, PatternRgb), 0);
  EXPECT_EQ(image->width, 200);
  const std::string kept = Locations::Get().artifacts + "/demo_" + name;
  fs::copy_file(s.Pictures() + "/" + name, kept, fs::copy_options::overwrite_existing);
  std::printf("capture: %s\noverlay: %s\n", kept.c_str(), overlay.c_str());
}

}  // namespace
}  // namespace e2e
