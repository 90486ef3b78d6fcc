// The message and About windows: modality, both ways out, texts drawn on one clipped line.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "app/about_window.h"
#include "toolkit_support.h"
#include "ui/tool_window.h"

namespace kx {
namespace {

using test::PumpUntil;
using test::RunLater;

class InfoWindowsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::RegisterToolkitOnce();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindow<MessageWindow>(instance);
    RegisterWindow<AboutWindow>(instance);
  }

  // What the open window looked like, read while it runs its own loop.
  struct Seen {
    HWND window = nullptr;
    bool ownerEnabled = true;
    RECT rect = {};
    wchar_t heading[64] = {};
    wchar_t text[512] = {};
  };

  // Runs `open` with an action scheduled inside its loop that records and then closes.
  Seen RunAndClose(const wchar_t* className, const std::function<void()>& open, bool withOk) {
    Seen seen;
    RunLater(300, [&] {
      seen.window = FindWindowW(className, nullptr);
      seen.ownerEnabled = IsWindowEnabled(owner.hwnd());
      GetWindowRect(seen.window, &seen.rect);
      GetWindowTextW(GetDlgItem(seen.window, 1027), seen.heading, 64);
      GetWindowTextW(seen.window, seen.text, 512);
      picture = test::GrabScreen(seen.rect);
      if (withOk)
        SendMessageW(seen.window, WM_COMMAND, 1026, LPARAM(GetDlgItem(seen.window, 1026)));
      else
        SendMessageW(seen.window, WM_CLOSE, 0, 0);
    });
    open();
    return seen;
  }

  test::RecordingParent owner{100, 100, 467, 571};
  HBITMAP picture = nullptr;

  void TearDown() override {
    if (picture) DeleteObject(picture);
  }
};

TEST_F(InfoWindowsTest, BothAreModalCentredAndCloseWithOkOrClose) {
  const struct {
    const wchar_t* className;
    std::function<void()> open;
    int height;
    const wchar_t *heading, *text;
  } windows[] = {
      {MessageWindow::kClassName,
       [&] { ShowMessageWindow(owner.hwnd(), L"An error has occurred."); }, 238, L"Information",
       L"An error has occurred."},
      {AboutWindow::kClassName, [&] { RunAboutWindow(owner.hwnd()); }, 373, L"About", L""},
  };
  for (const auto& w : windows)
    for (bool withOk : {true, false}) {
      SCOPED_TRACE(testing::Message() << w.heading << (withOk ? " OK" : " close"));
      Seen seen = RunAndClose(w.className, w.open, withOk);
      ASSERT_NE(seen.window, nullptr);
      EXPECT_FALSE(seen.ownerEnabled);
      EXPECT_EQ(seen.rect.left, 116);
      EXPECT_EQ(seen.rect.top, 100 + (571 - w.height) / 2);
      EXPECT_EQ(seen.rect.bottom - seen.rect.top, w.height);
      EXPECT_STREQ(seen.heading, w.heading);
      EXPECT_STREQ(seen.text, w.text);
      EXPECT_FALSE(IsWindow(seen.window));
      EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
      if (picture) DeleteObject(std::exchange(picture, nullptr));
    }
}

TEST_F(InfoWindowsTest, MessageTextStaysOnOneLineClippedAtItsBox) {
  // A long text: 300 characters of "W" with a line feed in the middle.
  std::wstring text = std::wstring(150, L'W') + L"\n" + std::wstring(149, L'W');
  Seen seen = RunAndClose(
      MessageWindow::kClassName, [&] { ShowMessageWindow(owner.hwnd(), text.c_str()); }, true);
  ASSERT_NE(picture, nullptr);
  test::Pixels pixels(picture);
  test::SavePng(picture, test::ArtifactPath(L"message_window_long.png"));
  // Text only in the row band of the one centred line, and clipped at x 20 .. W - 20.
  auto inkIn = [&](int x0, int y0, int x1, int y1) {
    COLORREF c = pixels.Darkest(RECT{x0, y0, x1, y1});
    return GetRValue(c) < 150;
  };
  EXPECT_TRUE(inkIn(20, 101, 415, 169));
  EXPECT_FALSE(inkIn(20, 101, 415, 125));   // no first line of a wrap above the middle
  EXPECT_FALSE(inkIn(20, 145, 415, 169));   // nor a second one below it
  EXPECT_FALSE(inkIn(3, 110, 19, 160));     // clipped on the left
  EXPECT_FALSE(inkIn(416, 110, 432, 160));  // and on the right
  // The window text itself is not cut; only the drawing is.
  EXPECT_EQ(std::wstring(seen.text).size(), 300u);
}

}  // namespace
}  // namespace kx
