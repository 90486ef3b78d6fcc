// What the program asks of the platform about pixels: the skinned windows unaware only where
// the platform stretches such windows (also when capture code, in physical pixels, opens
// one), and the calling thread left in the pixels it was in. Wine stretches no window, so
// the unaware case is switched on here by hand.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/about_window.h"
#include "app/app_state.h"
#include "app/main_window.h"
#include "base/pixel_space.h"
#include "toolkit_support.h"

namespace kx {
namespace {

// 0 unaware, 2 per monitor; looked up at run time, as the program does.
template <class Fn>
Fn User32(const char* name) {
  return reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
int Awareness(DPI_AWARENESS_CONTEXT context) {
  return User32<int(WINAPI*)(DPI_AWARENESS_CONTEXT)>("GetAwarenessFromDpiAwarenessContext")(
      context);
}
int WindowAwareness(HWND hwnd) {
  return Awareness(
      User32<DPI_AWARENESS_CONTEXT(WINAPI*)(HWND)>("GetWindowDpiAwarenessContext")(hwnd));
}
int ThreadAwareness() {
  return Awareness(User32<DPI_AWARENESS_CONTEXT(WINAPI*)()>("GetThreadDpiAwarenessContext")());
}

TEST(DpiPixelSpace, SkinnedWindowsAreUnawareOnlyWhereSkinsAreAndTheThreadIsLeftAsItWas) {
  test::RegisterToolkitOnce();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  MainWindow::RegisterWindowClass(instance);
  RegisterWindow<MessageWindow>(instance);
  const int before = ThreadAwareness();
  for (bool unaware : {true, false}) {
    SetUnawareSkins(unaware);
    const int skin = unaware ? 0 : 2;
    AppState state;
    const wchar_t* argv[] = {L"Kestrix.exe", L"/min"};
    HWND main = CreateMainWindow(state, 2, argv);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowAwareness(main), skin) << unaware;
    EXPECT_EQ(WindowAwareness(GetDlgItem(main, 1044)), skin) << unaware;
    EXPECT_EQ(ThreadAwareness(), before);
    // A window a capture flow opens: its failure message.
    int seenMessage = -1;
    auto recordAndClose = [](const wchar_t* className, int& seen) {
      test::RunLater(300, [className, &seen] {
        HWND window = FindWindowW(className, nullptr);
        seen = WindowAwareness(window);
        SendMessageW(window, WM_CLOSE, 0, 0);
      });
    };
    {
      ScopedPixelSpace physical(PixelSpace::kPhysical);
      recordAndClose(MessageWindow::kClassName, seenMessage);
      ShowMessageWindow(main, L"An error has occurred.");
      EXPECT_EQ(ThreadAwareness(), 2);
    }
    EXPECT_EQ(ThreadAwareness(), before) << "restored when the scope ends";
    EXPECT_EQ(seenMessage, skin) << unaware;
    DestroyWindow(main);
    MSG msg;  // the main window's quit message must not end the next modal loop
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  SetUnawareSkins(false);
}

}  // namespace
}  // namespace kx
