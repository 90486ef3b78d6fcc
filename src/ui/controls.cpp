#include "ui/controls.h"

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/tooltip.h"

namespace kx {

int RegisterControlClasses(HINSTANCE instance) {
  return RegisterWindow<ButtonEx>(instance) && RegisterWindow<LabelEx>(instance) &&
                 RegisterWindow<EditEx>(instance) && RegisterWindow<ToolTipEx>(instance)
             ? 1
             : 0;
}

}  // namespace kx
