// A fixture program (tests/fixture) running in a session, and the windows it printed: kxscene's
// known picture, or kxselect, the stage of the selection overlays, whose overlays are opened by
// command and driven with real X input.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "harness.h"

namespace e2e {

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Box&) const = default;
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

void PrintTo(const Box& b, std::ostream* os);

struct Point {
  int x, y;
};

struct Result {
  int end = -1;  // 0 closed, 1 chosen, 2 cancelled
  unsigned window = 0;
  Box rect;
  int magnifier = 0;
};

class Stage {
 public:
  explicit Stage(VirtualDisplay& display, WineSession& session, const std::string& exe = "kxselect",
                 const std::vector<std::string>& args = {});

  bool ready() const { return ready_; }
  unsigned Handle(const std::string& name) { return handles_[name]; }
  Box Rect(const std::string& name) { return rects_[name]; }
  const std::vector<std::string>& Elements() const { return elements_; }

  // Waits until the stage has repainted what the last overlay covered: kxselect prints its
  // result before it gets to those paints, and an overlay opened earlier would freeze the
  // last one's red frame, crosshair and magnifier into its picture. True when no overlay red
  // is left and the screen has stopped changing.
  bool Settle();
  // Opens an overlay (1 area, 2 picker) on the settled stage, lets `input` act on it, and
  // returns what kxselect printed when it closed.
  Result Run(int command, const std::function<void()>& input);
  // Asks for a whole-screen grab; returns the line kxselect printed for it.
  std::string Grab();
  // Asks for the window rectangle refresh of the "alone" button; what kxselect printed.
  std::string Refresh();

  // Presses at `from`, moves through the middle to `to` and stays pressed there.
  void Drag(Point from, Point to);
  // An area overlay dragged from `from` to `to`; `mid` gets the screen as the overlay showed
  // it just before the release.
  Result DragArea(Point from, Point to, Image& mid);
  void Release() { display_.MouseButton(1, false); }
  static void Pause(int ms = 60);

 private:
  std::map<std::string, std::vector<std::string>> Lines();
  // Sends a command and waits for one more line of `kind`; empty when none came.
  std::string Await(int command, const std::string& kind, const std::function<void()>& input);

  VirtualDisplay& display_;
  WineSession& session_;
  std::string output_;
  std::unique_ptr<Process> process_;
  bool ready_ = false;
  std::map<std::string, unsigned> handles_;
  std::map<std::string, Box> rects_;
  std::vector<std::string> elements_;
};

}  // namespace e2e
