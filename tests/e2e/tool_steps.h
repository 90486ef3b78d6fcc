// The program's tool windows driven by scripts, as a person uses them: a table of where a
// window's controls are, and steps that act on them and check what they show, what the main
// window shows, and what the program stores.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app_session.h"

namespace e2e {

constexpr int kOk = 1026, kCancel = 1027, kReset = 1028;  // the bottom row of every tool window

// A control's id and its client rectangle.
struct Place {
  int id, x, y, width, height;
};
using Places = std::vector<Place>;

// A window's class, height, opener (a main-window button, or a command) and layout table.
struct Sheet {
  std::string className;
  int height, opener;
  bool openerIsCommand;
  Places controls, groups;
};

// A check or spin at x 26 on a group's first row with its label, or its number box and unit.
Places SwitchRow(int groupY, int button, int label);
Places NumberRow(int groupY, int spin, int edit, int unit);
// Heading, the OK/Cancel/Reset row, the window's own rows; group frames 397 wide at x 19.
Sheet MakeSheet(std::string className, int height, int opener, int heading,
                std::vector<Places> rows, std::vector<std::pair<int, int>> groups,
                bool openerIsCommand = false);

enum Act {
  kSee,       // only the check of `shown`
  kPress,     // click the control's middle
  kClose,     // click OK or Cancel; the window goes and the main window is enabled again
  kType,      // type into the box, then click the window background
  kTypeOnly,  // type into the box and stay there
  kUp,        // click the upper or lower half of a spin
  kDown,
  kValue,  // the spin's BXM_VALUE, or the check button's BXM_CHECK, equals `text`
  kCheck,
  kEnabled,    // the control is enabled ("1") or not ("0")
  kOpen,       // open the sheet's window from its opener
  kMainCheck,  // the opener's check on the main window equals `text`
  kName,       // the main window's profile name equals `text`
  kMainPress,  // click a main-window control
  kRunValue,   // the "Start with Windows" Run value equals `text` ("" when absent)
  kMessage,    // the message over the window shows `text` ("" when none comes); its OK pressed
  kItems,      // the list 1029 reads "<selected>|item|item..."
  kItem,       // click item number `id` of the list 1029 (27-pixel items from y 103)
  kChooser,    // click a colour button: the platform's colour chooser opens; closed, it goes
};

// One action on control `id` with `text`; then, when `shownId` is set, that control's text.
struct Step {
  Act act;
  int id = 0;
  std::string text = {};
  int shownId = 0;
  std::string shown = {};
};

// The windows that more than one session opens.
// clang-format off
inline const Sheet kSettings = MakeSheet("KXSettingsWndClass", 515, 4609, 1036,
    {{{1029, 26, 126, 37, 37}, {1037, 68, 126, 146, 37}, {1030, 219, 126, 37, 37},
      {1038, 261, 126, 146, 37}},
     SwitchRow(199, 1031, 1039), SwitchRow(238, 1033, 1041), SwitchRow(277, 1032, 1040),
     SwitchRow(357, 1034, 1042), SwitchRow(396, 1035, 1043)},
    {{119, 51}, {199, 129}, {357, 90}}, true);
inline const Sheet kLoadSheet =
    MakeSheet("KXLoadProfileWndClass", 471, kProfileId, 1030, {}, {});
// clang-format on

class ToolSession : public AppSession {
 protected:
  void Run(const Sheet& s, const std::vector<Step>& steps);
  // Every control where the sheet puts it, the group frames' dots and titles, and the
  // window's picture saved as `screenshot`.
  void CheckLayout(const std::string& screenshot);
  // The window as it is drawn with the pointer away, also saved as a screenshot.
  Image Shot(const std::string& name);
  // Closes the program with its close button, which stores the profile, and compares the
  // stored fields with `expected`; the record is kept in `stored`.
  void ExpectStored(const std::vector<std::pair<size_t, uint32_t>>& expected);

  const Sheet* sheet = nullptr;
  std::pair<int, int> origin;
  std::string stored;

 private:
  void Do(const Step& step);
  void Open();
  void WaitClosed();
  void ClickClient(int x, int y);
  // The focused box emptied, then `text` typed key by key.
  void TypeReplacing(const std::string& text);
  std::optional<std::string> SheetText(int id);
  void ExpectSent(const std::string& cls, const std::string& title, int id, int msg,
                  const std::string& expected);
  const Place& Control(int id) const;
  void Message(const std::string& text);
};

}  // namespace e2e
