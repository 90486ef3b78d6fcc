// Real grabs of a known picture on the test display, the caption and border drawn on them,
// and the files and clipboard bitmaps that come out, decoded back and compared. Whole-screen
// captures decoded from each format, fixed names and new folders are checked end to end; the
// counter's 98 by its probing order.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "capture/capture_output.h"
#include "capture/post_process.h"
#include "capture/profile_values.h"
#include "capture/user_folders.h"
#include "screen_pattern.h"
#include "temp_folder.h"

namespace kx {
namespace {

using test::PatternWindow;
using Pixels = test::RgbPixels;

class CaptureEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gdiplus_.Started()); }

  // An area shot of the window's rectangle, no sound, no caption.
  static CaptureProfile AreaOf(const PatternWindow& window, const std::wstring& folder = L"") {
    RECT r;
    GetWindowRect(window.Handle(), &r);
    CaptureProfile p;
    BuildDefaultProfile(p, UserPicturesFolder());
    p.InType = 2;
    p.InRect = {r.left, r.top, r.right, r.bottom};
    p.OptSound = p.CapStatus = 0;
    std::memset(p.SetStorageFolder, 0, sizeof(p.SetStorageFolder));
    std::memcpy(p.SetStorageFolder, folder.c_str(), folder.size() * sizeof(wchar_t));
    return p;
  }
  static std::wstring LastName(const CaptureProfile& p) { return FieldText(p.OutLastName); }
  // The window's whole picture is in `pixels` at (ox, oy).
  static void ExpectContent(const Pixels& pixels, const PatternWindow& window, int ox, int oy) {
    RECT r;
    GetClientRect(window.Handle(), &r);
    int bad = 0;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x)
        if (pixels.At(ox + x, oy + y) != window.Expected(x, y) && ++bad <= 3)
          ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex
                        << pixels.At(ox + x, oy + y) << " not " << window.Expected(x, y);
    EXPECT_EQ(bad, 0);
  }
  // Every pixel within `width` of the picture's edges has the colour.
  static void ExpectRing(const Pixels& img, int width, uint32_t colour) {
    int off = 0;
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x)
        off += std::min({x, y, img.width - 1 - x, img.height - 1 - y}) < width &&
               img.At(x, y) != colour;
    EXPECT_EQ(off, 0);
  }

  GdiplusSession gdiplus_;
};

// How transparent an inside bar is comes from CaptionMath.
TEST_F(CaptureEngineTest, OutsideCaptionBarAndTextUnderTheBorder) {
  PatternWindow window(120, 140, 200, 100);
  ASSERT_TRUE(window.WaitUntilShown());
  CaptureProfile p = AreaOf(window);
  p.BorStatus = p.CapStatus = p.CapPosition = 1;
  p.BorWidth = 2;
  p.BorColor = 0x00C000;
  p.CapBackColor = 0x203040;  // rgb 40 30 20
  p.CapTextColor = 0xFFFFFF;
  CaptureImage holder(nullptr);
  ASSERT_EQ(ComposeCapture(holder, p), kStatusOk);
  Pixels img = test::ReadImage(holder.image.Get());
  ASSERT_EQ(img.width, 204);
  ASSERT_EQ(img.height, 127);
  ExpectContent(img, window, 2, 2);
  ExpectRing(img, 2, 0x00C000);     // over the bar's ends too
  for (int y = 102; y <= 124; ++y)  // the bar right of the text
    for (int x = 170; x < 202; ++x) ASSERT_EQ(img.At(x, y), 0x403020u) << x << "," << y;
  // Text in the text colour from (7, 107) on, and nowhere left of or above it.
  int textPixels = 0, strayPixels = 0;
  bool nearOrigin = false;
  for (int y = 102; y <= 124; ++y)
    for (int x = 2; x < 170; ++x) {
      nearOrigin |= y >= 107 && y < 113 && x >= 7 && x < 12 &&
                    test::ChannelDistance(img.At(x, y), 0x403020) > 40;
      if (test::ChannelDistance(img.At(x, y), 0xFFFFFF) <= 60)
        ++(x >= 7 && y >= 107 ? textPixels : strayPixels);
    }
  EXPECT_GT(textPixels, 30);
  EXPECT_EQ(strayPixels, 0);
  EXPECT_TRUE(nearOrigin) << "the first character starts at the text origin";
}

// The pointer is drawn from its position on, and only when asked: no end-to-end session
// sees it, as the test display's pointer is wherever the last drive left it.
TEST_F(CaptureEngineTest, CursorIsDrawnOnlyWhenAsked) {
  PatternWindow window(400, 300, 80, 80);
  ASSERT_TRUE(window.WaitUntilShown());
  SetForegroundWindow(window.Handle());
  SetCursorPos(420, 330);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  CaptureProfile p = AreaOf(window);
  CaptureImage without(nullptr), with(nullptr);
  ASSERT_EQ(ComposeCapture(without, p), kStatusOk);
  p.OptCursor = 1;
  ASSERT_EQ(ComposeCapture(with, p), kStatusOk);
  const Pixels a = test::ReadImage(without.image.Get()), b = test::ReadImage(with.image.Get());
  int changed = 0, changedBeforeCursor = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x)
      if (a.At(x, y) != b.At(x, y)) ++changed, changedBeforeCursor += x < 20 || y < 30;
  EXPECT_GT(changed, 20);
  EXPECT_EQ(changedBeforeCursor, 0);
}

TEST_F(CaptureEngineTest, FilesOfEachFormatByTheirEncoderAndFailuresWithTheirStatus) {
  test::TempFolder folder;
  PatternWindow window(100, 400, 90, 70);
  ASSERT_TRUE(window.WaitUntilShown());
  SYSTEMTIME when = {2026, 12, 5, 4, 14, 5, 9, 0};  // 4 December 2026, 14:05:09
  const struct {
    const wchar_t* name;
    uint8_t magic0, magic1;  // the encoder really is the one for the format
  } formats[] = {{L"\\KEST-26120414050900.png", 0x89, 'P'},
                 {L"\\KEST-26120414050900.bmp", 'B', 'M'},
                 {L"\\KEST-26120414050900.jpg", 0xFF, 0xD8}};
  for (uint32_t format = 0; format < 3; ++format) {
    CaptureProfile p = AreaOf(window, folder.File(L"new"));  // made on demand
    p.OutFormat = format;
    CaptureImage holder(nullptr);
    ASSERT_EQ(ComposeCapture(holder, p), kStatusOk);
    ASSERT_EQ(SaveCaptureToFileAt(holder, p, &when), kStatusOk) << format;
    EXPECT_EQ(LastName(p), formats[format].name);
    std::vector<uint8_t> bytes = test::ReadBytes(folder.File(L"new") + formats[format].name);
    ASSERT_GT(bytes.size(), 2u) << format;
    EXPECT_EQ(bytes[0] * 256 + bytes[1], formats[format].magic0 * 256 + formats[format].magic1);
  }
  // A second shot in the same second takes the next counter instead of overwriting.
  CaptureProfile again = AreaOf(window, folder.File(L"new"));
  CaptureImage second(nullptr);
  ASSERT_EQ(ComposeCapture(second, again), kStatusOk);
  ASSERT_EQ(SaveCaptureToFileAt(second, again, &when), kStatusOk);
  EXPECT_EQ(LastName(again), L"\\KEST-26120414050901.png");

  const std::wstring deep = folder.Path() + L"\\a\\b";  // two levels cannot be made
  ASSERT_TRUE(CreateDirectoryW(folder.File(L"KEST.png").c_str(), nullptr));
  const struct {
    const std::wstring& folder;
    uint32_t inType, outType, fixedName, format;
    CaptureStatus status;
  } failures[] = {{folder.Path(), 2, 0, 1, 0, kStatusWriteFailed},  // a folder in the file's way
                  {deep, 2, 0, 0, 0, kStatusWriteFailed},           // Wine: not access denied
                  {deep, 2, 0, 0, 7, kStatusNoEncoder},             // no such format
                  {deep, 3, 1, 0, 0, kStatusFailed}};               // a failed grab: no image
  for (const auto& c : failures) {
    CaptureProfile p = AreaOf(window, c.folder);
    p.InType = c.inType, p.OutType = c.outType, p.OutFilename = c.fixedName, p.OutFormat = c.format;
    CaptureImage holder(nullptr);
    EXPECT_EQ(ProcessCapture(holder, p), c.status) << c.inType << c.outType << c.format;
  }
  EXPECT_FALSE(test::FileExists(folder.File(L"a")));
  CLSID other = {};
  for (const wchar_t* mime : {L"image/PNG", L"image/pn", L""})
    EXPECT_EQ(FindEncoder(mime, &other), 0) << "only the exact MIME type finds an encoder";
}

TEST_F(CaptureEngineTest, ClipboardReceivesTheFinishedBitmap) {
  PatternWindow window(100, 100, 100, 100);
  ASSERT_TRUE(window.WaitUntilShown());
  CaptureProfile p = AreaOf(window);
  p.OutType = p.OptView = p.OptEdit = 1;  // nothing to open for the clipboard
  p.BorStatus = p.BorWidth = 1;
  p.BorColor = 0x0000FF;
  CaptureImage holder(window.Handle());
  ASSERT_EQ(ProcessCapture(holder, p), kStatusOk);
  EXPECT_FALSE(holder.bitmap);  // the clipboard owns it now
  EXPECT_EQ(LastName(p), L"");
  ASSERT_TRUE(OpenClipboard(nullptr));
  Pixels pixels = test::ReadBitmap(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
  CloseClipboard();
  ASSERT_EQ(pixels.width, 102);
  ExpectRing(pixels, 1, 0xFF0000);
  ExpectContent(pixels, window, 1, 1);
}

}  // namespace
}  // namespace kx
