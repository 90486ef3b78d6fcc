#include "harness.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

extern char** environ;

namespace fs = std::filesystem;

namespace e2e {

void Pause(int ms) {
  std::this_thread::sleep_for(Millis(ms));
}

bool WaitUntil(const std::function<bool()>& condition, Millis deadline, Millis step) {
  auto end = Clock::now() + deadline;
  for (;;) {
    if (condition()) return true;
    if (Clock::now() >= end) return false;
    std::this_thread::sleep_for(step);
  }
}

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace

const Locations& Locations::Get() {
  static const Locations locations = [] {
    const std::string build = EnvOr("KX_BUILD_DIR", "build"), arch = EnvOr("KX_ARCH", "win64");
    if (arch != "win64" && arch != "win32") {
      std::fprintf(stderr, "KX_ARCH must be win64 or win32, not %s\n", arch.c_str());
      std::exit(2);
    }
    const std::string exes = build + "/" + arch + "/";
    // A plain `wine reg` is the 32-bit tool once 32-bit Wine is installed: name the view.
    const std::string view = arch == "win64" ? "/reg:64" : "/reg:32";
    Locations l{exes + "Kestrix.exe",
                EnvOr("KX_RELEASE_ZIP", ""),
                exes + "kxprobe.exe",
                exes + "kxscene.exe",
                view,
                build + "/wine/template",
                build + "/screenshots/" + arch};
    fs::create_directories(l.artifacts);
    return l;
  }();
  return locations;
}

Rgb Image::At(int x, int y) const {
  const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
  return Rgb{p[0], p[1], p[2]};
}

bool Image::SavePng(const std::string& path) const {
  return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

Image Image::Load(const std::string& path) {
  Image image;
  int channels = 0;
  uint8_t* pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 3);
  if (!pixels) return Image{};
  image.rgb.assign(pixels, pixels + size_t(image.width) * image.height * 3);
  stbi_image_free(pixels);
  return image;
}

// ---- Process ----

Process::Process(const std::vector<std::string>& argv,
                 const std::map<std::string, std::string>& env, const std::string& stdoutPath) {
  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    std::string key = entry.substr(0, entry.find('='));
    if (!env.count(key)) envStrings.push_back(entry);
  }
  for (const auto& [k, v] : env) envStrings.push_back(k + "=" + v);
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // Its own process group, so that Kill() also reaches whatever it started.
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  if (posix_spawnp(&pid_, args[0], &actions, &attr, args.data(), envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
}

Process::~Process() {
  Kill();
}

bool Process::Running() {
  if (pid_ <= 0 || status_) return false;
  int status = 0;
  pid_t r = waitpid(pid_, &status, WNOHANG);
  if (r == pid_) {
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
  }
  return r == 0;
}

std::optional<int> Process::Wait(Millis deadline) {
  WaitUntil([&] { return !Running(); }, deadline, Millis(20));
  return status_;
}

void Process::Kill() {
  if (!Running()) return;
  kill(-pid_, SIGKILL);
  kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  status_ = 137;
}

// ---- VirtualDisplay ----

namespace {

// A channel of an X pixel, by the visual's mask, as 8 bits.
uint8_t Channel(unsigned long pixel, unsigned long mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!(mask >> shift & 1)) ++shift;
  const unsigned long max = mask >> shift;
  return uint8_t(((pixel & mask) >> shift) * 255 / max);
}

unsigned long Pixel(Rgb c, const Visual* v) {
  auto put = [](uint8_t value, unsigned long mask) {
    if (!mask) return 0ul;
    int shift = 0;
    while (!(mask >> shift & 1)) ++shift;
    return ((unsigned long)(value) * (mask >> shift) / 255) << shift;
  };
  return put(c.r, v->red_mask) | put(c.g, v->green_mask) | put(c.b, v->blue_mask);
}

}  // namespace

VirtualDisplay::VirtualDisplay(int width, int height, int depth)
    : monitors_{{0, 0, width, height}}, width_(width), height_(height), depth_(depth) {
  StartServer();
}

VirtualDisplay::VirtualDisplay(const std::vector<Monitor>& monitors) : monitors_(monitors) {
  int right = 0, bottom = 0;
  for (const Monitor& m : monitors) {
    originX_ = std::min(originX_, m.x), originY_ = std::min(originY_, m.y);
    right = std::max(right, m.x + m.width), bottom = std::max(bottom, m.y + m.height);
  }
  width_ = right - originX_, height_ = bottom - originY_;
  StartServer();
  if (!display_) return;
  // The primary on the screen's own output, the others on none; sizes in millimetres at 96 dpi.
  for (size_t i = 0; i < monitors.size(); ++i) {
    const Monitor& m = monitors[i];
    const std::string geometry =
        std::to_string(m.width) + "/" + std::to_string(m.width * 254 / 960) + "x" +
        std::to_string(m.height) + "/" + std::to_string(m.height * 254 / 960) + "+" +
        std::to_string(m.x - originX_) + "+" + std::to_string(m.y - originY_);
    Process xrandr(
        {"xrandr", "--setmonitor", "KX" + std::to_string(i), geometry, i == 0 ? "screen" : "none"},
        {{"DISPLAY", name_}});
    if (xrandr.Wait(Millis(10000)) != 0) {
      XCloseDisplay(display_);
      display_ = nullptr;
      return;
    }
  }
}

void VirtualDisplay::StartServer() {
  int fds[2];
  if (pipe(fds) != 0) return;
  // -displayfd lets the server pick a free display number and tell us which; its end of
  // the pipe closes when it fails.
  server_ = std::make_unique<Process>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                               std::to_string(width_) + "x" + std::to_string(height_) + "x" +
                                   std::to_string(depth_),
                               "-noreset", "-nolisten", "tcp", "-br"},
      std::map<std::string, std::string>{});
  close(fds[1]);
  // The number comes as one short line, or not within 10 s.
  pollfd answer = {fds[0], POLLIN, 0};
  char number[16] = {};
  if (poll(&answer, 1, 10000) == 1 && read(fds[0], number, sizeof number - 1) > 0 &&
      std::isdigit(number[0])) {
    name_ = ":" + std::to_string(std::atoi(number));
    display_ = XOpenDisplay(name_.c_str());
  }
  close(fds[0]);
}

VirtualDisplay::~VirtualDisplay() {
  if (display_) XCloseDisplay(display_);
  server_.reset();
}

Image VirtualDisplay::Capture(int x, int y, int w, int h) {
  Image image;
  if (!display_) return image;
  XImage* xi = XGetImage(display_, DefaultRootWindow(display_), x - originX_, y - originY_,
                         unsigned(w), unsigned(h), AllPlanes, ZPixmap);
  if (!xi) return image;
  image.width = w;
  image.height = h;
  image.rgb.resize(size_t(w) * h * 3);
  const Visual* v = DefaultVisual(display_, 0);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) {
      const unsigned long p = XGetPixel(xi, xx, yy);
      uint8_t* d = &image.rgb[(size_t(yy) * w + xx) * 3];
      d[0] = Channel(p, v->red_mask), d[1] = Channel(p, v->green_mask);
      d[2] = Channel(p, v->blue_mask);
    }
  XDestroyImage(xi);
  return image;
}

Image VirtualDisplay::Screenshot(const std::string& name, int x, int y, int w, int h) {
  Image shot = w ? Capture(x, y, w, h) : CaptureScreen();
  shot.SavePng(Locations::Get().artifacts + "/" + name + ".png");
  return shot;
}

bool VirtualDisplay::SetBackground(const std::function<Rgb(int, int)>& colourAt) {
  if (!display_) return false;
  const Window root = DefaultRootWindow(display_);
  Visual* visual = DefaultVisual(display_, 0);
  const int depth = DefaultDepth(display_, 0);
  XImage* xi = XCreateImage(display_, visual, unsigned(depth), ZPixmap, 0, nullptr,
                            unsigned(width_), unsigned(height_), 32, 0);
  if (!xi) return false;
  xi->data = static_cast<char*>(std::malloc(size_t(xi->bytes_per_line) * height_));
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const Rgb c = colourAt(x + originX_, y + originY_);
      XPutPixel(xi, x, y, Pixel(c, visual));
    }
  Pixmap pixmap =
      XCreatePixmap(display_, root, unsigned(width_), unsigned(height_), unsigned(depth));
  GC gc = XCreateGC(display_, pixmap, 0, nullptr);
  XPutImage(display_, pixmap, gc, xi, 0, 0, 0, 0, unsigned(width_), unsigned(height_));
  XFreeGC(display_, gc);
  XDestroyImage(xi);  // frees the data too
  XSetWindowBackgroundPixmap(display_, root, pixmap);
  XFreePixmap(display_, pixmap);  // the root keeps its own reference
  XClearWindow(display_, root);
  XSync(display_, False);
  return true;
}

void VirtualDisplay::MoveMouse(int x, int y) {
  if (!display_) return;
  XTestFakeMotionEvent(display_, 0, x - originX_, y - originY_, CurrentTime);
  XSync(display_, False);
}

void VirtualDisplay::MouseButton(int button, bool down) {
  if (!display_) return;
  XTestFakeButtonEvent(display_, unsigned(button), down, CurrentTime);
  XSync(display_, False);
}

void VirtualDisplay::Click(int x, int y, int button) {
  MoveMouse(x, y);
  std::this_thread::sleep_for(Millis(30));
  MouseButton(button, true);
  std::this_thread::sleep_for(Millis(30));
  MouseButton(button, false);
}

void VirtualDisplay::Key(const std::string& keysym, const std::vector<std::string>& modifiers) {
  if (!display_) return;
  auto code = [&](const std::string& name) {
    return XKeysymToKeycode(display_, XStringToKeysym(name.c_str()));
  };
  for (const auto& m : modifiers) XTestFakeKeyEvent(display_, code(m), True, CurrentTime);
  XTestFakeKeyEvent(display_, code(keysym), True, CurrentTime);
  XTestFakeKeyEvent(display_, code(keysym), False, CurrentTime);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
    XTestFakeKeyEvent(display_, code(*it), False, CurrentTime);
  XSync(display_, False);
}

// ---- WineSession ----

WineSession::WineSession(VirtualDisplay& display) : display_(display) {
  char dir[] = "/tmp/kx-e2e-XXXXXX";
  root_ = mkdtemp(dir) ? dir : "";
  prefix_ = root_ + "/prefix";
  std::string copy = "cp -a '" + Locations::Get().templatePrefix + "' '" + prefix_ + "'";
  if (root_.empty() || std::system(copy.c_str()) != 0) prefix_.clear();
  fs::create_directories(root_ + "/home");
  std::error_code ec;
  const std::string folder = fs::path(InstalledExe()).parent_path();
  fs::create_directories(folder, ec);
  if (Locations::Get().release.empty()) {
    fs::copy_file(Locations::Get().exe, InstalledExe(), fs::copy_options::overwrite_existing, ec);
  } else {
    // Where it fails there is no program, and the start says so.
    const std::string unzip = "unzip -q -o '" + Locations::Get().release + "' -d '" + folder + "'";
    (void)std::system(unzip.c_str());
  }
  // Wine reads the monitors through Xinerama only with its own XRandR use off, and only in a
  // wineserver started after that: the one the setting started is ended.
  if (display.monitors().size() > 1 && !prefix_.empty() &&
      SetRegistryValue("HKCU\\Software\\Wine\\X11 Driver", "UseXRandR", "REG_SZ", "N"))
    Process({"wineserver", "-k"}, Environment()).Wait(Millis(10000));
}

WineSession::~WineSession() {
  if (!prefix_.empty()) {
    Process stop({"wineserver", "-k"}, Environment());
    stop.Wait(Millis(10000));
  }
  if (!root_.empty()) {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
}

std::string WineSession::UserFolder() const {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(prefix_ + "/drive_c/users", ec)) {
    std::string name = entry.path().filename();
    if (name != "Public" && entry.is_directory()) return entry.path();
  }
  return prefix_ + "/drive_c/users/root";
}

std::map<std::string, std::string> WineSession::Environment() const {
  return {{"WINEPREFIX", prefix_},
          {"WINEDEBUG", "-all"},
          {"DISPLAY", display_.name()},
          {"HOME", root_ + "/home"}};
}

std::unique_ptr<Process> WineSession::Launch(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"wine", InstalledExe()};
  argv.insert(argv.end(), args.begin(), args.end());
  return std::make_unique<Process>(argv, Environment());
}

std::string WineSession::Run(const std::vector<std::string>& argv, int* exitCode, Millis deadline) {
  std::string out = root_ + "/run-output.txt";
  Process p(argv, Environment(), out);
  auto code = p.Wait(deadline);
  if (exitCode) *exitCode = code ? *code : -1;
  return Slurp(out);
}

std::optional<std::string> WineSession::Probe(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"wine", Locations::Get().probe};
  argv.insert(argv.end(), args.begin(), args.end());
  int code = -1;
  std::string out = Run(argv, &code, Millis(20000));
  // Every answer is at least one line; no output means the probe's output was lost.
  if (code < 0 || code > 1 || out.empty()) return std::nullopt;
  return out;
}

namespace {
std::optional<WindowInfo> ParseWindowInfo(const std::optional<std::string>& out) {
  WindowInfo w;
  int visible = 0, enabled = 0;
  if (!out || std::sscanf(out->c_str(), "%d %d %d %d %d %d", &visible, &enabled, &w.x, &w.y,
                          &w.width, &w.height) != 6)
    return std::nullopt;
  w.visible = visible;
  w.enabled = enabled;
  return w;
}
}  // namespace

std::optional<WindowInfo> WineSession::FindWindow(const std::string& className,
                                                  const std::string& title) {
  std::vector<std::string> args = {"window", className};
  if (!title.empty()) args.push_back(title);
  return ParseWindowInfo(Probe(args));
}

std::optional<WindowInfo> WineSession::WaitForWindow(const std::string& className, Millis deadline,
                                                     Process* process, const std::string& title) {
  std::optional<WindowInfo> found;
  WaitUntil(
      [&] {
        found = FindWindow(className, title);
        return found.has_value() || (process && !process->Running());
      },
      deadline, Millis(100));
  return found;
}

std::optional<WindowInfo> WineSession::FindChild(const std::string& className,
                                                 const std::string& title, int controlId) {
  return ParseWindowInfo(Probe({"window", className, title, std::to_string(controlId)}));
}

namespace {
std::optional<std::string> FirstLine(const std::optional<std::string>& out) {
  if (!out) return std::nullopt;
  std::string line = out->substr(0, out->find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line == "none") return std::nullopt;
  return line;
}
}  // namespace

bool WineSession::Act(const std::vector<std::string>& args) {
  return FirstLine(Probe(args)) == "ok";
}

std::optional<std::string> WineSession::WindowText(const std::string& className,
                                                   const std::string& title, int controlId) {
  std::vector<std::string> args = {"text", className, title};
  if (controlId) args.push_back(std::to_string(controlId));
  return FirstLine(Probe(args));
}

std::optional<std::string> WineSession::ForegroundClass() {
  return FirstLine(Probe({"foreground"}));
}

std::string WineSession::RecordBrowser() {
  std::string record = root_ + "/browser-record.txt";
  std::string script = root_ + "/browser.sh";
  std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" << record << "'\n";
  fs::permissions(script, fs::perms::owner_all);
  SetRegistryValue("HKCU\\Software\\Wine\\WineBrowser", "Browsers", "REG_SZ", script);
  return record;
}

bool WineSession::SetRegistryValue(const std::string& key, const std::string& value,
                                   const std::string& type, const std::string& data) {
  int code = -1;
  Run({"wine", "reg", "add", key, "/v", value, "/t", type, "/d", data, "/f",
       Locations::Get().registryView},
      &code, Millis(20000));
  return code == 0;
}

std::optional<std::string> WineSession::RegistryEntry(const std::string& key,
                                                      const std::string& value) {
  int code = -1;
  std::string out = Run({"wine", "reg", "query", key, "/v", value, Locations::Get().registryView},
                        &code, Millis(20000));
  if (code != 0) return std::nullopt;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string name, type;
    fields >> name >> type;
    if (name == value && type.rfind("REG_", 0) == 0) {
      std::string data;
      std::getline(fields, data);
      data.erase(0, data.find_first_not_of(" \t"));
      while (!data.empty() && (data.back() == '\r' || data.back() == ' ')) data.pop_back();
      return type + " " + data;
    }
  }
  return std::nullopt;
}

std::optional<std::string> WineSession::ReadPrefixFile(const std::string& unixPath) {
  if (!fs::exists(unixPath)) return std::nullopt;
  return Slurp(unixPath);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace e2e
