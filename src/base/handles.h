// Owning wrappers for platform handles: one template, a close policy per handle kind.
// Copying is deleted, moving transfers ownership; nothing here is ever "sometimes borrowed".
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace kx {

template <class Handle, class Close>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle h) : handle_(h) {}
  ~Unique() { Reset(); }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : handle_(other.Release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Close::IsValid(handle_); }
  Handle Release() { return std::exchange(handle_, Close::Invalid()); }
  void Reset(Handle h = Close::Invalid()) {
    if (Close::IsValid(handle_)) Close::Free(handle_);
    handle_ = h;
  }

 private:
  Handle handle_ = Close::Invalid();
};

template <class Handle, auto FreeFn, intptr_t InvalidValue = 0>
struct ClosePolicy {
  static Handle Invalid() { return reinterpret_cast<Handle>(InvalidValue); }
  static bool IsValid(Handle h) { return h != Invalid() && h != nullptr; }
  static void Free(Handle h) { FreeFn(h); }
};

inline void FreeGdiObject(HGDIOBJ h) {
  DeleteObject(h);
}
inline void FreeDc(HDC h) {
  DeleteDC(h);
}
inline void FreeKernelHandle(HANDLE h) {
  CloseHandle(h);
}
inline void FreeRegKey(HKEY h) {
  RegCloseKey(h);
}
inline void FreeIcon(HICON h) {
  DestroyIcon(h);
}
inline void FreeMenu(HMENU h) {
  DestroyMenu(h);
}

template <class GdiHandle>
using UniqueGdi = Unique<GdiHandle, ClosePolicy<GdiHandle, FreeGdiObject>>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueFont = UniqueGdi<HFONT>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueRgn = UniqueGdi<HRGN>;
using UniqueDc = Unique<HDC, ClosePolicy<HDC, FreeDc>>;
using UniqueHandle = Unique<HANDLE, ClosePolicy<HANDLE, FreeKernelHandle>>;
using UniqueFile = Unique<HANDLE, ClosePolicy<HANDLE, FreeKernelHandle, -1>>;
using UniqueKey = Unique<HKEY, ClosePolicy<HKEY, FreeRegKey>>;
using UniqueIcon = Unique<HICON, ClosePolicy<HICON, FreeIcon>>;
using UniqueMenu = Unique<HMENU, ClosePolicy<HMENU, FreeMenu>>;

// Selects an object into a DC for the scope and puts the previous one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's (or the screen's, for a null window) DC, released at the end of the scope.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~ScopedWindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

}  // namespace kx
