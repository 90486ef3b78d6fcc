#include "tool_steps.h"

#include <cctype>

namespace e2e {

namespace {

constexpr int BXM_CHECK = 0x400 + 11, BXM_VALUE = 0x400 + 13;
const std::string kRunKey = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kMessageClass = "KXMessageWndClass";
const std::string kChooserClass = "#32770";  // the platform's dialogs

std::string FirstLineOf(const std::optional<std::string>& out) {
  const std::string all = out.value_or("nothing");
  return all.substr(0, all.find_first_of("\r\n"));
}

}  // namespace

Places SwitchRow(int g, int button, int label) {
  return {{button, 26, g + 7, 37, 37}, {label, 68, g + 7, 339, 37}};
}

Places NumberRow(int g, int spin, int edit, int unit) {
  Places row = {{spin, 26, g + 7, 37, 37}, {edit, 66, g + 9, 51, 33}};
  if (unit) row.push_back({unit, 122, g + 7, 37, 37});
  return row;
}

Sheet MakeSheet(std::string cls, int height, int opener, int heading, std::vector<Places> rows,
                std::vector<std::pair<int, int>> groups, bool openerIsCommand) {
  Sheet s{cls, height, opener, openerIsCommand, {{heading, 19, 48, 397, 19}}, {}};
  // The window's own rows first: a control there may take the id of the Reset place (the
  // Save window's name box), and the first place of an id is the one used.
  for (auto& row : rows) s.controls.insert(s.controls.end(), row.begin(), row.end());
  for (auto [id, x] : {std::pair{kOk, 327}, {kCancel, 235}, {kReset, 17}})
    s.controls.push_back({id, x, height - 54, 91, 37});
  for (auto [y, h] : groups) s.groups.push_back({0, 19, y, 397, h});
  return s;
}

void ToolSession::Run(const Sheet& s, const std::vector<Step>& steps) {
  sheet = &s;
  for (size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(s.className + " step " + std::to_string(i));
    ASSERT_NO_FATAL_FAILURE(Do(steps[i]));
    if (steps[i].shownId) {
      EXPECT_TRUE(
          Becomes([&] { return SheetText(steps[i].shownId) == steps[i].shown; }, Millis(4000)))
          << steps[i].shownId << " shows " << SheetText(steps[i].shownId).value_or("nothing");
    }
  }
}

void ToolSession::Do(const Step& step) {
  const Place& b = Control(step.id);
  switch (step.act) {
    case kSee:
      return;
    case kPress:
    case kClose:
      ClickClient(b.x + b.width / 2, b.y + b.height / 2);
      Pause(150);  // at a hand's pace
      if (step.act == kClose) WaitClosed();
      return;
    case kUp:
    case kDown:
      return ClickClient(b.x + 18, b.y + (step.act == kUp ? 8 : 29));
    case kType:
    case kTypeOnly:
      ClickClient(b.x + b.width / 2, b.y + b.height / 2);
      Pause(200);  // keys before the focus has come are lost
      TypeReplacing(step.text);
      if (step.act == kType) ClickClient(300, 95);  // the window background
      return;
    case kValue:
    case kCheck:
      return ExpectSent(sheet->className, "", step.id, step.act == kValue ? BXM_VALUE : BXM_CHECK,
                        step.text);
    case kEnabled:
      EXPECT_TRUE(Becomes([&] {
        auto c = wine.FindChild(sheet->className, "", step.id);
        return c && c->enabled == (step.text == "1");
      })) << step.id;
      return;
    case kOpen:
      return Open();
    case kMainCheck:
      return ExpectSent(kMainClass, kMainTitle, sheet->opener, BXM_CHECK, step.text);
    case kName:
      EXPECT_TRUE(TextBecomes(kProfileId, step.text)) << Text(kProfileId).value_or("?");
      return;
    case kMainPress:
      ClickMain(step.id);
      return display.MoveMouse(5, 5);
    case kRunValue: {
      // The click that changes it may still be on its way to the program.
      std::string value;
      EXPECT_TRUE(Becomes([&] {
        value = wine.RegistryEntry(kRunKey, "Kestrix").value_or("");
        return value == (step.text.empty() ? "" : "REG_SZ " + step.text);
      })) << value;
      return;
    }
    case kMessage:
      return Message(step.text);
    case kItems: {
      std::string items;
      EXPECT_TRUE(Becomes([&] {
        items = FirstLineOf(wine.Probe({"items", sheet->className, "", "1029"}));
        return items == step.text;
      })) << items;
      return;
    }
    case kItem:
      ClickClient(122, 103 + 27 * step.id + 13);
      return Pause(150);
    case kChooser:
      ClickClient(b.x + b.width / 2, b.y + b.height / 2);
      EXPECT_TRUE(wine.WaitForWindow(kChooserClass, Millis(4000), kestrix.get()));
      EXPECT_TRUE(wine.Act({"close", kChooserClass}));
      EXPECT_TRUE(Gone(kChooserClass));
      return;
  }
}

// Opened over the disabled main window, 16 pixels in and centred on its height.
void ToolSession::Open() {
  if (sheet->openerIsCommand) {
    ASSERT_TRUE(Command(sheet->opener));
  } else {
    ClickMain(sheet->opener);
  }
  const auto w = WaitDrawn(sheet->className);
  ASSERT_TRUE(w) << sheet->className << " did not open";
  origin = {w->x, w->y};
  EXPECT_EQ(
      std::vector({w->x, w->y, w->width, w->height}),
      std::vector({main.x + 16, main.y + (kMainHeight - sheet->height) / 2, 435, sheet->height}));
  EXPECT_FALSE(wine.FindWindow(kMainClass)->enabled);
}

// The pointer leaves the main window first: a help tooltip raised there would stay over the
// next window's controls, as the disabled main window ignores the leave.
void ToolSession::WaitClosed() {
  display.MoveMouse(5, 5);
  ASSERT_TRUE(Gone(sheet->className));
  EXPECT_TRUE(Becomes([&] { return wine.FindWindow(kMainClass)->enabled; }, Millis(3000)));
}

void ToolSession::ClickClient(int x, int y) {
  display.Click(origin.first + x, origin.second + y);
}

void ToolSession::TypeReplacing(const std::string& text) {
  display.Key("End");
  display.Key("Home", {"Shift_L"});
  display.Key("BackSpace");
  for (char c : text)
    display.Key(c == ' ' ? "space" : std::string(1, char(std::tolower(c))),
                std::isupper(c) ? std::vector<std::string>{"Shift_L"} : std::vector<std::string>{});
}

std::optional<std::string> ToolSession::SheetText(int id) {
  return wine.WindowText(sheet->className, "", id);
}

// A control's answer to `msg` becomes `expected`; a read that came back garbled is read again.
void ToolSession::ExpectSent(const std::string& cls, const std::string& title, int id, int msg,
                             const std::string& expected) {
  std::string seen;
  EXPECT_TRUE(Becomes([&] {
    seen = FirstLineOf(wine.Probe({"send", cls, title, std::to_string(id), std::to_string(msg)}));
    return seen == expected;
  })) << id << " answers " << seen;
}

const Place& ToolSession::Control(int id) const {
  static const Place none{0, 0, 0, 0, 0};
  for (const Place& c : sheet->controls)
    if (c.id == id) return c;
  return none;
}

void ToolSession::Message(const std::string& text) {
  auto m = wine.WaitForWindow(kMessageClass, Millis(1500), kestrix.get());
  EXPECT_EQ(m ? wine.WindowText(kMessageClass, "", 0).value_or("?") : "", text);
  if (!m) return;
  display.Click(m->x + 217, m->y + 202);
  EXPECT_TRUE(Gone(kMessageClass));
  EXPECT_TRUE(wine.FindWindow(sheet->className)) << "closed after " << text;
}

void ToolSession::CheckLayout(const std::string& screenshot) {
  for (const Place& b : sheet->controls) {
    auto c = wine.FindChild(sheet->className, "", b.id);
    ASSERT_TRUE(c) << b.id;
    EXPECT_EQ(std::vector({c->x - origin.first, c->y - origin.second, c->width, c->height}),
              std::vector({b.x, b.y, b.width, b.height}))
        << b.id;
  }
  const Image shot = Shot(screenshot);
  const Rgb dot{0xC0, 0xC2, 0xC2}, white{255, 255, 255};
  for (const Place& g : sheet->groups) {
    const int right = g.x + g.width - 1, bottom = g.y + g.height - 1;
    EXPECT_EQ(std::vector({shot.At(g.x + 3, g.y), shot.At(g.x + 5, g.y), shot.At(g.x + 10, g.y),
                           shot.At(g.x, g.y + 3), shot.At(right, g.y + 3), shot.At(g.x + 3, bottom),
                           shot.At(g.x + 3, bottom + 1)}),
              std::vector({dot, white, dot, dot, dot, dot, white}))
        << g.y;
    int dark = 0;  // the bold title above the frame
    for (int y = g.y - 18; y < g.y - 2; ++y)
      for (int x = g.x + 9; x < g.x + 60; ++x) dark += shot.At(x, y).r < 140;
    EXPECT_GT(dark, 10) << g.y;
  }
  EXPECT_EQ(shot.At(100, 83), (Rgb{217, 217, 219}));  // separator
  // The title band's 43 rows from the skin, then the white body.
  EXPECT_FALSE(shot.At(200, 42) == white);
  EXPECT_EQ(shot.At(200, 43), white);
}

Image ToolSession::Shot(const std::string& name) {
  display.MoveMouse(5, 5);
  Pause(300);
  return display.Screenshot(name, origin.first, origin.second, 435, sheet->height);
}

void ToolSession::ExpectStored(const std::vector<std::pair<size_t, uint32_t>>& expected) {
  ASSERT_NO_FATAL_FAILURE(Close());
  stored = Data("Profile.db");
  ASSERT_EQ(stored.size(), kRecordBytes);
  for (auto [field, value] : expected)
    EXPECT_EQ(RecordValue(stored, field), value) << "field at " << field;
}

}  // namespace e2e
