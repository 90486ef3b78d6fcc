#include "app/window_classes.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "capture/window_shot.h"
#include "options/border_window.h"
#include "options/caption_window.h"
#include "options/file_format_window.h"
#include "options/scale_window.h"
#include "options/window_prop_window.h"
#include "profiles/load_profile_window.h"
#include "profiles/save_profile_window.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"
#include "select/interval_window.h"
#include "select/timer_window.h"

namespace kx {

bool RegisterWindowClasses(HINSTANCE instance) {
  using Registration = bool (*)(HINSTANCE);
  // The start-up order of the classes; the others join this list as their windows land.
  const Registration inOrder[] = {
      MainWindow::RegisterWindowClass,    // 1st of the seventeen
      RegisterWindow<GetWindowWnd>,       // 2nd
      RegisterWindow<GetAreaWnd>,         // 3rd
      RegisterCleanBackdropClass,         // 4th
      RegisterWindow<WindowPropWindow>,   // 5th
      RegisterWindow<FileFormatWindow>,   // 6th
      RegisterWindow<CaptionWindow>,      // 7th
      RegisterWindow<BorderWindow>,       // 8th
      RegisterWindow<ScaleWindow>,        // 9th
      RegisterWindow<TimerWindow>,        // 10th
      RegisterWindow<LoadProfileWindow>,  // 11th
      RegisterWindow<SaveProfileWindow>,  // 12th
      RegisterWindow<IntervalWnd>,        // 14th
      RegisterWindow<MessageWindow>,      // 15th
      RegisterWindow<InfoWindow>,         // 17th
  };
  for (Registration registerClass : inOrder)
    if (!registerClass(instance)) return false;
  return true;
}

}  // namespace kx
