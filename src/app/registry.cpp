#include "app/registry.h"

#include <cwchar>

namespace kx {

DWORD ReadRegistryFlag(HKEY key, const wchar_t* name, DWORD fallback) {
  DWORD type = 0, data = 0, size = sizeof(data);
  LONG status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (status != ERROR_SUCCESS || type != REG_DWORD) return fallback;
  return data != 0 ? 1 : 0;
}

LONG WriteRegistryDword(HKEY key, const wchar_t* name, DWORD value) {
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof(value));
}

LONG WriteRegistryString(HKEY key, const wchar_t* name, const wchar_t* text) {
  DWORD bytes = DWORD((std::wcslen(text) + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

}  // namespace kx
