// Kestrix.exe in a test: where its main window and controls are, the fields of the profile
// record it stores, and one fixture that starts it on a fresh display and prefix (from a
// record made of the defaults and some changes, when asked) and drives it as a person would.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/main_control_ids.h"
#include "capture/capture_profile.h"
#include "harness.h"

namespace e2e {

inline const std::string kMainClass = "KXMainWndClass", kMainTitle = "HALVECOR Kestrix",
                         kArea = "KXGetAreaWndClass", kPicker = "KXGetWindowWndClass",
                         kInterval = "KXIntervalWndClass";
// The main window's place on the default 1280 x 800 screen, and its size.
constexpr int kMainLeft = 407, kMainTop = 115, kMainWidth = 467, kMainHeight = 571;
constexpr Rgb kFrameRed = {209, 53, 37};
constexpr Millis kDeadline(20000), kQuiet(2000);

// Byte offsets of the profile record's fields (Profile.db; in Profiles.db after the name).
#define KX_FIELD(name) offsetof(kx::CaptureProfile, name)
enum RecordField : size_t {
  kInType = KX_FIELD(InType),
  kInTrans = KX_FIELD(InTrans),
  kOutType = KX_FIELD(OutType),
  kOutFilename = KX_FIELD(OutFilename),
  kOutFormat = KX_FIELD(OutFormat),
  kCapStatus = KX_FIELD(CapStatus),
  kCapPosition = KX_FIELD(CapPosition),
  kCapTextColor = KX_FIELD(CapTextColor),
  kBorStatus = KX_FIELD(BorStatus),
  kBorWidth = KX_FIELD(BorWidth),
  kBorColor = KX_FIELD(BorColor),
  kScaStatus = KX_FIELD(ScaStatus),
  kScaWidth = KX_FIELD(ScaWidth),
  kScaHeight = KX_FIELD(ScaHeight),
  kTimStatus = KX_FIELD(TimStatus),
  kTimHour = KX_FIELD(TimTimeHour),
  kTimMin = KX_FIELD(TimTimeMin),
  kTimSec = KX_FIELD(TimTimeSec),
  kOptSound = KX_FIELD(OptSound),
  kOptCursor = KX_FIELD(OptCursor),
  kOptView = KX_FIELD(OptView),
  kOptEdit = KX_FIELD(OptEdit),

  kSetHelpText = KX_FIELD(SetHelpText),
  kSetHide = KX_FIELD(SetHideBeforeCapture),
  kSetMagnifier = KX_FIELD(SetMagnifier),
  kStorageFolder = KX_FIELD(SetStorageFolder),
};
#undef KX_FIELD
constexpr size_t kRecordBytes = sizeof(kx::CaptureProfile), kNameBytes = 164, kListHeader = 8,
                 kStoredBytes = kNameBytes + kRecordBytes + 4;  // a Profiles.db entry
inline const std::string kListMagic("TSEK\x01\0\0\0", 8);       // Profiles.db's header
using Changes = std::vector<std::pair<RecordField, uint32_t>>;

uint32_t RecordValue(const std::string& record, size_t field);
void SetRecordValue(std::string& record, size_t field, uint32_t value);
// UTF-8 text (of the first plane) as a zero-padded UTF-16 field of `units` characters.
std::string Utf16(const std::string& utf8, size_t units);

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Box&) const = default;
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};
void PrintTo(const Box& b, std::ostream* os);

// Pixels of `image` from (x0, y0), w x h, that are not `expected` of the place they show,
// which starts at (atX, atY).
int Mismatches(const Image& image, int x0, int y0, int w, int h, int atX, int atY,
               const std::function<Rgb(int, int)>& expected, int tolerance = 0);

// A colour as the selection overlays dim it on a 32-bit screen: the grey of a weighted root.
Rgb Dimmed(Rgb c);

// A main-window control: its id, the text it starts with, and its client rectangle.
struct MainControl {
  int id;
  const char* text;
  int x, y, width, height;
};
extern const std::vector<MainControl> kMainControls;
using namespace kx;  // the control ids: kCloseId, kSoundId, kCaptureId ...

class AppSession : public ::testing::Test {
 protected:
  explicit AppSession(int width = 1280, int height = 800, int depth = 24)
      : display(width, height, depth), wine(display) {}
  // On a desktop of several monitors, the first the primary.
  explicit AppSession(const std::vector<Monitor>& monitors) : display(monitors), wine(display) {}
  void SetUp() override;
  void TearDown() override;  // a screenshot when the test failed; the program closed

  // Starts the program; unless it starts hidden, waits until its first paint is on screen.
  void Start(const std::vector<std::string>& args = {});
  // Starts it with the defaults changed by `changes` (and a storage folder) as its profile.
  void StartWith(const Changes& changes, const std::vector<std::string>& args = {},
                 const std::string& storage = "");
  // The record a first run stores. The first start in a prefix is spent on it: that start
  // also pays for Wine setting the prefix's desktop up, which can swallow what comes first.
  const std::string& Defaults();
  // The close button: the program stores its profile and ends with 0.
  void Close();
  // A close message from elsewhere: the program ends with 0 without storing.
  void CloseFromElsewhere();
  // What the world outside may do in any state the program is in: the log-off pair stores
  // the current profile (the start's record, its capture-transient fields aside) and the
  // program goes on; then a close from elsewhere ends it by itself, with 0, within a few
  // seconds, writing nothing and leaving the screen as `before` showed it.
  void SurvivesOutsideEnds(const Image& before);
  void Stop();  // closes from elsewhere if it runs
  // Whether the clipboard offers a bitmap (nothing when the probe failed). Only the offer:
  // under Wine another process cannot read a bitmap the program owns.
  std::optional<bool> ClipboardOffersBitmap() {
    const auto out = wine.Probe({"clipboard"});
    return out ? std::optional(out->rfind("bitmap", 0) == 0) : std::nullopt;
  }

  // Clicks a main-window control's middle where it is drawn, at a hand's pace: presses a
  // few milliseconds apart were seen lost under load.
  void ClickMain(int id);
  void ClickCapture();  // rests on the button first, as a hand does
  bool Command(int id) { return wine.Act({"command", kMainClass, std::to_string(id)}); }
  std::optional<std::string> Text(int id) {  // of a main-window control
    return wine.WindowText(kMainClass, kMainTitle, id);
  }
  bool TextBecomes(int id, const std::string& text) {
    return Becomes([&] { return Text(id) == text; });
  }
  bool EnabledBecomes(int id, bool enabled);
  bool Becomes(const std::function<bool()>& condition, Millis deadline = Millis(5000)) {
    return WaitUntil(condition, deadline, Millis(100));
  }
  bool Visible(const std::string& className) {
    auto w = wine.FindWindow(className);
    return w && w->visible;
  }
  bool Gone(const std::string& className) {
    return Becomes([&] { return !wine.FindWindow(className); }, kDeadline);
  }
  int Count(const std::string& className) {
    return std::atoi(wine.Probe({"count", className}).value_or("-1").c_str());
  }
  // Waits for a tool window of the program until its frame is drawn.
  std::optional<WindowInfo> WaitDrawn(const std::string& className);
  // A file of the data folder ("" when absent), and one written there.
  std::string Data(const std::string& name) {
    return wine.ReadPrefixFile(wine.DataFolder() + "/" + name).value_or("");
  }
  void WriteData(const std::string& name, const std::string& bytes);
  // Rests the pointer on a main-window control; the help tooltip's text, or nothing.
  std::optional<std::string> HelpTipAfterResting(int id, Millis deadline = Millis(4000));

  std::string Pictures() const { return wine.UserFolder() + "/Pictures"; }
  std::vector<std::string> Files(const std::string& folder = "") const;
  // Waits for a file not in `before` and decodes it once it is whole.
  std::optional<Image> NewCapture(const std::vector<std::string>& before,
                                  std::string* name = nullptr, const std::string& folder = "");
  bool FlowEnded() {
    return Becomes([&] { return Visible(kMainClass); }, kDeadline);
  }
  // Presses PrintScreen with `modifiers`; whether one more window of `cls` came up.
  bool PressOpens(const std::vector<std::string>& modifiers, const std::string& cls);
  std::string Clock();  // the interval window's three fields
  // Picks as a person watching the picker: clicks once the frame has glided to `expected`.
  void Pick(int x, int y, const Box& expected, const std::function<void()>& beforeClick = nullptr);
  // Drags as a person watching the overlay: on once the press shows, released once the
  // frame reaches the end point.
  void Drag(int x1, int y1, int x2, int y2, const std::function<void()>& beforeRelease = nullptr);

  VirtualDisplay display;
  WineSession wine;
  std::unique_ptr<Process> kestrix;
  WindowInfo main;     // where the main window was at the last start
  std::string startRecord;  // the profile record StartWith gave it

 private:
  // Ends the program with `close`; its exit code, once the window's picture has gone too, for
  // the next start to see its own first paint.
  std::optional<int> EndWith(const std::function<void()>& close);
  std::pair<int, int> MiddleOf(int id) const;  // a main-window control's, where drawn

  std::string defaults_;
};

}  // namespace e2e
