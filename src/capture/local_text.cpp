#include "capture/local_text.h"

namespace kx {
namespace {

constexpr int kDateTimeChars = 9;
constexpr DWORD kNameChars = 99;

}  // namespace

std::wstring LocalDateText(const wchar_t* format, const SYSTEMTIME* when) {
  wchar_t text[kDateTimeChars] = {};
  if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_USE_ALT_CALENDAR, when, format, text,
                      kDateTimeChars))
    return {};
  return text;
}

std::wstring LocalTimeText(const wchar_t* format, const SYSTEMTIME* when) {
  wchar_t text[kDateTimeChars] = {};
  if (!GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT, when, format, text,
                      kDateTimeChars))
    return {};
  return text;
}

std::wstring ComputerNameText() {
  wchar_t name[kNameChars] = {};
  DWORD size = kNameChars;
  if (!GetComputerNameW(name, &size)) return {};
  return name;
}

std::wstring UserNameText() {
  wchar_t name[kNameChars] = {};
  DWORD size = kNameChars;
  if (!GetUserNameW(name, &size)) return {};
  return name;
}

}  // namespace kx
