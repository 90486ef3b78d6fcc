// Start-up rules of the process: the data folder, the single-instance rule and the
// first-run rule. The entry point strings them together (app/entry.cpp).
#pragma once

#include <windows.h>

namespace kx {

inline constexpr wchar_t kProgramKey[] = L"Software\\Halvecor\\Kestrix\\1105";
inline constexpr wchar_t kFirstRunValue[] = L"firstrun";
// On the vendor's site (kVendorSite).
inline constexpr wchar_t kInstallPage[] = L"/kestrix/?ref=install&ver=1105";
inline constexpr wchar_t kProgramFileName[] = L"Kestrix.exe";
// The tray icon's callback message; a second instance sends it to the running one.
inline constexpr UINT kTrayCallbackMessage = 102;

// Makes "<local app data>\HALVECOR\Kestrix" (creating both levels) the current directory.
// When the local application data folder is unknown the current directory stays as it is.
void EnterDataFolder();

// Whether a process's executable name is the program's (exact, case-sensitive).
bool IsProgramProcessName(const wchar_t* exeName);

enum class InstanceDecision { kContinue, kExit };

// With another main window running: asks "Restart?"; No raises the running window and
// says exit; Yes terminates every other "Kestrix.exe" and says continue (or exit when
// that fails). With none running: continue.
InstanceDecision ApplySingleInstanceRule();

// Opens the install page once per machine (or per user, where the machine key is closed).
void ApplyFirstRunRule();

}  // namespace kx
