// The program closed from outside while one of its windows is open: Task Manager's "End task",
// an installer or an update tool posting WM_CLOSE to the main window, or a log-off. Each state
// is a row; each row starts the program, opens the state and then lets the world end it
// (AppSession::SurvivesOutsideEnds). The capture flows' states are in capture_flows_e2e.cpp.
#include <gtest/gtest.h>

#include "app_session.h"
#include "resource_ids.h"

namespace e2e {
namespace {

struct OutsideState {
  const char* what;
  // Posted commands that open it, each to the first window of a class, in order, and the
  // class of the window that shows when it is open.
  std::vector<std::pair<std::string, int>> commands;
  std::string shows;
};

class OutsideCloseE2E : public AppSession {
 protected:
  void RunStates(const std::vector<OutsideState>& states) {
    const Image before = display.CaptureScreen();
    for (const OutsideState& s : states) {
      SCOPED_TRACE(s.what);
      // A profile that differs from the defaults, so that an unwanted write would show.
      ASSERT_NO_FATAL_FAILURE(StartWith({{kBorStatus, 1}, {kOptSound, 0}}));
      for (const auto& [cls, id] : s.commands) {
        ASSERT_TRUE(WaitUntil([&] { return wine.Act({"command", cls, std::to_string(id)}); },
                              kDeadline));
        Pause(300);
      }
      ASSERT_TRUE(wine.WaitForWindow(s.shows, kDeadline, kestrix.get())) << s.shows;
      Pause(500);
      SurvivesOutsideEnds(before);
      Stop();
    }
  }
};

const std::string kMain = kMainClass, kDialog = "#32770", kSave = "KXSaveProfileWndClass";

TEST_F(OutsideCloseE2E, EveryToolWindowGivesWayToAnOutsideEnd) {
  RunStates({
      {"Settings", {{kMain, IDM_SETTINGS}}, "KXSettingsWndClass"},
      {"Global Hotkeys", {{kMain, IDM_HOTKEYS}}, "KXHotkeysWndClass"},
      {"About", {{kMain, IDM_ABOUT}}, "KXAboutWndClass"},
      {"Save Profile", {{kMain, kSaveAsId}}, kSave},
      // The proposed name saved once, then taken: the message window over Save Profile.
      {"message window",
       {{kMain, kSaveAsId}, {kSave, 1026}, {kMain, kSaveAsId}, {kSave, 1026}},
       "KXMessageWndClass"},
      {"Load Profile", {{kMain, kProfileId}}, "KXLoadProfileWndClass"},
      {"Window Properties", {{kMain, kInputPropertiesId}}, "KXWindowPropWndClass"},
      {"Output File Properties", {{kMain, kOutputPropertiesId}}, "KXFileFormatWndClass"},
      {"Caption", {{kMain, kCaptionId}}, "KXCaptionWndClass"},
      {"Border", {{kMain, kBorderId}}, "KXBorderWndClass"},
      {"Scale", {{kMain, kScaleId}}, "KXScaleWndClass"},
      {"Timer", {{kMain, kTimerId}}, "KXTimerWndClass"},
  });
}

TEST_F(OutsideCloseE2E, ThePlatformsDialogsOverToolWindowsGiveWayToo) {
  RunStates({
      {"folder browser from Settings",
       {{kMain, IDM_SETTINGS}, {"KXSettingsWndClass", 1030}},
       kDialog},
      {"colour chooser from Border", {{kMain, kBorderId}, {"KXBorderWndClass", 1031}}, kDialog},
      {"colour chooser from Caption", {{kMain, kCaptionId}, {"KXCaptionWndClass", 1034}}, kDialog},
  });
}

}  // namespace
}  // namespace e2e
