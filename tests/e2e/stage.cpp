#include "stage.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace e2e {

namespace fs = std::filesystem;

namespace {
const std::string kControlClass = "KXSelectFixtureWndClass";
constexpr Rgb kRed = {209, 53, 37};
}  // namespace

void PrintTo(const Box& b, std::ostream* os) {
  *os << "(" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << ")";
}

Stage::Stage(VirtualDisplay& display, WineSession& session, const std::string& exe,
             const std::vector<std::string>& args)
    : display_(display), session_(session) {
  output_ = session_.prefix() + "/../" + exe + ".txt";
  std::vector<std::string> argv = {"wine",
                                   fs::path(Locations::Get().exe).parent_path() / (exe + ".exe")};
  argv.insert(argv.end(), args.begin(), args.end());
  process_ = std::make_unique<Process>(argv, session_.Environment(), output_);
  ready_ = WaitUntil([&] { return Lines().count("ready"); }, Millis(30000), Millis(100));
  // The windows it printed; a name printed again (after maximising) takes its last place.
  for (const auto& [kind, lines] : Lines())
    for (const std::string& line : lines) {
      std::istringstream in(line);
      std::string name;
      Box b;
      in >> name >> handles_[name] >> b.left >> b.top >> b.right >> b.bottom;
      rects_[name] = b;
      if (kind == "element") elements_.push_back(name);
    }
}

std::string Stage::Await(int command, const std::string& kind, const std::function<void()>& input) {
  const size_t before = Lines()[kind].size();
  if (!session_.Act({"command", kControlClass, std::to_string(command)})) return "";
  input();
  std::map<std::string, std::vector<std::string>> lines;
  if (!WaitUntil([&] { return (lines = Lines())[kind].size() > before; }, Millis(10000))) return "";
  return lines[kind][before];
}

bool Stage::Settle() {
  Image last;
  return WaitUntil(
      [&] {
        Image now = display_.CaptureScreen();
        bool settled = now.rgb == last.rgb;
        for (size_t i = 0; settled && i + 2 < now.rgb.size(); i += 3)
          settled = !(now.rgb[i] == kRed.r && now.rgb[i + 1] == kRed.g && now.rgb[i + 2] == kRed.b);
        last = std::move(now);
        return settled;
      },
      Millis(10000), Millis(150));
}

Result Stage::Run(int command, const std::function<void()>& input) {
  const std::string overlay = command == 1 ? "KXGetAreaWndClass" : "KXGetWindowWndClass";
  Result result;
  if (!Settle()) return result;
  bool opened = true;
  std::istringstream in(Await(command, "result", [&] {
    opened = session_.WaitForWindow(overlay, Millis(10000), process_.get()).has_value();
    if (!opened) return;
    std::this_thread::sleep_for(Millis(300));
    input();
  }));
  if (!opened) return result;
  in >> result.end >> result.window >> result.rect.left >> result.rect.top >> result.rect.right >>
      result.rect.bottom >> result.magnifier;
  return result;
}

std::string Stage::Grab() {
  return Await(3, "grab", [] {});
}

std::string Stage::Refresh() {
  return Await(4, "refresh", [] {});
}

void Stage::Drag(Point from, Point to) {
  display_.MoveMouse(from.x, from.y);
  Pause();
  display_.MouseButton(1, true);
  Pause();
  display_.MoveMouse((from.x + to.x) / 2, (from.y + to.y) / 2);
  Pause();
  display_.MoveMouse(to.x, to.y);
  Pause();
}

Result Stage::DragArea(Point from, Point to, Image& mid) {
  return Run(1, [&] {
    Drag(from, to);
    Pause(300);
    mid = display_.CaptureScreen();
    Release();
  });
}

void Stage::Pause(int ms) {
  std::this_thread::sleep_for(Millis(ms));
}

std::map<std::string, std::vector<std::string>> Stage::Lines() {
  std::map<std::string, std::vector<std::string>> byKind;
  std::ifstream in(output_);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t space = line.find(' ');
    byKind[line.substr(0, space)].push_back(space == std::string::npos ? ""
                                                                       : line.substr(space + 1));
  }
  return byKind;
}

}  // namespace e2e
