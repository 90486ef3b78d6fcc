// The one window-procedure thunk that every window and control of the program shares.
// The object is made at WM_NCCREATE and kept in extra window word 0; it is freed at
// WM_NCDESTROY, the last message a window receives. Until the object exists, and after
// it is gone, messages return 0.
#pragma once

#include <windows.h>

#include <new>

namespace kx {

// Extra window bytes that every class of the program reserves: one pointer.
inline constexpr int kWindowExtraBytes = sizeof(LONG_PTR);

template <class T>
T* WindowObject(HWND hwnd) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, 0));
}

// Registers a class the way every window and control of the program is registered:
// class style 0, kWindowExtraBytes, arrow cursor, no brush, icon or menu.
inline bool RegisterPlainWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = kWindowExtraBytes;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

// T must be constructible from its HWND and provide
//   LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
// The thunk answers WM_NCCREATE itself (TRUE, no default processing) when the object was made.
template <class T>
LRESULT CALLBACK WindowProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    T* object = new (std::nothrow) T(hwnd);
    if (!object) return FALSE;
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
    return TRUE;
  }
  T* object = WindowObject<T>(hwnd);
  if (!object) return 0;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, 0, 0);
    delete object;
    return 0;
  }
  return object->HandleMessage(message, wParam, lParam);
}

}  // namespace kx
