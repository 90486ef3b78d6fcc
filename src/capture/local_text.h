// Local date, time and account names as the caption and the file names show them.
#pragma once

#include <windows.h>

#include <string>

namespace kx {

// Formatted with the user's default locale; `when` null means now. Empty on failure.
std::wstring LocalDateText(const wchar_t* format, const SYSTEMTIME* when = nullptr);
std::wstring LocalTimeText(const wchar_t* format, const SYSTEMTIME* when = nullptr);
std::wstring ComputerNameText();  // empty when the platform cannot tell
std::wstring UserNameText();

}  // namespace kx
