// What the end-to-end sessions cannot see of a capture, checked in-process: the pointer, which
// under Wine is not this program's to read over another program's window, the clipboard's
// bitmap, whose handle another process cannot read, and a shot asked for from an unaware
// thread, which Wine never makes of the program's own windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <process.h>

#include <cstdlib>
#include <vector>

#include "base/pixel_space.h"
#include "capture/post_process.h"
#include "capture/profile_values.h"
#include "picture.h"
#include "toolkit_support.h"

namespace kx {
namespace {

// The colours (0x00RRGGBB, top row first) of a bitmap expected to be w x h: no fewer are
// returned, whatever the bitmap holds.
std::vector<uint32_t> ColoursOf(HBITMAP bitmap, int w, int h) {
  std::vector<uint32_t> pixels = bench::ReadBitmap(bitmap).pixels;
  pixels.resize(size_t(w) * h);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

class CaptureUnseen : public ::testing::Test {
 protected:
  void SetUp() override {
    SetForegroundWindow(window_.hwnd());
    SetCursorPos(420, 330);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    BuildDefaultProfile(profile_, L"");
    profile_.InType = 2;
    profile_.InRect = {400, 300, 480, 380};
    profile_.CapStatus = profile_.OptSound = 0;
  }
  // An 80 x 80 area shot from (400, 300).
  std::vector<uint32_t> AreaShot() {
    CaptureImage holder(nullptr);
    EXPECT_EQ(ComposeCapture(holder, profile_), kStatusOk);
    return ColoursOf(holder.bitmap.Get(), 80, 80);
  }

  GdiplusSession gdiplus_;
  test::PlainWindow window_{400, 300, 80, 80};
  CaptureProfile profile_;
};

TEST_F(CaptureUnseen, ThePointerIsDrawnOnlyWhenAskedFromItsPositionOn) {
  const std::vector<uint32_t> without = AreaShot();
  profile_.OptCursor = 1;
  const std::vector<uint32_t> with = AreaShot();
  int changed = 0, changedBeforePointer = 0;
  for (int i = 0; i < 80 * 80; ++i)
    if (without[i] != with[i]) ++changed, changedBeforePointer += i % 80 < 20 || i / 80 < 30;
  EXPECT_GT(changed, 20);
  EXPECT_EQ(changedBeforePointer, 0);
}

TEST_F(CaptureUnseen, TheClipboardGetsTheFinishedBitmap) {
  const std::vector<uint32_t> shot = AreaShot();
  profile_.OutType = profile_.BorStatus = profile_.BorWidth = 1;
  profile_.BorColor = 0x0000FF;  // red
  CaptureImage holder(window_.hwnd());
  ASSERT_EQ(ProcessCapture(holder, profile_), kStatusOk);
  ASSERT_TRUE(OpenClipboard(nullptr));
  const std::vector<uint32_t> pasted =
      ColoursOf(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)), 82, 82);
  CloseClipboard();
  int wrong = 0;
  for (int y = 0; y < 82; ++y)
    for (int x = 0; x < 82; ++x) {
      const bool ring = x == 0 || y == 0 || x == 81 || y == 81;
      wrong += pasted[y * 82 + x] != (ring ? 0xFF0000 : shot[(y - 1) * 80 + x - 1]);
    }
  EXPECT_EQ(wrong, 0);
}

// On a display scaled to 150 %, a full screen scaled by 100 % from a skinned window's unaware
// thread is the whole screen, not two thirds of it. A process reads the display's scale as it
// starts, so the shot runs in a second copy of this program, started once the scale is set.
TEST(CaptureScaled, AFullScreenAtOneHundredPercentIsTheWholeScreen) {
  constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";
  if (const wchar_t* child = _wgetenv(L"KX_SCALED_SHOT"); child && *child) {
    GdiplusSession gdiplus;
    CaptureProfile profile;
    BuildDefaultProfile(profile, L"");
    profile.InType = profile.ScaStatus = 1;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    SetUnawareSkins(true);
    ScopedPixelSpace skin(PixelSpace::kSkin);
    ASSERT_LT(GetSystemMetrics(SM_CXSCREEN), width) << "the display is not scaled";
    CaptureImage holder(nullptr);
    ASSERT_EQ(ComposeCapture(holder, profile), kStatusOk);
    const bench::Picture shot = bench::ReadBitmap(holder.bitmap.Get());
    EXPECT_EQ(std::vector({shot.width, shot.height}), std::vector({width, height}));
    return;
  }
  const DWORD dpi = 144;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &dpi, 4), 0);
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  _wputenv(L"KX_SCALED_SHOT=1");
  const intptr_t code = _wspawnl(_P_WAIT, exe, L"unit", L"--gtest_filter=CaptureScaled.*", nullptr);
  _wputenv(L"KX_SCALED_SHOT=");
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels");
  EXPECT_EQ(code, 0) << "the shot in the scaled copy failed";
}

}  // namespace
}  // namespace kx
