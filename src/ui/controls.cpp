#include "ui/controls.h"

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/tooltip.h"

namespace kx {

int RegisterControlClasses(HINSTANCE instance) {
  return ButtonEx::RegisterWindowClass(instance) && LabelEx::RegisterWindowClass(instance) &&
                 EditEx::RegisterWindowClass(instance) && ToolTipEx::RegisterWindowClass(instance)
             ? 1
             : 0;
}

}  // namespace kx
