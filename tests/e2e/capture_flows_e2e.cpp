// The capture flows of the real program on a known picture, the X screen's background, with
// kxscene's windows to pick: "Capture", repeat and PrintScreen, real drags and picks. The files in
// the storage folder are decoded and compared with the picture pixel by pixel.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>

#include "../fixture/scene_fixture.h"
#include "app_session.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kW = 1280, kH = 800;
// What the platform does with a capture in a storage folder beyond its path limit.
const std::string kLongFolderFile = R"(KEST-\d{12}00\.png)";

Rgb Of(scene::Colour c) {
  return {c.r, c.g, c.b};
}
Rgb Picture(int x, int y) {
  return Of(scene::PatternAt(x, y));
}
Box BoxOf(scene::Place p) {
  return {p.left, p.top, p.right, p.bottom};
}
int CountColour(const Image& i, Rgb colour, int top = 0, int tolerance = 0) {
  const int all = i.width * (i.height - top);
  return all -
         Mismatches(
             i, 0, top, i.width, i.height - top, 0, 0, [&](int, int) { return colour; }, tolerance);
}

class CaptureFlowsE2E : public AppSession {
 protected:
  explicit CaptureFlowsE2E(int depth = 24) : AppSession(kW, kH, depth) {}
  // The known picture on the screen's background; kxscene's windows over it when asked.
  void ShowScene(bool targets = false) {
    ASSERT_TRUE(display.SetBackground(Picture));
    if (!targets) return;
    scene_ = std::make_unique<Process>(std::vector<std::string>{"wine", Locations::Get().scene},
                                       wine.Environment());
    ASSERT_TRUE(wine.WaitForWindow("KXSceneControlWndClass", Millis(30000), scene_.get()));
  }
  bool SceneCommand(int id) {
    return wine.Act({"command", "KXSceneControlWndClass", std::to_string(id)});
  }
  // Files of every name a capture could take in the next half minute, counter 00.
  void TakeTheNextNames() {
    for (std::time_t t = std::time(nullptr) - 1, end = t + 30; t <= end; ++t) {
      char name[32];
      std::strftime(name, sizeof name, "/KEST-%y%m%d%H%M%S00.png", std::localtime(&t));
      std::ofstream(Pictures() + name) << "taken";
    }
  }

  // Whether the 5-pixel band above a window turned white (and the row above it stayed the
  // picture) while a shot ran, watched until `done` (told whether it has) holds.
  bool BandTurnsWhite(const Box& w, const std::function<bool(bool white)>& done) {
    bool white = false;
    WaitUntil(
        [&] {
          const Image band =
              display.Capture(w.left - 5, w.top - 6, std::min(w.right + 5, kW) - w.left + 5, 6);
          if (!white && !Mismatches(band, 0, 1, band.width, 5, 0, 0, [](int, int) {
                return Rgb{255, 255, 255};
              })) {
            white = true;
            EXPECT_EQ(Mismatches(band, 0, 0, band.width, 1, w.left - 5, w.top - 6, Picture), 0);
          }
          return done(white);
        },
        kDeadline, Millis(10));
    return white;
  }

 private:
  std::unique_ptr<Process> scene_;
};

// What one Fullscreen capture through "Capture" must give, for one set of profile values.
struct OutputCase {
  const char* what;
  Changes changes;
  std::string name;             // the file's name; empty: no file
  int width = kW, height = kH;  // height 0: taller than half the screen
  std::function<void(const Image&)> check = nullptr;
  std::string storage = "";  // a folder in Pictures
  bool taken = false;        // the names with counter 00 are taken
};

// On a display scaled to 125 %: the program clicked where it is drawn, the files the screen's
// physical pixels.
TEST_F(CaptureFlowsE2E, FullscreenCaptureWritesTheScreenWithTheProfilesOptions) {
  ASSERT_TRUE(
      wine.SetRegistryValue("HKCU\\Control Panel\\Desktop", "LogPixels", "REG_DWORD", "120"));
  ASSERT_NO_FATAL_FAILURE(ShowScene());
  std::ofstream(Pictures() + "/blocker") << "a file where the folder should be";
  auto exact = [](int at) {
    return [at](const Image& i) { EXPECT_EQ(Mismatches(i, at, at, kW, kH, 0, 0, Picture), 0); };
  };
  auto jpeg = [](const Image& i) {
    EXPECT_LT(Mismatches(i, 0, 0, kW, kH, 0, 0, Picture, 60), kW * 80);
  };
  auto bordered = [&](const Image& i) {
    EXPECT_EQ(CountColour(i, {255, 0, 0}), (kW + kH + 6) * 6);
    exact(3)(i);
  };
  // Text drawn smooth over the grey bar: pixels at least half green.
  auto green = [](const Image& i) { EXPECT_GT(CountColour(i, {0, 255, 0}, kH / 2, 120), 100); };

  const Changes border = {{kOutFormat, 1}, {kBorStatus, 1}, {kBorWidth, 3}, {kBorColor, 0xFF}};
  const Changes caption = {{kScaStatus, 1}, {kScaWidth, 50},   {kScaHeight, 50},
                           {kCapStatus, 1}, {kCapPosition, 1}, {kCapTextColor, 0xFF00}};
  const OutputCase cases[] = {
      {"PNG, the main window hidden", {}, R"(KEST-\d{12}00\.png)", kW, kH, exact(0)},
      {"JPEG", {{kOutFormat, 2}}, R"(KEST-\d{12}00\.jpg)", kW, kH, jpeg},
      {"BMP, 3-pixel red border", border, R"(KEST-\d{12}00\.bmp)", kW + 6, kH + 6, bordered},
      {"scale 50 %, green caption outside", caption, R"(KEST-.*\.png)", kW / 2, 0, green},
      {"fixed name", {{kOutFilename, 1}}, R"(KEST\.png)"},
      {"a storage folder that is made", {}, R"(KEST-.*\.png)", kW, kH, nullptr, "fresh"},
      {"a storage folder that cannot be made", {}, "", 0, 0, nullptr, "blocker"},
      {"a storage folder on a drive that does not exist", {}, "", 0, 0, nullptr, "Q:\\Captures"},
      {"a storage folder nobody may write", {}, "", 0, 0, nullptr, "Z:\\sys"},
      {"a storage folder of 262 characters", {}, kLongFolderFile, kW, kH, exact(0),
       std::string(239, 'L')},
      {"a storage folder in three scripts", {}, R"(KEST-\d{12}00\.png)", kW, kH, exact(0),
       "Zdjęcia 写真 Ελλάδα"},
      {"input type outside the list", {{kInType, 7}}, ""},
      {"clipboard", {{kOutType, 1}}, ""},
      {"a taken name: the next counter", {}, R"(KEST-\d{12}01\.png)", kW, kH, exact(0), "", true},
  };

  const std::string user = fs::path(wine.UserFolder()).filename().string();
  for (const OutputCase& c : cases) {
    SCOPED_TRACE(c.what);
    Changes changes = {{kInType, 1}};
    changes.insert(changes.end(), c.changes.begin(), c.changes.end());
    // A storage folder in Pictures, or one named whole by its drive.
    const bool whole = c.storage.find(":\\") != std::string::npos;
    const std::string folder = c.storage.empty() || whole ? "" : Pictures() + "/" + c.storage;
    ASSERT_NO_FATAL_FAILURE(StartWith(
        changes, {}, c.storage.empty() || whole ? c.storage
                                                : "C:\\users\\" + user + "\\Pictures\\" + c.storage));
    if (c.taken) TakeTheNextNames();
    const auto before = Files(), beforeThere = Files(folder);
    ClickCapture();
    const bool toClipboard =
        std::find(c.changes.begin(), c.changes.end(), std::pair(kOutType, 1u)) != c.changes.end();
    EXPECT_TRUE(!toClipboard || Becomes([&] { return ClipboardOffersBitmap() == true; }));
    std::string name;
    if (c.name.empty()) {
      Pause(1500);
      EXPECT_EQ(Files(), before);
      EXPECT_FALSE(wine.FindWindow(kArea) || wine.FindWindow(kPicker));
    } else {
      auto image = NewCapture(beforeThere, &name, folder);
      ASSERT_TRUE(image);
      EXPECT_TRUE(std::regex_match(name, std::regex(c.name))) << name;
      EXPECT_EQ(image->width, c.width);
      EXPECT_TRUE(c.height ? image->height == c.height : image->height > kH / 2) << image->height;
      if (c.check) c.check(*image);
    }
    EXPECT_TRUE(FlowEnded());
    EXPECT_TRUE(kestrix->Running());
    Stop();
  }
  std::ifstream blocker(Pictures() + "/blocker");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(blocker), {}),
            "a file where the folder should be");

  // The clipboard held by another program: the capture gives up at once, and the next one,
  // once the other program has let go, fills it.
  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 1}, {kOutType, 1}}));
  const std::string said = Locations::Get().artifacts + "/holder.txt";
  fs::remove(said);
  Process holder({"wine", Locations::Get().probe, "holdclipboard", "6000"}, wine.Environment(),
                 said);
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(said) && fs::file_size(said) > 0; }, kDeadline));
  ClickCapture();
  EXPECT_TRUE(FlowEnded());
  EXPECT_TRUE(holder.Running()) << "the capture waited for the clipboard";
  ASSERT_TRUE(holder.Wait(kDeadline));
  EXPECT_EQ(ClipboardOffersBitmap(), false);
  ClickCapture();
  EXPECT_TRUE(Becomes([&] { return ClipboardOffersBitmap() == true; }));
}

TEST_F(CaptureFlowsE2E, WindowPickCleanBackdropAndRepeatFollowingTheWindow) {
  ASSERT_NO_FATAL_FAILURE(ShowScene(true));
  const Box target = BoxOf(scene::kTarget), element = BoxOf(scene::kElement),
            desktop = BoxOf(scene::kDesktop);
  const int inTarget = 300 * 200 - 120 * 50;
  // A control: its own rectangle. The desktop's own window never gets a white backdrop; a
  // window picked with Clean does.
  const struct {
    Box w;
    int x, y, width, height, colourCount, band;  // band: -1 not watched
    scene::Colour colour;
  } picks[] = {
      {element, element.CentreX(), element.CentreY(), 120, 50, 120 * 50, -1, scene::kControlColour},
      {desktop, desktop.CentreX(), desktop.CentreY(), 200, 100, 200 * 100, 0,
       scene::kDesktopColour},
      {target, target.right - 20, target.bottom - 20, 300, 200, inTarget, 1, scene::kTargetColour},
  };
  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 0}, {kInTrans, 1}}));
  for (const auto& p : picks) {
    auto files = Files();
    ClickCapture();
    ASSERT_NO_FATAL_FAILURE(Pick(p.x, p.y, p.w));
    EXPECT_TRUE(p.band < 0 || BandTurnsWhite(p.w, [&](bool) { return Files() != files; }) ==
                                  (p.band == 1))
        << p.width;
    auto shot = NewCapture(files);
    ASSERT_TRUE(shot);
    EXPECT_EQ(std::pair(shot->width, shot->height), std::pair(p.width, p.height));
    EXPECT_EQ(CountColour(*shot, Of(p.colour)), p.colourCount) << p.width;
    ASSERT_TRUE(FlowEnded());
  }
  // Repeat follows the last picked window where it is now: clamped at the screen's edge.
  for (bool moved : {false, true}) {
    ASSERT_TRUE(!moved || SceneCommand(scene::kMoveTarget));
    Pause(500);
    auto files = Files();
    ASSERT_TRUE(Command(kRepeatCaptureId));
    auto shot = NewCapture(files);
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->width, moved ? kW - 1000 : 300);
    EXPECT_EQ(CountColour(*shot, Of(scene::kTargetColour)), moved ? 280 * 300 - 6000 : inTarget);
    ASSERT_TRUE(FlowEnded());
  }
  // An interval run on the target every second: once the target has closed, the ticks write
  // nothing and the run goes on until it is stopped.
  Stop();
  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 0}, {kTimStatus, 1}, {kTimSec, 1}, {kSetHide, 1}}));
  ClickCapture();
  ASSERT_NO_FATAL_FAILURE(Pick(target.CentreX(), target.bottom - 10, target));
  auto files = Files();
  ASSERT_TRUE(NewCapture(files));
  ASSERT_TRUE(SceneCommand(scene::kCloseTarget));
  Pause(1200);  // a tick may have been under way
  files = Files();
  Pause(3000);
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(Count(kInterval), 1);
  ASSERT_TRUE(wine.Act({"close", kInterval}));
  EXPECT_TRUE(FlowEnded());
}

// The capture flows' states closed from outside (the tool windows' are in
// outside_close_e2e.cpp): each row starts the program, brings the state about and lets the
// world end it.
TEST_F(CaptureFlowsE2E, EveryCaptureStateGivesWayToAnOutsideEnd) {
  ASSERT_NO_FATAL_FAILURE(ShowScene(true));
  const Image before = display.CaptureScreen();
  const Box target = BoxOf(scene::kTarget);
  const Changes interval = {{kInType, 1}, {kTimStatus, 1}, {kTimHour, 1}};
  const struct {
    const char* what;
    Changes changes;
    std::string opens;
    std::function<void()> bringAbout;
  } states[] = {
      {"area overlay", {{kInType, 2}}, kArea, [] {}},
      {"area overlay during a drag", {{kInType, 2}}, kArea,
       [&] {
         display.MoveMouse(200, 200);
         Pause(150);
         display.MouseButton(1, true);
         display.MoveMouse(400, 300);
         Pause(300);
       }},
      {"window picker during a glide", {{kInType, 0}}, kPicker,
       [&] { display.MoveMouse(target.CentreX(), target.CentreY()); }},
      {"interval window shown", interval, kInterval, [] {}},
      {"interval window hidden", interval, kInterval,
       [&] { EXPECT_FALSE(Visible(kInterval)); }},
      {"window shot over the Clean backdrop", {{kInType, 0}, {kInTrans, 1}}, kPicker,
       [&] {
         Pick(target.right - 20, target.bottom - 20, target);
         // The backdrop is up only during the shot's pause.
         EXPECT_TRUE(BandTurnsWhite(target, [](bool white) { return white; }));
       }},
  };
  for (const auto& s : states) {
    SCOPED_TRACE(s.what);
    Changes changes = s.changes;
    changes.push_back({kSetHide, s.what == std::string("interval window shown") ? 0u : 1u});
    ASSERT_NO_FATAL_FAILURE(StartWith(changes));
    ASSERT_TRUE(Command(kCaptureId));
    ASSERT_TRUE(wine.WaitForWindow(s.opens, kDeadline, kestrix.get()));
    Pause(300);
    s.bringAbout();
    SurvivesOutsideEnds(before);
    display.MouseButton(1, false);
    display.MoveMouse(5, 5);
    Stop();
  }
}

// PrintScreen on the keyboard, a drag and the file: what tools/run.sh shows when there is no
// display to run on (it prints where the capture and a picture of the overlay were put).
// Then repeat of the same area, also after the profile was switched to Fullscreen, which stays
// current.
TEST_F(CaptureFlowsE2E, PrintScreenDragsAnAreaOfThePicture) {
  ASSERT_NO_FATAL_FAILURE(ShowScene());
  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 2}}));
  auto theArea = [](const std::optional<Image>& i) {
    return i && i->width == 200 && i->height == 100 &&
           Mismatches(*i, 0, 0, 200, 100, 100, 100, Picture) == 0;
  };
  // A key reaches the hotkeys only while a Wine window has the X focus: the main window's.
  display.Click(main.x + 300, main.y + 80);
  Pause(300);
  ASSERT_TRUE(PressOpens({}, kArea));
  std::string name;
  Image shown;
  Drag(100, 100, 299, 199, [&] { shown = display.Screenshot("demo_area_overlay"); });
  EXPECT_TRUE(theArea(NewCapture({}, &name)));
  // As the overlay showed it: the selection clean in a 3-pixel red frame, the rest of the
  // screen dimmed to the grey of its colour, and the magnifier left of and below the pointer.
  ASSERT_EQ(shown.width, kW);
  EXPECT_EQ(Mismatches(shown, 100, 100, 200, 100, 100, 100, Picture), 0);
  EXPECT_EQ(std::vector({shown.At(97, 150), shown.At(99, 150), shown.At(299 - 244, 199 + 8)}),
            std::vector(3, kFrameRed));
  EXPECT_EQ(Mismatches(shown, 700, 400, 100, 100, 700, 400,
                       [](int x, int y) { return Dimmed(Picture(x, y)); }),
            0);
  const std::string kept = Locations::Get().artifacts + "/demo_" + name;
  fs::copy_file(Pictures() + "/" + name, kept, fs::copy_options::overwrite_existing);
  std::printf("capture: %s\noverlay: %s/demo_area_overlay.png\n", kept.c_str(),
              Locations::Get().artifacts.c_str());
  ASSERT_TRUE(FlowEnded());

  // The repeat keeps the area, also after the profile was switched to Fullscreen.
  for (bool switched : {false, true}) {
    if (switched) {  // the input type button, twice: Window, then Fullscreen
      ClickMain(kInputTypeId);
      ClickMain(kInputTypeId);
      EXPECT_TRUE(TextBecomes(kInputTypeId, "Fullscreen"));
    }
    const auto files = Files();
    ASSERT_TRUE(Command(kRepeatCaptureId));
    EXPECT_TRUE(theArea(NewCapture(files))) << switched;
    ASSERT_TRUE(FlowEnded());
  }
  // A repeat leaves Fullscreen current: the next capture is the whole screen.
  const auto files = Files();
  ClickCapture();
  const auto full = NewCapture(files);
  ASSERT_TRUE(full);
  EXPECT_EQ(std::pair(full->width, full->height), std::pair(kW, kH));
}

// A 16-bit screen: both overlays open over the undimmed picture, and the files hold the
// screen's own (16-bit) pixels, each channel within the rounding of widening 5 or 6 bits.
class CaptureFlowsAt16Bits : public CaptureFlowsE2E {
 protected:
  CaptureFlowsAt16Bits() : CaptureFlowsE2E(16) {}
};

TEST_F(CaptureFlowsAt16Bits, BothOverlaysWorkUndimmedAndCapturesAreWritten) {
  ASSERT_NO_FATAL_FAILURE(ShowScene(true));
  const Image screen = display.CaptureScreen();
  auto onScreen = [&](int x, int y) { return screen.At(x, y); };
  constexpr int k16 = 8;
  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 2}}));
  ClickCapture();
  ASSERT_TRUE(wine.WaitForWindow(kArea, kDeadline, kestrix.get()));
  Image shown;
  Drag(100, 100, 299, 199, [&] { shown = display.Screenshot("area_overlay_16bit"); });
  auto area = NewCapture({});
  ASSERT_TRUE(area);
  EXPECT_EQ(std::pair(area->width, area->height), std::pair(200, 100));
  EXPECT_EQ(Mismatches(*area, 0, 0, 200, 100, 100, 100, onScreen, k16), 0);
  EXPECT_EQ(Mismatches(shown, 500, 500, 200, 200, 500, 500, onScreen, k16), 0) << "dimmed";
  ASSERT_TRUE(FlowEnded());
  Stop();

  ASSERT_NO_FATAL_FAILURE(StartWith({{kInType, 0}}));
  const auto files = Files();
  ClickCapture();
  const Box target = BoxOf(scene::kTarget);
  ASSERT_TRUE(wine.WaitForWindow(kPicker, kDeadline, kestrix.get()));
  Pause(500);
  shown = display.Screenshot("window_picker_16bit");
  EXPECT_EQ(Mismatches(shown, 100, 100, 200, 100, 100, 100, onScreen, k16), 0) << "dimmed";
  ASSERT_NO_FATAL_FAILURE(Pick(target.right - 20, target.bottom - 20, target));
  auto shot = NewCapture(files);
  ASSERT_TRUE(shot);
  EXPECT_EQ(std::pair(shot->width, shot->height), std::pair(300, 200));
  EXPECT_EQ(CountColour(*shot, screen.At(target.right - 5, target.bottom - 5), 0, k16),
            300 * 200 - 120 * 50);
}

}  // namespace
}  // namespace e2e
