// A function of a system library, looked up at run time instead of imported. Every imported
// library is loaded and initialised before the program's first line runs; those needed only
// by a later command (the colour chooser, the capture sound, the help viewer) are loaded when
// that command first runs, so that the main window is shown sooner. The library stays loaded.
#pragma once

#include <windows.h>

namespace kx {

// Null when the library or the function is missing.
template <class Function>
Function LoadSystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace kx
