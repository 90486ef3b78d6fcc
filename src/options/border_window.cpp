#include "options/border_window.h"

namespace kx {
namespace {

using P = CaptureProfile;
constexpr OptionPage::Group kGroups[] = {{L"Status", 119}, {L"Width", 199}, {L"Color", 279}};
constexpr OptionPage::Switch kSwitches[] = {
    {119, 1029, 1033, &P::BorStatus, kFlipFlag, L"BorStatus"}};
constexpr OptionPage::Number kNumbers[] = {
    {199, {1030, 1036, 1034, &P::BorWidth, 1, 5, L"BorWidth", L"px", 1}}};
constexpr OptionPage::Button kButtons[] = {
    {OptionPage::Button::kColour, 1031, 26, 286, &P::BorColor, 1035, 339, L"Border"}};
constexpr ProfileField kFromDefaults[] = {&P::BorStatus, &P::BorWidth, &P::BorColor};

}  // namespace

const OptionPage kBorderPage = {L"KXBorderWndClass", 398,      L"Border", 1032, kGroups,
                                kSwitches,           kNumbers, kButtons,  {},   {},
                                kFromDefaults};

}  // namespace kx
