#include "select/timer_window.h"

namespace kx {
namespace {

using P = CaptureProfile;
constexpr OptionPage::Group kGroups[] = {{L"Status", 119}, {L"Timer", 199}};
constexpr OptionPage::Switch kSwitches[] = {
    {119, 1029, 1034, &P::TimStatus, kFlipFlag, L"TimStatus"}};
// One row of three two-digit spin-and-edit pairs, 85 pixels apart, with a colon after the
// first two in the place of a unit.
constexpr OptionPage::Number kNumbers[] = {
    {199,
     {1030, 1038, 1035, &P::TimTimeHour, 0, 59, L"TimTimeHour", L":", 2, ES_NUMBER, 26, 33, 78, 3}},
    {199,
     {1031, 1039, 1036, &P::TimTimeMin, 0, 59, L"TimTimeMin", L":", 2, ES_NUMBER, 111, 33, 78, 3}},
    {199, {1032, 1040, 0, &P::TimTimeSec, 0, 59, L"TimTimeSec", nullptr, 2, ES_NUMBER, 196, 33}}};
constexpr ProfileField kFromDefaults[] = {&P::TimStatus, &P::TimTimeHour, &P::TimTimeMin,
                                          &P::TimTimeSec};

}  // namespace

// An interval of zero would capture without pause, so OK makes the seconds at least 1,
// whatever the hours and minutes.
const OptionPage kTimerPage = {L"KXTimerWndClass", 318,           L"Timer", 1033, kGroups,
                               kSwitches,          kNumbers,      {},       {},   {},
                               kFromDefaults,      &P::TimTimeSec};

}  // namespace kx
