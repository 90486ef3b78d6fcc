#include "app/window_classes.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "options/border_window.h"
#include "options/caption_window.h"
#include "options/file_format_window.h"
#include "options/scale_window.h"
#include "options/window_prop_window.h"
#include "select/timer_window.h"

namespace kx {

bool RegisterWindowClasses(HINSTANCE instance) {
  using Registration = bool (*)(HINSTANCE);
  // The start-up order of the classes; the others join this list as their windows land.
  const Registration inOrder[] = {
      MainWindow::RegisterWindowClass,  RegisterWindow<WindowPropWindow>,
      RegisterWindow<FileFormatWindow>, RegisterWindow<CaptionWindow>,
      RegisterWindow<BorderWindow>,     RegisterWindow<ScaleWindow>,
      RegisterWindow<TimerWindow>,      RegisterWindow<MessageWindow>,
      RegisterWindow<InfoWindow>,
  };
  for (Registration registerClass : inOrder)
    if (!registerClass(instance)) return false;
  return true;
}

}  // namespace kx
