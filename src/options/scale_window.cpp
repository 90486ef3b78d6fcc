#include "options/scale_window.h"

namespace kx {
namespace {

using P = CaptureProfile;
constexpr OptionPage::Group kGroups[] = {{L"Status", 119}, {L"Width", 199}, {L"Height", 279}};
constexpr OptionPage::Switch kSwitches[] = {
    {119, 1029, 1033, &P::ScaStatus, kFlipFlag, L"ScaStatus"}};
constexpr OptionPage::Number kNumbers[] = {
    {199, {1030, 1036, 1034, &P::ScaWidth, 1, 500, L"ScaWidth", L"%", 3}},
    {279, {1031, 1037, 1035, &P::ScaHeight, 1, 500, L"ScaHeight", L"%", 3}}};
constexpr OptionPage::Value kReset[] = {
    {&P::ScaStatus, 0}, {&P::ScaWidth, 100}, {&P::ScaHeight, 100}};

}  // namespace

const OptionPage kScalePage = {L"KXScaleWndClass", 398,      L"Scale", 1032, kGroups,
                               kSwitches,          kNumbers, {},       {},   kReset};

}  // namespace kx
