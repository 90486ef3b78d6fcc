// End-to-end harness: a private Xvfb, a fresh Wine prefix per test, Kestrix.exe started
// as a real process, and the tools to look at it and drive it as a person would.
// Everything started here is stopped by its own process id or prefix, also on failure.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace e2e {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

void Pause(int ms);  // a person's pace between actions
// Polls `condition` every `step` until it holds or `deadline` passes.
bool WaitUntil(const std::function<bool()>& condition, Millis deadline, Millis step = Millis(50));

// Build-tree locations, under the build folder the test command names (KX_BUILD_DIR), for
// the architecture under test (KX_ARCH: win64, the default, or win32).
struct Locations {
  std::string exe;             // that build's Kestrix.exe
  std::string release;         // a release archive installed instead, unzipped (KX_RELEASE_ZIP)
  std::string probe;           // its kxprobe.exe
  std::string scene;           // its kxscene.exe
  std::string registryView;    // reg's switch for the program's view: /reg:64 or /reg:32
  std::string templatePrefix;  // prepared Wine prefix, copied per test
  std::string artifacts;       // screenshots and other evidence, per architecture
  static const Locations& Get();
};

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A picture read back from the display (RGB, row-major).
struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  Rgb At(int x, int y) const;
  bool SavePng(const std::string& path) const;
  // A PNG, BMP or JPEG file; an empty image when it cannot be read (yet).
  static Image Load(const std::string& path);
};

// A child process with its own environment. The destructor kills it if it still runs.
class Process {
 public:
  Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
          const std::string& stdoutPath = "/dev/null");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  bool Running();
  // Waits for the end; returns the exit code, or nothing when the deadline passed.
  std::optional<int> Wait(Millis deadline);
  void Kill();

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// One monitor of a display, as Windows places it: the primary's top-left is (0, 0), and a
// monitor left of or above the primary lies at negative coordinates.
struct Monitor {
  int x = 0, y = 0, width = 0, height = 0;
};

// A private X server, 24 bits deep unless asked otherwise. The screen size is fixed at start. Every coordinate here
// is a desktop coordinate as Windows numbers it; with one monitor they are the X screen's.
class VirtualDisplay {
 public:
  VirtualDisplay(int width, int height, int depth = 24);
  // Several monitors, the first the primary: an X screen the size of their bounding
  // rectangle with a RandR monitor for each (a prefix shows them with UseXRandR off).
  explicit VirtualDisplay(const std::vector<Monitor>& monitors);
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  bool ok() const { return display_ != nullptr; }
  const std::string& name() const { return name_; }
  const std::vector<Monitor>& monitors() const { return monitors_; }
  Monitor Bounds() const { return {originX_, originY_, width_, height_}; }
  Image Capture(int x, int y, int w, int h);
  Image CaptureScreen() { return Capture(originX_, originY_, width_, height_); }
  // The screen, or w x h of it from (x, y), also saved among the artifacts as <name>.png.
  Image Screenshot(const std::string& name, int x = 0, int y = 0, int w = 0, int h = 0);
  // Paints the screen's own background, shown wherever no window covers it.
  bool SetBackground(const std::function<Rgb(int, int)>& colourAt);
  void MoveMouse(int x, int y);
  void Click(int x, int y, int button = 1);
  void MouseButton(int button, bool down);
  // Keys by X keysym name ("Print", "Return", "a"); modifiers like "Shift_L" pressed around.
  void Key(const std::string& keysym, const std::vector<std::string>& modifiers = {});

 private:
  void StartServer();

  std::unique_ptr<Process> server_;
  std::string name_;
  Display* display_ = nullptr;
  std::vector<Monitor> monitors_;
  int originX_ = 0, originY_ = 0, width_ = 0, height_ = 0;  // the bounding rectangle
  int depth_ = 24;
};

// Geometry and state of a Win32 top-level window as the program sees it.
struct WindowInfo {
  bool visible = false, enabled = false;
  int x = 0, y = 0, width = 0, height = 0;
};

// One test's Wine world: a fresh prefix with Kestrix.exe (or the release archive) installed in
// it, on a display.
class WineSession {
 public:
  explicit WineSession(VirtualDisplay& display);
  ~WineSession();
  WineSession(const WineSession&) = delete;
  WineSession& operator=(const WineSession&) = delete;

  const std::string& prefix() const { return prefix_; }
  // Unix path of C:\users\<user> inside the prefix.
  std::string UserFolder() const;
  // Unix path of the program's data folder (local application data\HALVECOR\Kestrix).
  std::string DataFolder() const { return UserFolder() + "/AppData/Local/HALVECOR/Kestrix"; }
  // Unix path of the program inside the prefix (C:\Program Files\Kestrix\<name>).
  std::string InstalledExe(const std::string& name = "Kestrix.exe") const {
    return prefix_ + "/drive_c/Program Files/Kestrix/" + name;
  }
  std::map<std::string, std::string> Environment() const;

  // Starts the installed program with arguments.
  std::unique_ptr<Process> Launch(const std::vector<std::string>& args = {});
  // Asks kxprobe; returns its stdout, or nothing when it failed to run.
  std::optional<std::string> Probe(const std::vector<std::string>& args);
  // Runs one of kxprobe's actions (command, endsession, close); true when it answered "ok".
  bool Act(const std::vector<std::string>& args);
  std::optional<WindowInfo> FindWindow(const std::string& className, const std::string& title = "");
  // Waits for a window while `process` (if given) keeps running; a crash ends the wait.
  std::optional<WindowInfo> WaitForWindow(const std::string& className, Millis deadline,
                                          Process* process = nullptr,
                                          const std::string& title = "");
  std::optional<WindowInfo> FindChild(const std::string& className, const std::string& title,
                                      int controlId);
  // Text of a child control, or of a top-level window when controlId is 0 ("" any title).
  std::optional<std::string> WindowText(const std::string& className, const std::string& title,
                                        int controlId);
  // Class name of the foreground window, or nothing.
  std::optional<std::string> ForegroundClass();
  // Makes the prefix's web browser a script that appends each address it is given to a
  // file, so that nothing leaves the machine; returns that file's path.
  std::string RecordBrowser();
  // `wine reg add` in the view of the program under test; true on success.
  bool SetRegistryValue(const std::string& key, const std::string& value, const std::string& type,
                        const std::string& data);
  // `wine reg query` in that view; the value's type and data as text ("REG_DWORD 0x1"), or
  // nothing.
  std::optional<std::string> RegistryEntry(const std::string& key, const std::string& value);
  std::optional<std::string> ReadPrefixFile(const std::string& unixPath);

 private:
  std::string Run(const std::vector<std::string>& argv, int* exitCode, Millis deadline);

  VirtualDisplay& display_;
  std::string root_, prefix_;
};

// The lines of a text file (a browser record), none when it does not exist yet.
std::vector<std::string> ReadLines(const std::string& path);

}  // namespace e2e
