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
constexpr OptionPage::Switch kSwitches[] = {
    {119, 1029, 1039, &P::CapStatus, kFlipFlag, L"CapStatus"},
    {398, 1036, 1046, &P::CapPosition, kFlipFlag, L"CapPosition"}};
constexpr OptionPage::Number kNumbers[] = {
    {478, {1037, 1048, 1047, &P::CapTrans, 0, 100, L"CapTrans", L"%", 3}}};
// The buttons of a group come first, then their labels.
constexpr OptionPage::Button kButtons[] = {
    {B::kCheck, 1030, 26, 206, &P::CapComputer},   {B::kCheck, 1031, 219, 206, &P::CapUser},
    {B::kCheck, 1032, 26, 245, &P::CapDate},       {B::kCheck, 1033, 219, 245, &P::CapTime},
    {B::kColour, 1034, 26, 325, &P::CapBackColor}, {B::kColour, 1035, 219, 325, &P::CapTextColor}};
constexpr OptionPage::Text kLabels[] = {
    {L"Computer name", 1040, 68, 206, 146}, {L"User name", 1041, 261, 206, 146},
    {L"Date", 1042, 68, 245, 146},          {L"Time", 1043, 261, 245, 146},
    {L"Background", 1044, 68, 325, 146},    {L"Text", 1045, 261, 325, 146}};
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
                                 kLabels,
                                 kReset};

}  // namespace kx
