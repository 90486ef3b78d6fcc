#include "options/file_format_window.h"

namespace kx {
namespace {

using P = CaptureProfile;
constexpr OptionPage::Group kGroups[] = {{L"Name", 119}, {L"Format", 199}, {L"JPEG Quality", 279}};
constexpr OptionPage::Switch kSwitches[] = {{119, 1029, 1033, &P::OutFilename, 2, L"OutFilename"},
                                            {199, 1030, 1034, &P::OutFormat, 3, L"OutFormat"}};
// The quality stays editable whatever the format; only JPEG files use it.
constexpr OptionPage::Number kNumbers[] = {
    {279, {1031, 1035, 0, &P::OutJPEGQuality, 0, 100, L"OutJPEGQuality", nullptr, 3}}};
// The naming is a choice of where files go, not of how they look, so Reset keeps it.
constexpr OptionPage::Value kReset[] = {{&P::OutFormat, 0}, {&P::OutJPEGQuality, 100}};

}  // namespace

const OptionPage kFileFormatPage = {L"KXFileFormatWndClass",
                                    398,
                                    L"Output File Properties",
                                    1032,
                                    kGroups,
                                    kSwitches,
                                    kNumbers,
                                    {},
                                    {},
                                    kReset};

}  // namespace kx
