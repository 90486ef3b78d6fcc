#include "options/window_prop_window.h"

namespace kx {
namespace {

constexpr int kSwitchId = 1029;
constexpr OptionPage::Group kGroups[] = {{L"Transparency", 119}};
constexpr OptionPage::Switch kSwitches[] = {
    {119, kSwitchId, 1031, &CaptureProfile::InTrans, 2, L"InTrans"}};
constexpr OptionPage::Value kReset[] = {{&CaptureProfile::InTrans, 0}};

}  // namespace

// This window alone makes its heading after the switch, before the switch's label.
const OptionPage kWindowPropPage = {L"KXWindowPropWndClass",
                                    238,
                                    L"Window Properties",
                                    1030,
                                    kGroups,
                                    kSwitches,
                                    {},
                                    {},
                                    {},
                                    kReset,
                                    {},
                                    nullptr,
                                    kSwitchId};

}  // namespace kx
