// Helpers of the toolkit tests: real windows, real mouse input, message pumping with
// deadlines, and pixels read back from bitmaps.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kx::test {

// Registers the four control classes and the recording parent class once per process.
void RegisterToolkitOnce();

// Dispatches this thread's messages until `condition` holds or `deadlineMs` passes.
bool PumpUntil(const std::function<bool()>& condition, int deadlineMs = 2000);
void PumpFor(int ms);

// Real input, through SetCursorPos and SendInput; each call lets the messages it causes run
// (a move for `pumpMs`; 0 leaves them queued).
void MouseMoveTo(POINT screen, int pumpMs = 40);
void MouseDown();
void MouseUp();
// Runs `action` once from a thread timer, i.e. from whichever message loop is running then
// (RunToolWindow blocks in its own loop).
void RunLater(int delayMs, std::function<void()> action);
POINT ClientToScreenPoint(HWND hwnd, int x, int y);

// A visible, topmost popup that records WM_COMMAND and WM_NOTIFY from its children.
struct Recorded {
  UINT message;
  int id;
  UINT code;  // high word of a command, or the notification code
  HWND from;
};
class RecordingParent {
 public:
  RecordingParent(int x = 100, int y = 100, int width = 400, int height = 300);
  ~RecordingParent();
  HWND hwnd() const { return hwnd_; }
  std::vector<Recorded>& events();
  int Count(UINT message, int id, UINT code = 0) const;

 private:
  HWND hwnd_;
};

// A picture's pixels, top-down, as COLORREF values.
class Pixels {
 public:
  explicit Pixels(HBITMAP bitmap);
  Pixels(int width, int height, const std::function<void(HDC, int, int)>& paint);
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const { return data_[size_t(y) * width_ + x]; }
  // Darkest pixel (lowest sum of channels) inside the rectangle.
  COLORREF Darkest(const RECT& area) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> data_;
};

// Pixels of a bitmap resource of the test program.
Pixels ResourcePixels(UINT id);

}  // namespace kx::test
