#include "app/window_classes.h"

#include "app/main_window.h"

namespace kx {

bool RegisterWindowClasses(HINSTANCE instance) {
  using Registration = bool (*)(HINSTANCE);
  const Registration inOrder[] = {
      MainWindow::RegisterWindowClass,
  };
  for (Registration registerClass : inOrder)
    if (!registerClass(instance)) return false;
  return true;
}

}  // namespace kx
