#include "app/window_classes.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"

namespace kx {

bool RegisterWindowClasses(HINSTANCE instance) {
  using Registration = bool (*)(HINSTANCE);
  // The start-up order of the classes; the others join this list as their windows land.
  const Registration inOrder[] = {
      MainWindow::RegisterWindowClass, RegisterWindow<GetWindowWnd>, RegisterWindow<GetAreaWnd>,
      RegisterWindow<MessageWindow>,   RegisterWindow<InfoWindow>,
  };
  for (Registration registerClass : inOrder)
    if (!registerClass(instance)) return false;
  return true;
}

}  // namespace kx
