// The tool-window frame on real windows: the painted frame and group frames, placement over
// the owner, modality, nesting, the drag band, and the settings protocol with its snapshot.
// Each option window's rows are checked end to end.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>

#include "base/handles.h"
#include "capture/profile_values.h"
#include "resource_ids.h"
#include "toolkit_support.h"
#include "ui/button.h"
#include "ui/option_window.h"
#include "ui/tool_buttons.h"
#include "ui/tool_frame.h"
#include "ui/tool_window.h"
#include "ui/window_base.h"

namespace kx {
namespace {

using test::Pixels;
using test::RunLater;

constexpr wchar_t kSampleClass[] = L"KXSampleWndClass";
const COLORREF kWhite = RGB(255, 255, 255);

TEST(GroupFrame, DashesEverySixPixelsWhileInsideTheEdge) {
  EXPECT_TRUE(GroupFrameDashStarts(6).empty());
  EXPECT_EQ(GroupFrameDashStarts(7), std::vector<int>{3});
  Pixels p(460, 200, [](HDC dc, int w, int h) {
    RECT all = {0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawGroupFrame(dc, L"Border", 19, 100, 397, 51);
  });
  // Dashes start 3 in and end by 394 along the top and bottom, by 46 down the sides.
  auto dashed = [](int s, int last) { return s >= 3 && s <= last && (s - 3) % 6 < 2; };
  for (int s = 0; s < 397; ++s)
    for (int y : {100, 150})
      EXPECT_EQ(p.At(19 + s, y), dashed(s, 394) ? 0xC2C2C0 : kWhite) << "x + " << s << ", y " << y;
  for (int s = 0; s < 51; ++s)
    for (int x : {19, 19 + 396})
      EXPECT_EQ(p.At(x, 100 + s), dashed(s, 46) ? 0xC2C2C0 : kWhite) << "x " << x << ", y + " << s;
  // The bold title stands above the frame, indented by 9.
  EXPECT_NE(p.Darkest({28, 82, 90, 100}), kWhite);
  EXPECT_EQ(p.Darkest({19, 82, 27, 100}), kWhite);
}

TEST(ToolFrame, PaintedFromTheSkin) {
  Pixels skin = test::ResourcePixels(IDB_TOOL_SKIN);
  const int w = 435, h = 398;
  Pixels p(w, h, [](HDC dc, int width, int height) { PaintToolFrame(dc, width, height); });
  int wrong = 0;
  for (int y = 0; y < 43; ++y) {  // the title band: ends copied, middle stretched
    for (int x = 0; x < 4; ++x) wrong += p.At(x, y) != skin.At(x, y);
    for (int x = 4; x < w - 110; x += 37) wrong += p.At(x, y) != skin.At(5, y);
    for (int x = 0; x < 110; ++x) wrong += p.At(w - 110 + x, y) != skin.At(210 + x, y);
  }
  for (int y = 43; y < h - 4; y += 13)
    for (int x = 0; x < 3; ++x)
      wrong += p.At(x, y) != skin.At(x, 30) || p.At(w - 3 + x, y) != skin.At(x, 30);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x)
      wrong += p.At(x, h - 4 + y) != skin.At(x, 43 + y) ||
               p.At(w - 4 + x, h - 4 + y) != skin.At(316 + x, 43 + y);
    wrong += p.At(200, h - 4 + y) != skin.At(5, 43 + y);
  }
  EXPECT_EQ(wrong, 0);
  // The body is white, and the separator runs from (15, 83) up to, not including, (W - 15, 83).
  for (POINT white : {POINT{3, 43}, {w - 4, h - 5}, {14, 83}, {w - 15, 83}, {200, 82}})
    EXPECT_EQ(p.At(white.x, white.y), kWhite) << white.x << "," << white.y;
  EXPECT_EQ(p.At(15, 83) + p.At(w - 16, 83), 2 * COLORREF(0xDBD9D9));
}

// A switch, a number and a check, bound to fields of a test-owned profile.
class SampleWindow : public OptionWindow {
 public:
  SampleWindow(HWND window, CaptureProfile& edited) : OptionWindow(window, edited) {}

 protected:
  const wchar_t* Title() const override { return L"Sample Settings"; }
  void CreateOwnControls() override {
    AddSwitchRow(119, 1029, 1030, &CaptureProfile::BorStatus, 2, L"BorStatus");
    AddNumberRow(199, {1031, 1032, 1033, &CaptureProfile::BorWidth, 1, 5, L"BorWidth", L"px", 1});
    AddCheck(CreateCheckButton(hwnd, L"User", 1034, 26, 286, 120, 37), &CaptureProfile::CapUser);
  }
  void ApplyResetValues(CaptureProfile& p) override { p.BorStatus = 0, p.BorWidth = 3; }
};

void Command(HWND w, int id) {
  SendMessageW(w, WM_COMMAND, MAKEWPARAM(id, 0), LPARAM(GetDlgItem(w, id)));
}

class ToolWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::RegisterToolkitOnce();
    RegisterWindowClassOf(GetModuleHandleW(nullptr), kSampleClass, WindowProcThunk<SampleWindow>);
  }
  void SetUp() override {
    std::memset(&profile, 0, sizeof(profile));
    profile.BorWidth = 2;
    profile.BorColor = 0x123456;
    profile.SetStorageFolder[0] = u'C';
  }
  // Opens a sample window over `ownerWindow`; `inside` runs from the window's own loop.
  int RunWith(HWND ownerWindow, const std::function<void(HWND)>& inside) {
    RunLater(50, [&] {
      HWND w = FindWindowW(kSampleClass, nullptr);
      ASSERT_TRUE(w);
      inside(w);
    });
    auto make = [this](HWND hwnd) -> Window* { return new SampleWindow(hwnd, profile); };
    WindowMaker maker = MakerOf(make);
    return RunToolWindowOfClass(kSampleClass, ownerWindow, 398, L"", &maker);
  }

  test::RecordingParent owner{100, 100, 467, 571};
  CaptureProfile profile;
};

// The About window's place over the main window and dragging by the top band are checked end
// to end; the main window and the tool windows share the hit test.
TEST_F(ToolWindowTest, OpensOverItsDisabledOwnerNestsAndGivesTheActivationBack) {
  const POINT origin = ToolWindowOrigin(RECT{0, 0, 300, 200}, 435, 398);
  EXPECT_EQ(origin.x * 1000 + origin.y, -67 * 1000 - 99) << "larger than its owner: above and left";
  EXPECT_EQ(RunToolWindowOfClass(L"KXNoSuchWndClass", owner.hwnd(), 398, L"", nullptr), 0);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd())) << "a failed creation leaves the owner enabled";

  const HWND ownerWindow = owner.hwnd();
  const int code = RunWith(ownerWindow, [&](HWND outer) {
    RECT r;
    GetWindowRect(outer, &r);
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
              std::vector<LONG>({116, 186, 551, 584}));
    EXPECT_EQ(GetWindow(outer, GW_OWNER), ownerWindow);
    EXPECT_FALSE(IsWindowEnabled(ownerWindow));
    for (auto [y, hit] : {std::pair{28, HTCAPTION}, {29, HTCLIENT}})
      EXPECT_EQ(SendMessageW(outer, WM_NCHITTEST, 0, MAKELPARAM(r.left + 200, r.top + y)), hit);
    // Cut corners with their four toggled pixels, at this window's size.
    UniqueRgn region(CreateRectRgn(0, 0, 0, 0)), plain(CreateRoundRectRgn(0, 0, 436, 399, 8, 8));
    ASSERT_NE(GetWindowRgn(outer, region.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0) || PtInRegion(region.Get(), 434, 397));
    for (POINT c : {POINT{1, 1}, POINT{433, 1}, POINT{1, 396}, POINT{433, 396}})
      EXPECT_NE(PtInRegion(region.Get(), c.x, c.y), PtInRegion(plain.Get(), c.x, c.y));
    const int innerCode = RunWith(outer, [&](HWND inner) {
      EXPECT_NE(inner, outer);
      EXPECT_EQ(GetWindow(inner, GW_OWNER), outer);
      EXPECT_FALSE(IsWindowEnabled(outer));
      Command(inner, kOkId);
    });
    EXPECT_EQ(innerCode, 0);
    EXPECT_TRUE(IsWindowEnabled(outer));
    EXPECT_FALSE(IsWindowEnabled(ownerWindow));
    Command(outer, kOkId);
  });
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(FindWindowW(kSampleClass, nullptr));
  EXPECT_TRUE(IsWindowEnabled(ownerWindow));
  EXPECT_EQ(GetActiveWindow(), ownerWindow);
}

// Changes through the window's own controls, plus fields the window does not show.
void ChangeEverything(HWND w, CaptureProfile& p) {
  Command(w, 1029);  // switch: BorStatus 0 -> 1
  SendDlgItemMessageW(w, 1031, BXM_VALUE, kSetSilently, 4);
  Command(w, 1031);  // spin: BorWidth 4
  SendDlgItemMessageW(w, 1034, BXM_CHECK, kSetSilently, 1);
  Command(w, 1034);  // check: CapUser 1
  Command(w, kResetId);
  p.OutJPEGQuality = 33;
  p.SetStorageFolder[0] = u'Z';
}

// Typing into the boxes, the switches' texts and Reset are checked end to end.
TEST_F(ToolWindowTest, CancelRestoresEveryByteOkAndCloseKeepTheChangesKeysCloseNothing) {
  const CaptureProfile before = profile;
  RunWith(owner.hwnd(), [&](HWND w) {
    ChangeEverything(w, profile);
    EXPECT_EQ(profile.BorStatus * 100 + profile.BorWidth * 10 + profile.CapUser, 31u);
    EXPECT_EQ(SendDlgItemMessageW(w, 1031, BXM_VALUE, 0, 0), 3) << "Reset shows its values";
    Command(w, 4242);  // unknown ids are ignored
    SetForegroundWindow(w);
    SetFocus(GetDlgItem(w, kResetId));
    INPUT keys[4] = {};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
    keys[2].ki.wVk = keys[3].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    RunLater(300, [w] {
      EXPECT_TRUE(IsWindow(w)) << "Enter and Escape do not close a settings window";
      Command(w, kCancelId);
    });
  });
  EXPECT_EQ(std::memcmp(&profile, &before, sizeof(profile)), 0);
  for (bool viaClose : {false, true}) {
    profile = before;
    RunWith(owner.hwnd(), [&](HWND w) {
      ChangeEverything(w, profile);
      viaClose ? void(PostMessageW(w, WM_CLOSE, 0, 0)) : Command(w, kOkId);
    });
    EXPECT_EQ(profile.BorStatus * 100 + profile.BorWidth * 10 + profile.CapUser, 31u) << viaClose;
    EXPECT_EQ(profile.OutJPEGQuality, 33u);
    EXPECT_EQ(profile.SetStorageFolder[0], u'Z');
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  }
  // Typed numbers are clamped; one with the sign bit set is negative.
  for (auto [read, value] :
       {std::pair{3u, 3}, {9u, 5}, {0u, 1}, {0xFFFFFFFFu, 1}, {0x80000000u, 1}})
    EXPECT_EQ(ClampEditValue(read, 1, 5), value) << read;
}

}  // namespace
}  // namespace kx
