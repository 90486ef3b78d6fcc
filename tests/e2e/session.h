// One end-to-end session shared by the capture-flow, DPI, select and hotkey tests: a display
// and a fresh prefix of its own, and Kestrix started (again and again) with a profile record
// made from the defaults and some changes.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app_session.h"
#include "harness.h"
#include "stage.h"

namespace e2e {

using Changes = std::vector<std::pair<RecordField, uint32_t>>;

inline const std::string kArea = "KXGetAreaWndClass", kPicker = "KXGetWindowWndClass",
                         kInterval = "KXIntervalWndClass";
constexpr Rgb kFrameRed = {209, 53, 37};
constexpr Millis kDeadline(20000), kQuiet(2000);

// Pixels of `image` from (x0, y0), w x h, that are not `expected` of the place they show,
// which starts at (atX, atY).
int Mismatches(const Image& image, int x0, int y0, int w, int h, int atX, int atY,
               const std::function<Rgb(int, int)>& expected, int tolerance = 0);

class Session {
 public:
  Session(int width, int height, int depth = 24);
  ~Session();  // a screenshot when the test failed; Kestrix closed

  bool ready() const { return ready_; }
  // The record a first run stores. The first start in a prefix is spent on it: that start
  // also pays for Wine setting the prefix's desktop up, which can swallow what comes first.
  const std::string& Defaults();
  // Starts Kestrix with the defaults changed by `changes` (and a storage folder) as its
  // profile; waits for its first paint unless it starts hidden.
  void Start(const Changes& changes = {}, const std::vector<std::string>& args = {},
             const std::string& storage = "");
  void Stop();

  std::string Pictures() const { return wine.UserFolder() + "/Pictures"; }
  std::vector<std::string> Files(const std::string& folder = "") const;
  // Waits for a file not in `before` and decodes it once it is whole.
  std::optional<Image> NewCapture(const std::vector<std::string>& before,
                                  std::string* name = nullptr, const std::string& folder = "");
  // A main-window control at its layout place, scaled as the window is drawn.
  void ClickMain(int x, int y);
  void ClickCapture();  // rests on the button first, as a hand does
  bool Command(int id) { return wine.Act({"command", kMainClass, std::to_string(id)}); }
  bool Visible(const std::string& cls);
  bool Gone(const std::string& cls);
  bool FlowEnded() {
    return WaitUntil([&] { return Visible(kMainClass); }, kDeadline, Millis(100));
  }
  int Count(const std::string& cls);
  // Presses PrintScreen with `modifiers`; whether one more window of `cls` came up.
  bool PressOpens(const std::vector<std::string>& modifiers, const std::string& cls);
  std::string Clock();  // the interval window's three fields
  // Picks as a person watching the picker: clicks once the frame has glided to `expected`.
  void Pick(int x, int y, const Box& expected);
  // Drags as a person watching the overlay: on once the press shows, released once the
  // frame reaches the end point.
  void Drag(int x1, int y1, int x2, int y2, const std::function<void()>& beforeRelease = nullptr);

  VirtualDisplay display;
  WineSession wine;
  std::unique_ptr<Process> kestrix;
  WindowInfo main;  // where the main window was at the last start

 private:
  std::string defaults_;
  bool ready_ = false;
};

}  // namespace e2e
