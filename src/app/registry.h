// The three small registry operations the shell uses (first-run flag, Run value).
#pragma once

#include <windows.h>

namespace kx {

// 1 or 0 for a stored REG_DWORD (non-zero or zero); `fallback` when the value is missing,
// has another type, or cannot be read.
DWORD ReadRegistryFlag(HKEY key, const wchar_t* name, DWORD fallback);
// Returns the RegSetValueExW status.
LONG WriteRegistryDword(HKEY key, const wchar_t* name, DWORD value);
// Stores the text with its terminating zero; returns the RegSetValueExW status.
LONG WriteRegistryString(HKEY key, const wchar_t* name, const wchar_t* text);

}  // namespace kx
