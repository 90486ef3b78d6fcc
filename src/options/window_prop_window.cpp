#include "options/window_prop_window.h"

namespace kx {
namespace {

constexpr OptionPage::Group kGroups[] = {{L"Transparency", 119}};
constexpr OptionPage::Switch kSwitches[] = {
    {119, 1029, 1031, &CaptureProfile::InTrans, 2, L"InTrans"}};
constexpr OptionPage::Value kReset[] = {{&CaptureProfile::InTrans, 0}};

}  // namespace

const OptionPage kWindowPropPage = {L"KXWindowPropWndClass",
                                    238,
                                    L"Window Properties",
                                    1030,
                                    kGroups,
                                    kSwitches,
                                    {},
                                    {},
                                    {},
                                    kReset};

}  // namespace kx
