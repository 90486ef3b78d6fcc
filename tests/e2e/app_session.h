// Kestrix.exe in a test: where its main window and controls are, the fields of the profile
// record it stores, and a fixture that starts it on a fresh display and prefix and drives it
// through that window as a person would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_control_ids.h"
#include "capture/capture_profile.h"
#include "harness.h"

namespace e2e {

inline const std::string kMainClass = "KXMainWndClass", kMainTitle = "HALVECOR Kestrix";
// The main window's place on the tests' 1280 x 800 screen, and its size.
constexpr int kMainLeft = 407, kMainTop = 115, kMainWidth = 467, kMainHeight = 571;

// Byte offsets of the profile record's fields (Profile.db; in Profiles.db after the name).
#define KX_FIELD(name) offsetof(kx::CaptureProfile, name)
enum RecordField : size_t {
  kInType = KX_FIELD(InType), kInTrans = KX_FIELD(InTrans), kOutType = KX_FIELD(OutType),
  kOutFilename = KX_FIELD(OutFilename), kOutFormat = KX_FIELD(OutFormat),
  kCapStatus = KX_FIELD(CapStatus), kCapPosition = KX_FIELD(CapPosition),
  kCapTextColor = KX_FIELD(CapTextColor), kBorStatus = KX_FIELD(BorStatus),
  kBorWidth = KX_FIELD(BorWidth), kBorColor = KX_FIELD(BorColor), kScaStatus = KX_FIELD(ScaStatus),
  kScaWidth = KX_FIELD(ScaWidth), kScaHeight = KX_FIELD(ScaHeight), kTimStatus = KX_FIELD(TimStatus),
  kTimHour = KX_FIELD(TimTimeHour), kTimMin = KX_FIELD(TimTimeMin), kTimSec = KX_FIELD(TimTimeSec),
  kOptSound = KX_FIELD(OptSound), kOptCursor = KX_FIELD(OptCursor), kOptView = KX_FIELD(OptView),
  kOptEdit = KX_FIELD(OptEdit), kSetHotkeys = KX_FIELD(SetHotkeys),
  kSetHelpText = KX_FIELD(SetHelpText), kSetHide = KX_FIELD(SetHideBeforeCapture),
  kSetMagnifier = KX_FIELD(SetMagnifier), kStorageFolder = KX_FIELD(SetStorageFolder),
};
#undef KX_FIELD
constexpr size_t kRecordBytes = sizeof(kx::CaptureProfile), kNameBytes = 164, kStoredBytes = 2472, kListHeader = 8;
inline const std::string kListMagic("TSEK\x01\0\0\0", 8);  // Profiles.db's header

uint32_t RecordValue(const std::string& record, size_t field);
void SetRecordValue(std::string& record, size_t field, uint32_t value);
// ASCII as a zero-padded UTF-16 field of `units` characters.
std::string Utf16(const std::string& ascii, size_t units);

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
  void SetUp() override;
  // Starts the program; unless it starts hidden, waits until its first paint is on screen.
  void Start(const std::vector<std::string>& args = {});
  // The close button: the program stores its profile and ends with 0.
  void Close();
  // A close message from elsewhere: the program ends with 0 without storing.
  void CloseFromElsewhere();
  // Clicks a main-window control's middle at a hand's pace: presses a few milliseconds
  // apart were seen lost under load.
  void ClickMain(int id);
  std::optional<std::string> Text(int id);  // of a main-window control
  bool TextBecomes(int id, const std::string& text);
  bool EnabledBecomes(int id, bool enabled);
  bool Becomes(const std::function<bool()>& condition, Millis deadline = Millis(5000));
  bool Visible(const std::string& className);
  bool Gone(const std::string& className);
  // Waits for a tool window of the program until its frame is drawn.
  std::optional<WindowInfo> WaitDrawn(const std::string& className);
  // Opens a tool window with a main-window control and waits until it is drawn.
  std::optional<WindowInfo> OpenFromMain(int id, const std::string& className);
  // A file of the data folder ("" when absent), and one written there.
  std::string Data(const std::string& name);
  void WriteData(const std::string& name, const std::string& bytes);
  // The record a first run stores, from a start closed by its close button.
  std::string DefaultRecord();
  // Rests the pointer on a main-window control; the help tooltip's text, or nothing.
  std::optional<std::string> HelpTipAfterResting(int id, Millis deadline = Millis(4000));

  VirtualDisplay display{1280, 800};
  WineSession wine{display};
  std::unique_ptr<Process> kestrix;
};

}  // namespace e2e
