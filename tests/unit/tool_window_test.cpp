// The tool-window frame on real windows: placement over the owner, modality, dragging by
// real mouse input, the region, the painted frame, group frames, nested windows, and the
// settings protocol with its snapshot, edit commits and keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "base/handles.h"
#include "capture/profile_values.h"
#include "resource_ids.h"
#include "toolkit_support.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/option_window.h"
#include "ui/tool_buttons.h"
#include "ui/tool_frame.h"
#include "ui/tool_window.h"
#include "ui/window_base.h"

namespace kx {
namespace {

using test::Pixels;
using test::RunLater;

constexpr wchar_t kPlainClass[] = L"KXPlainTestWndClass";
constexpr wchar_t kSampleClass[] = L"KXSampleWndClass";

// A tool window with only the single "OK" button.
class PlainWindow : public ToolWindow {
 public:
  using ToolWindow::ToolWindow;

 protected:
  void OnCreate(const CREATESTRUCTW&) override {
    RECT r;
    GetClientRect(hwnd, &r);
    CreatePlainButton(hwnd, L"OK", 1026, 172, r.bottom - 54, 91, 37);
  }
  LRESULT OnCommand(WPARAM wParam, LPARAM) override {
    if (LOWORD(wParam) == 1026 && HIWORD(wParam) == 0) CloseToolWindow(hwnd);
    return 0;
  }
};

// Every kind of control of the option windows, bound to fields of a test-owned profile.
class SampleWindow : public OptionWindow {
 public:
  SampleWindow(HWND window, CaptureProfile& edited) : OptionWindow(window, edited) {}

 protected:
  const wchar_t* Title() const override { return L"Sample Settings"; }
  void CreateOwnControls() override {
    AddGroup(L"Border", 119);
    AddSwitchRow(119, 1029, 1030, &CaptureProfile::BorStatus, 2, L"BorStatus");
    AddGroup(L"Width", 199);
    AddNumberRow(199, {1031, 1032, 1033, &CaptureProfile::BorWidth, 1, 5, L"BorWidth", L"px", 1});
    AddGroup(L"Caption", 279);
    AddCheck(CreateCheckButton(hwnd, L"Computer", 1034, 26, 286, 120, 37),
             &CaptureProfile::CapComputer);
    AddCheck(CreateBareCheckButton(hwnd, 1035, 150, 286, 37, 37, true), &CaptureProfile::CapUser);
    AddColourButton(CreateSwatchButton(hwnd, L"Colour", 1036, 192, 286, 120, 37),
                    &CaptureProfile::BorColor);
  }
  void ApplyResetValues(CaptureProfile& p) override {
    p.BorStatus = 0;
    p.BorWidth = 3;
    p.CapComputer = 1;
  }
};

void Command(HWND w, int id) {
  SendMessageW(w, WM_COMMAND, MAKEWPARAM(id, 0), LPARAM(GetDlgItem(w, id)));
}

class ToolWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::RegisterToolkitOnce();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClassOf(instance, kPlainClass, WindowProcThunk<PlainWindow>);
    RegisterWindowClassOf(instance, kSampleClass, WindowProcThunk<SampleWindow>);
  }
  void SetUp() override {
    test::MouseMoveTo({2, 2});
    std::memset(&profile, 0, sizeof(profile));
    profile.BorWidth = 2;
    profile.BorColor = 0x123456;
    profile.SetStorageFolder[0] = u'C';
  }
  static HWND Find(const wchar_t* cls) { return FindWindowW(cls, nullptr); }
  // Opens a window of `cls` over the owner; `inside` runs from the window's own loop.
  int RunWith(const wchar_t* cls, int height, const std::function<void(HWND)>& inside) {
    RunLater(50, [&] {
      HWND w = Find(cls);
      ASSERT_TRUE(w);
      inside(w);
    });
    return Open(cls, owner.hwnd(), height);
  }
  // The sample window edits this fixture's profile.
  int Open(const wchar_t* cls, HWND ownerWindow, int height) {
    auto make = [this](HWND hwnd) -> Window* { return new SampleWindow(hwnd, profile); };
    WindowMaker maker = MakerOf(make);
    return RunToolWindowOfClass(cls, ownerWindow, height, L"",
                                cls == kSampleClass ? &maker : nullptr);
  }
  static std::wstring Text(HWND w, int id) {
    wchar_t text[128] = {};
    GetDlgItemTextW(w, id, text, 128);
    return text;
  }

  test::RecordingParent owner{100, 100, 467, 571};
  CaptureProfile profile;
};

// The usual case, 435 x 398 over 467 x 571 at (100, 100), is checked on a real window.
TEST(ToolWindowGeometry, ALargerWindowStartsAboveAndLeftOfItsOwner) {
  POINT p = ToolWindowOrigin(RECT{0, 0, 300, 200}, 435, 398);
  EXPECT_EQ(p.x, -67);
  EXPECT_EQ(p.y, -99);
}

TEST(GroupFrame, DashesEverySixPixelsWhileInsideTheEdge) {
  // Widths 397 and 51 are checked pixel by pixel below.
  EXPECT_TRUE(GroupFrameDashStarts(6).empty());
  EXPECT_EQ(GroupFrameDashStarts(7), std::vector<int>{3});

  Pixels p(460, 200, [](HDC dc, int w, int h) {
    RECT all = {0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawGroupFrame(dc, L"Border", 19, 100, 397, 51);
  });
  const COLORREF dot = 0xC2C2C0, white = RGB(255, 255, 255);
  for (int s = 0; s < 397; ++s) {
    bool dash = s >= 3 && s <= 394 && (s - 3) % 6 < 2;
    EXPECT_EQ(p.At(19 + s, 100), dash ? dot : white) << "top, x + " << s;
    EXPECT_EQ(p.At(19 + s, 150), dash ? dot : white) << "bottom, x + " << s;
  }
  for (int s = 0; s < 51; ++s) {
    bool dash = s >= 3 && s <= 46 && (s - 3) % 6 < 2;
    EXPECT_EQ(p.At(19, 100 + s), dash ? dot : white) << "left, y + " << s;
    EXPECT_EQ(p.At(19 + 396, 100 + s), dash ? dot : white) << "right, y + " << s;
  }
  // The bold title stands above the frame, indented by 9.
  EXPECT_NE(p.Darkest({28, 82, 90, 100}), white);
  EXPECT_EQ(p.Darkest({19, 82, 27, 100}), white);
}

TEST(ToolFrame, PaintedFromTheSkin) {
  Pixels skin = test::ResourcePixels(IDB_TOOL_SKIN);
  const int w = 435, h = 398;
  Pixels p(w, h, [](HDC dc, int width, int height) { PaintToolFrame(dc, width, height); });
  for (int y = 0; y < 43; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(p.At(x, y), skin.At(x, y));
    for (int x = 4; x < w - 110; x += 37) EXPECT_EQ(p.At(x, y), skin.At(5, y)) << x << "," << y;
    for (int x = 0; x < 110; ++x) EXPECT_EQ(p.At(w - 110 + x, y), skin.At(210 + x, y));
  }
  for (int y = 43; y < h - 4; y += 13)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(p.At(x, y), skin.At(x, 30));
      EXPECT_EQ(p.At(w - 3 + x, y), skin.At(x, 30));
    }
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(p.At(x, h - 4 + y), skin.At(x, 43 + y));
      EXPECT_EQ(p.At(w - 4 + x, h - 4 + y), skin.At(316 + x, 43 + y));
    }
    EXPECT_EQ(p.At(200, h - 4 + y), skin.At(5, 43 + y));
  }
  EXPECT_EQ(p.At(3, 43), RGB(255, 255, 255));
  EXPECT_EQ(p.At(w - 4, h - 5), RGB(255, 255, 255));
  EXPECT_EQ(p.At(200, 200), RGB(255, 255, 255));
  // The separator from (15, 83) up to, not including, (W - 15, 83).
  EXPECT_EQ(p.At(14, 83), RGB(255, 255, 255));
  EXPECT_EQ(p.At(15, 83), COLORREF(0xDBD9D9));
  EXPECT_EQ(p.At(w - 16, 83), COLORREF(0xDBD9D9));
  EXPECT_EQ(p.At(w - 15, 83), RGB(255, 255, 255));
  EXPECT_EQ(p.At(200, 82), RGB(255, 255, 255));
}

TEST_F(ToolWindowTest, OpensCentredOverItsDisabledOwnerAndGivesTheActivationBack) {
  HWND ownerWindow = owner.hwnd();
  bool checked = false;
  const int code = RunWith(kPlainClass, 398, [&](HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 116);
    EXPECT_EQ(r.top, 186);
    EXPECT_EQ(r.right - r.left, 435);
    EXPECT_EQ(r.bottom - r.top, 398);
    EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & WS_POPUP, LONG(WS_POPUP));
    EXPECT_EQ(GetWindow(w, GW_OWNER), ownerWindow);
    EXPECT_FALSE(IsWindowEnabled(ownerWindow));
    UniqueRgn region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(w, region.Get()), ERROR);
    // Cut corners with their four toggled pixels, at this window's size.
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 434, 397));
    UniqueRgn plain(CreateRoundRectRgn(0, 0, 436, 399, 8, 8));
    for (POINT c : {POINT{1, 1}, POINT{433, 1}, POINT{1, 396}, POINT{433, 396}})
      EXPECT_NE(PtInRegion(region.Get(), c.x, c.y), PtInRegion(plain.Get(), c.x, c.y));
    checked = true;
    // "OK" by a real click.
    POINT ok = test::ClientToScreenPoint(w, 172 + 45, 398 - 54 + 18);
    test::MouseMoveTo(ok);
    test::MouseDown();
    test::MouseUp();
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(checked);
  EXPECT_FALSE(Find(kPlainClass));
  EXPECT_TRUE(IsWindowEnabled(ownerWindow));
  EXPECT_EQ(GetActiveWindow(), ownerWindow);
}

TEST_F(ToolWindowTest, FailedCreationReturnsWithoutDisablingTheOwner) {
  EXPECT_EQ(Open(L"KXNoSuchWndClass", owner.hwnd(), 398), 0);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
}

// Presses at the client point, drags by (40, 30) and releases, from a second thread,
// because the move loop of the drag runs inside this thread's message dispatch.
RECT DragFrom(HWND w, int x, int y) {
  POINT start = test::ClientToScreenPoint(w, x, y);
  std::atomic<bool> done = false;
  std::thread input([&] {
    test::RawMoveTo(start);
    Sleep(100);
    test::RawButton(true);
    Sleep(100);
    for (int i = 1; i <= 4; ++i) {
      test::RawMoveTo({start.x + 10 * i, start.y + 7 * i + (i == 4 ? 2 : 0)});
      Sleep(60);
    }
    test::RawButton(false);
    Sleep(150);
    done = true;
  });
  test::PumpUntil([&] { return done.load(); }, 5000);
  input.join();
  test::PumpFor(50);
  RECT r;
  GetWindowRect(w, &r);
  return r;
}

TEST_F(ToolWindowTest, DragsFromTheTop29RowsOnly) {
  RunWith(kPlainClass, 238, [&](HWND w) {
    RECT start;
    GetWindowRect(w, &start);
    RECT moved = DragFrom(w, 200, 28);
    EXPECT_EQ(moved.left, start.left + 40);
    EXPECT_EQ(moved.top, start.top + 30);
    RECT still = DragFrom(w, 200, 29);
    EXPECT_EQ(still.left, moved.left);
    EXPECT_EQ(still.top, moved.top);
    PostMessageW(w, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
}

TEST_F(ToolWindowTest, NestedWindowsDisableAndReleaseTheirOwnOwners) {
  HWND ownerWindow = owner.hwnd();
  int innerCode = -1;
  RunLater(50, [&] {
    HWND outer = Find(kPlainClass);
    ASSERT_TRUE(outer);
    RunLater(50, [&, outer] {
      HWND inner = Find(kSampleClass);
      ASSERT_TRUE(inner);
      EXPECT_EQ(GetWindow(inner, GW_OWNER), outer);
      EXPECT_FALSE(IsWindowEnabled(outer));
      EXPECT_FALSE(IsWindowEnabled(ownerWindow));
      Command(inner, kOkId);
    });
    innerCode = Open(kSampleClass, outer, 398);
    EXPECT_TRUE(IsWindowEnabled(outer));
    EXPECT_FALSE(IsWindowEnabled(ownerWindow));
    EXPECT_TRUE(IsWindow(outer));
    PostMessageW(outer, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Open(kPlainClass, ownerWindow, 238), 0);
  EXPECT_EQ(innerCode, 0);
  EXPECT_TRUE(IsWindowEnabled(ownerWindow));
}

TEST_F(ToolWindowTest, EnterAndEscapeDoNotCloseASettingsWindow) {
  RunWith(kSampleClass, 398, [&](HWND w) {
    SetForegroundWindow(w);
    SetFocus(GetDlgItem(w, kResetId));
    INPUT keys[4] = {};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
    keys[2].ki.wVk = keys[3].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    RunLater(300, [w] {
      EXPECT_TRUE(IsWindow(w));
      Command(w, kOkId);
    });
  });
  EXPECT_FALSE(Find(kSampleClass));
}

// Changes through the window's own controls, plus fields the window does not show.
void ChangeEverything(HWND w, CaptureProfile& p) {
  Command(w, 1029);  // switch: BorStatus 0 -> 1
  SendDlgItemMessageW(w, 1031, BXM_VALUE, kSetSilently, 4);
  Command(w, 1031);  // spin: BorWidth 4
  SendDlgItemMessageW(w, 1034, BXM_CHECK, kSetSilently, 1);
  Command(w, 1034);  // check: CapComputer 1
  Command(w, kResetId);
  p.OutJPEGQuality = 33;
  p.SetStorageFolder[0] = u'Z';
}

TEST_F(ToolWindowTest, CancelRestoresEveryByteOkAndCloseKeepTheChanges) {
  const CaptureProfile before = profile;
  RunWith(kSampleClass, 398, [&](HWND w) {
    Command(w, 1029);
    EXPECT_EQ(profile.BorStatus, 1u);
    wchar_t shown[128] = {};
    ProfileValueText(profile, L"BorStatus", shown);
    EXPECT_EQ(Text(w, 1030), shown);
    Command(w, 1029);
    EXPECT_EQ(profile.BorStatus, 0u) << "two choices wrap";
    SendDlgItemMessageW(w, 1031, BXM_VALUE, kSetSilently, 4);
    Command(w, 1031);
    EXPECT_EQ(profile.BorWidth, 4u);
    EXPECT_EQ(Text(w, 1032), L"4");
    SendDlgItemMessageW(w, 1035, BXM_CHECK, kSetSilently, 1);
    Command(w, 1035);
    EXPECT_EQ(profile.CapUser, 1u);
    Command(w, kResetId);
    EXPECT_EQ(profile.BorWidth, 3u);
    EXPECT_EQ(Text(w, 1032), L"3");
    EXPECT_EQ(SendDlgItemMessageW(w, 1031, BXM_VALUE, 0, 0), 3);
    EXPECT_EQ(SendDlgItemMessageW(w, 1034, BXM_CHECK, 0, 0), 1);
    EXPECT_TRUE(IsWindow(w)) << "Reset keeps the window open";
    ChangeEverything(w, profile);
    Command(w, 4242);  // unknown ids are ignored
    Command(w, kCancelId);
  });
  EXPECT_EQ(std::memcmp(&profile, &before, sizeof(profile)), 0);

  for (bool viaClose : {false, true}) {
    profile = before;
    RunWith(kSampleClass, 398, [&](HWND w) {
      ChangeEverything(w, profile);
      if (viaClose)
        PostMessageW(w, WM_CLOSE, 0, 0);
      else
        Command(w, kOkId);
    });
    EXPECT_EQ(profile.BorStatus, 0u) << viaClose;  // Reset came after the switch
    EXPECT_EQ(profile.BorWidth, 3u);
    EXPECT_EQ(profile.CapComputer, 1u);
    EXPECT_EQ(profile.OutJPEGQuality, 33u);
    EXPECT_EQ(profile.SetStorageFolder[0], u'Z');
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  }
}

TEST_F(ToolWindowTest, EditBoxesCommitClampedValuesWhenTheyLoseTheFocus) {
  RunWith(kSampleClass, 398, [&](HWND w) {
    HWND inner = GetDlgItem(GetDlgItem(w, 1032), kInnerEditId);
    EXPECT_EQ(SendMessageW(inner, EM_GETLIMITTEXT, 0, 0), 1);
    auto typeAndLeave = [&](const wchar_t* text, bool byRealClick) {
      SetFocus(inner);
      SetWindowTextW(inner, text);
      if (byRealClick) {
        test::MouseMoveTo(test::ClientToScreenPoint(w, 300, 240));  // window background
        test::MouseDown();
        test::MouseUp();
      } else {
        SetFocus(w);
      }
    };
    typeAndLeave(L"9", true);
    EXPECT_EQ(profile.BorWidth, 5u);
    EXPECT_EQ(Text(w, 1032), L"5");
    EXPECT_EQ(SendDlgItemMessageW(w, 1031, BXM_VALUE, 0, 0), 5);
    typeAndLeave(L"", false);
    EXPECT_EQ(profile.BorWidth, 1u) << "no number reads as 0 and clamps to the minimum";
    EXPECT_EQ(Text(w, 1032), L"1");
    typeAndLeave(L"4", false);
    EXPECT_EQ(profile.BorWidth, 4u);
    typeAndLeave(L"x", false);
    EXPECT_EQ(profile.BorWidth, 1u);
    Command(w, kOkId);
  });
  // Above the range and empty are covered above; a number with the sign bit set is negative.
  EXPECT_EQ(ClampEditValue(0xFFFFFFFFu, 1, 5), 1);
  EXPECT_EQ(ClampEditValue(0x80000000u, 1, 500), 1);
}

TEST_F(ToolWindowTest, SampleWindowScreenshotHoldsEveryKindOfControl) {
  profile.BorWidth = 3;
  profile.CapComputer = 1;
  bool saved = false;
  RunWith(kSampleClass, 398, [&](HWND w) {
    test::PumpFor(300);
    RECT r;
    GetWindowRect(w, &r);
    UniqueBitmap shot(test::GrabScreen(r));
    // The frame itself is checked by PaintedFromTheSkin; here, that the title is drawn on it.
    EXPECT_NE(Pixels(shot.Get()).Darkest({19, 48, 200, 67}), RGB(255, 255, 255)) << "the heading";
    saved = test::SavePng(shot.Get(), test::ArtifactPath(L"tool_window.png"));
    Command(w, kOkId);
  });
  EXPECT_TRUE(saved);
}

}  // namespace
}  // namespace kx
