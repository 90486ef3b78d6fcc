// Helpers of the tests that run the program's windows in-process.
#pragma once

#include <windows.h>

#include <functional>

namespace kx::test {

// Registers the program's control classes and a plain window class once per process.
void RegisterToolkitOnce();

// Runs `action` once from a thread timer, i.e. from whichever message loop is running then
// (the program's windows block in their own loops).
void RunLater(int delayMs, std::function<void()> action);

// A visible, topmost popup of no consequence, for another window to hand the focus to.
class PlainWindow {
 public:
  PlainWindow(int x, int y, int width, int height);
  ~PlainWindow();
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

}  // namespace kx::test
