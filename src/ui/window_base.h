// The one window base of the program: every window and control is a Window, reached from
// the window procedure through extra window word 0.
//
// The object is made at WM_NCCREATE, the first message that carries the creation data, and
// freed at WM_NCDESTROY, the last message a window receives; messages before and after
// return 0. A handler may run a nested loop (a tool window, an overlay, a platform dialog)
// in which something else destroys the window: the main window closed by another program,
// a log-off. The object then lives on until that handler has returned, so the code after the
// loop never touches freed memory; it asks Alive() before it goes on. WM_NCCREATE then goes on to the default processing, which stores the window text.
// A class whose object needs only its handle is made as T(hwnd); one that needs more is made
// through a WindowMaker passed as the creation parameter (CreateWindowOf, RunToolWindow).
#pragma once

#include <windows.h>

#include <new>
#include <type_traits>
#include <utility>

namespace kx {

// Extra window bytes that every class of the program reserves: one pointer.
inline constexpr int kWindowExtraBytes = sizeof(LONG_PTR);

class Window {
 public:
  explicit Window(HWND window) : hwnd(window) {}
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // False once the window has been destroyed (the object may outlive it, see above).
  bool Alive() const { return !destroyed_; }
  // The whole client area as WM_PAINT shows it, composed into `dc` (an off-screen bitmap of
  // the client size, or any DC a test gives).
  virtual void Paint(HDC /*dc*/, int /*width*/, int /*height*/) const {}

  const HWND hwnd;

 protected:
  virtual void OnCreate(const CREATESTRUCTW& /*create*/) {}
  // Composes Paint off-screen and copies it once.
  virtual void OnPaint();
  virtual LRESULT OnCommand(WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }
  virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
  virtual void OnTimer(UINT_PTR /*id*/) {}
  // Mouse points are client coordinates; `keys` is the message's wParam.
  virtual LRESULT OnMouseMove(POINT /*client*/, WPARAM /*keys*/) { return 0; }
  // WM_LBUTTONDOWN, WM_RBUTTONDOWN or WM_MBUTTONDOWN, and the matching ...UP.
  virtual void OnButtonDown(UINT /*message*/, POINT /*client*/, WPARAM /*keys*/) {}
  virtual void OnButtonUp(UINT /*message*/, POINT /*client*/, WPARAM /*keys*/) {}
  virtual void OnClose() { DestroyWindow(hwnd); }
  virtual void OnDestroy() {}
  // Every other message; the default processing unless a window wants one of its own.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  HWND Control(int id) const { return GetDlgItem(hwnd, id); }
  // Repaints on the next WM_PAINT, without erasing.
  void Invalidate() const { InvalidateRect(hwnd, nullptr, FALSE); }

 private:
  friend LRESULT DispatchToObject(Window* object, UINT message, WPARAM wParam, LPARAM lParam);
  int handlersRunning_ = 0;
  bool destroyed_ = false;
};

// Hands a message to the window's object; at WM_NCDESTROY frees it, or marks it to be freed
// when the last of its handlers still running returns.
LRESULT DispatchToObject(Window* object, UINT message, WPARAM wParam, LPARAM lParam);

template <class T>
T* WindowObject(HWND hwnd) {
  return static_cast<T*>(reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, 0)));
}

// Makes the object of a window whose constructor takes more than the handle: the creation
// parameter of such a window points at one of these.
struct WindowMaker {
  Window* (*make)(HWND hwnd, void* context);
  void* context;
};

template <class Make>
WindowMaker MakerOf(Make& make) {
  return {[](HWND hwnd, void* context) -> Window* { return (*static_cast<Make*>(context))(hwnd); },
          &make};
}

template <class T>
LRESULT CALLBACK WindowProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    Window* object = nullptr;
    if constexpr (std::is_constructible_v<T, HWND>) {
      object = new (std::nothrow) T(hwnd);
    } else {
      auto* maker = static_cast<const WindowMaker*>(
          reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
      if (maker) object = maker->make(hwnd, maker->context);
    }
    if (!object) return FALSE;
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  Window* object = WindowObject<Window>(hwnd);
  if (!object) return 0;
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, 0, 0);
  return DispatchToObject(object, message, wParam, lParam);
}

// Registers a class the way every window and control of the program is registered:
// class style 0, kWindowExtraBytes, a standard cursor (the arrow unless named), no brush or
// menu; an icon when one is named.
bool RegisterWindowClassOf(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT iconId = 0,
                           const wchar_t* cursor = IDC_ARROW);

// A window type names its class in `static constexpr const wchar_t* kClassName`, and may name
// another standard cursor in `static inline const wchar_t* const kCursor`.
template <class T>
bool RegisterWindow(HINSTANCE instance) {
  if constexpr (requires { T::kCursor; })
    return RegisterWindowClassOf(instance, T::kClassName, WindowProcThunk<T>, 0, T::kCursor);
  else
    return RegisterWindowClassOf(instance, T::kClassName, WindowProcThunk<T>);
}

struct WindowPlacement {
  DWORD exStyle = 0;
  DWORD style = WS_POPUP;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
  const wchar_t* text = L"";
};

// Creates a window of a class of this program; `maker` (may be null) is its creation parameter.
HWND CreateWindowWithMaker(const wchar_t* className, const WindowPlacement& placement,
                           const WindowMaker* maker);

// Calls use(maker) with the maker of a T(hwnd, args...), or with null when T is made from its
// handle alone; the maker lives as long as the call.
template <class T, class Use, class... Args>
auto WithMakerOf(Use&& use, Args&&... args) {
  if constexpr (sizeof...(Args) == 0 && std::is_constructible_v<T, HWND>) {
    return use(static_cast<const WindowMaker*>(nullptr));
  } else {
    static_assert(!std::is_constructible_v<T, HWND>,
                  "a window made with arguments must not also be constructible from its handle");
    auto make = [&](HWND hwnd) -> Window* {
      return new (std::nothrow) T(hwnd, std::forward<Args>(args)...);
    };
    WindowMaker maker = MakerOf(make);
    return use(static_cast<const WindowMaker*>(&maker));
  }
}

// Creates a window of T, made as T(hwnd, args...) when it takes arguments.
template <class T, class... Args>
HWND CreateWindowOf(const WindowPlacement& placement, Args&&... args) {
  return WithMakerOf<T>(
      [&](const WindowMaker* maker) {
        return CreateWindowWithMaker(T::kClassName, placement, maker);
      },
      std::forward<Args>(args)...);
}

}  // namespace kx
