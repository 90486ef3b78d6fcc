#include "options/caption_window.h"

namespace kx {
namespace {

using P = CaptureProfile;
using B = OptionPage::Button;
constexpr OptionPage::Group kGroups[] = {{L"Status", 119},
                                         {L"System Caption", 199, 90},
                                         {L"Color", 318},
                                         {L"Position", 398},
                                         {L"Transparency", 478}};
constexpr OptionPage::Switch kSwitches[] = {{119, 1029, 1039, &P::CapStatus, 2, L"CapStatus"},
                                            {398, 1036, 1046, &P::CapPosition, 2, L"CapPosition"}};
constexpr OptionPage::Number kNumbers[] = {
    {478, {1037, 1048, 1047, &P::CapTrans, 0, 100, L"CapTrans", L"%", 3}}};
constexpr OptionPage::Button kButtons[] = {
    {B::kCheck, 1030, 1040, 26, 206, 146, L"Computer name", &P::CapComputer},
    {B::kCheck, 1031, 1041, 219, 206, 146, L"User name", &P::CapUser},
    {B::kCheck, 1032, 1042, 26, 245, 146, L"Date", &P::CapDate},
    {B::kCheck, 1033, 1043, 219, 245, 146, L"Time", &P::CapTime},
    {B::kColour, 1034, 1044, 26, 325, 146, L"Background", &P::CapBackColor},
    {B::kColour, 1035, 1045, 219, 325, 146, L"Text", &P::CapTextColor}};
constexpr OptionPage::Value kReset[] = {{&P::CapStatus, 0},
                                        {&P::CapComputer, 0},
                                        {&P::CapUser, 0},
                                        {&P::CapDate, 1},
                                        {&P::CapTime, 1},
                                        {&P::CapBackColor, 0x333333},
                                        {&P::CapTextColor, 0xFFFFFF},
                                        {&P::CapPosition, 1},
                                        {&P::CapTrans, 20}};

}  // namespace

const OptionPage kCaptionPage = {L"KXCaptionWndClass",
                                 597,
                                 L"Caption",
                                 1038,
                                 kGroups,
                                 kSwitches,
                                 kNumbers,
                                 kButtons,
                                 {},
                                 kReset};

}  // namespace kx
