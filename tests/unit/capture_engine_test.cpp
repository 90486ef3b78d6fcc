// Real grabs of a known picture on the test display, the caption and border drawn on them,
// and the files and clipboard bitmaps that come out, decoded back and compared.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "capture/capture_output.h"
#include "capture/post_process.h"
#include "capture/profile_values.h"
#include "capture/screen_grab.h"
#include "capture/user_folders.h"
#include "screen_pattern.h"
#include "temp_folder.h"

namespace kx {
namespace {

using test::PatternColor;
using test::PatternWindow;
using Pixels = test::RgbPixels;

class CaptureEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gdiplus_.Started()); }

  static CaptureProfile AreaProfile(int x, int y, int width, int height) {
    CaptureProfile p;
    BuildDefaultProfile(p, UserPicturesFolder());
    p.InType = 2;
    p.InRect = {x, y, x + width, y + height};
    p.OptSound = 0;
    p.CapStatus = 0;
    return p;
  }

  static void SetFolder(CaptureProfile& p, const std::wstring& folder) {
    std::memset(p.SetStorageFolder, 0, sizeof(p.SetStorageFolder));
    std::memcpy(p.SetStorageFolder, folder.c_str(), folder.size() * sizeof(wchar_t));
  }

  static std::wstring LastName(const CaptureProfile& p) {
    return reinterpret_cast<const wchar_t*>(p.OutLastName);
  }

  static Pixels Decode(const std::wstring& path) {
    Gdiplus::GpBitmap* image = nullptr;
    Pixels pixels;
    if (gp::GdipCreateBitmapFromFile(path.c_str(), &image) != Gdiplus::Ok) return pixels;
    UniqueGpBitmap owned(image);
    return test::ReadImage(owned.Get());
  }

  // Every pixel of `pixels` inside (ox, oy, w, h) equals the window's picture.
  static void ExpectContent(const Pixels& pixels, const PatternWindow& window, int ox, int oy,
                            int w, int h, int tolerance = 0) {
    int bad = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (test::ChannelDistance(pixels.At(ox + x, oy + y), window.Expected(x, y)) > tolerance &&
            ++bad <= 3)
          ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex
                        << pixels.At(ox + x, oy + y) << " not " << window.Expected(x, y);
    EXPECT_EQ(bad, 0);
  }

  GdiplusSession gdiplus_;
};

TEST_F(CaptureEngineTest, PlainRectangleCopiesTheScreenPixels) {
  PatternWindow window(100, 120, 160, 90);
  ASSERT_TRUE(window.WaitUntilShown());
  CaptureImage holder(nullptr);
  ASSERT_EQ(GrabScreen(holder, AreaProfile(0, 0, 0, 0), 100, 120, 160, 90), kStatusOk);
  ASSERT_TRUE(holder.image);
  Pixels pixels = test::ReadBitmap(holder.bitmap.Get());
  ASSERT_EQ(pixels.width, 160);
  ASSERT_EQ(pixels.height, 90);
  ExpectContent(pixels, window, 0, 0, 160, 90);
  ExpectContent(test::ReadImage(holder.image.Get()), window, 0, 0, 160, 90);
}

TEST_F(CaptureEngineTest, WidthZeroGrabsTheWholeScreenAtItsResolution) {
  PatternWindow window(300, 200, 64, 48);
  ASSERT_TRUE(window.WaitUntilShown());
  CaptureImage holder(nullptr);
  ASSERT_EQ(GrabScreen(holder, AreaProfile(0, 0, 0, 0), 0, 0, 0, 0), kStatusOk);
  Pixels pixels = test::ReadBitmap(holder.bitmap.Get());
  EXPECT_EQ(pixels.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(pixels.height, GetSystemMetrics(SM_CYSCREEN));
  ExpectContent(pixels, window, 300, 200, 64, 48);
  // A second grab into the same holder replaces the first.
  ASSERT_EQ(GrabScreen(holder, AreaProfile(0, 0, 0, 0), 300, 200, 10, 10), kStatusOk);
  EXPECT_EQ(test::ReadBitmap(holder.bitmap.Get()).width, 10);
}

TEST_F(CaptureEngineTest, HalfScaleOfA101PixelAreaIs50PixelsWide) {
  PatternWindow window(200, 150, 101, 40, 0xE02010, 0x1040C0);
  ASSERT_TRUE(window.WaitUntilShown());
  CaptureProfile p = AreaProfile(200, 150, 101, 40);
  p.ScaStatus = 1;
  p.ScaWidth = p.ScaHeight = 50;
  CaptureImage holder(nullptr);
  ASSERT_EQ(ComposeCapture(holder, p), kStatusOk);
  Pixels pixels = test::ReadBitmap(holder.bitmap.Get());
  ASSERT_EQ(pixels.width, 50);
  ASSERT_EQ(pixels.height, 20);
  for (int y = 0; y < 20; ++y) {
    for (int x : {0, 10, 22}) EXPECT_LE(test::ChannelDistance(pixels.At(x, y), 0xE02010), 8);
    for (int x : {28, 40, 49}) EXPECT_LE(test::ChannelDistance(pixels.At(x, y), 0x1040C0), 8);
  }
}

TEST_F(CaptureEngineTest, OnePixelBorderFramesA100By100Capture) {
  PatternWindow window(50, 60, 100, 100);
  ASSERT_TRUE(window.WaitUntilShown());
  CaptureProfile p = AreaProfile(50, 60, 100, 100);
  p.BorStatus = 1;
  p.BorWidth = 1;
  p.BorColor = 0x0000FF;  // red
  CaptureImage holder(nullptr);
  ASSERT_EQ(ComposeCapture(holder, p), kStatusOk);
  Pixels grabbed = test::ReadBitmap(holder.bitmap.Get());
  ASSERT_EQ(grabbed.width, 102);
  ASSERT_EQ(grabbed.height, 102);
  ExpectContent(grabbed, window, 1, 1, 100, 100);
  Pixels finished = test::ReadImage(holder.image.Get());
  ExpectContent(finished, window, 1, 1, 100, 100);
  for (int i = 0; i < 102; ++i) {
    EXPECT_EQ(finished.At(i, 0), 0xFF0000u) << i;
    EXPECT_EQ(finished.At(i, 101), 0xFF0000u) << i;
    EXPECT_EQ(finished.At(0, i), 0xFF0000u) << i;
    EXPECT_EQ(finished.At(101, i), 0xFF0000u) << i;
  }
}

TEST_F(CaptureEngineTest, CursorIsDrawnOnlyWhenAsked) {
  PatternWindow window(400, 300, 80, 80, 0x808080, 0x808080);
  ASSERT_TRUE(window.WaitUntilShown());
  SetForegroundWindow(window.Handle());
  SetCursorPos(420, 330);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  CURSORINFO info = {};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetCursorInfo(&info));
  ASSERT_NE(info.hCursor, nullptr);
  EXPECT_EQ(info.ptScreenPos.x, 420);
  CaptureProfile p = AreaProfile(400, 300, 80, 80);
  CaptureImage without(nullptr), with(nullptr);
  ASSERT_EQ(ComposeCapture(without, p), kStatusOk);
  p.OptCursor = 1;
  ASSERT_EQ(ComposeCapture(with, p), kStatusOk);
  Pixels a = test::ReadBitmap(without.bitmap.Get()), b = test::ReadBitmap(with.bitmap.Get());
  int changed = 0, changedBeforeCursor = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x)
      if (a.At(x, y) != b.At(x, y)) {
        ++changed;
        if (x < 20 || y < 30) ++changedBeforeCursor;
      }
  EXPECT_GT(changed, 20);
  EXPECT_EQ(changedBeforeCursor, 0);  // drawn from the pointer position onwards
  // A pointer far outside the area is simply clipped away.
  SetCursorPos(5, 5);
  CaptureImage outside(nullptr);
  EXPECT_EQ(ComposeCapture(outside, p), kStatusOk);
}

TEST_F(CaptureEngineTest, OutsideCaptionAndBorderOfA200By100Area) {
  PatternWindow window(120, 140, 200, 100);
  ASSERT_TRUE(window.WaitUntilShown());
  CaptureProfile p = AreaProfile(120, 140, 200, 100);
  p.BorStatus = 1;
  p.BorWidth = 2;
  p.BorColor = 0x00C000;  // green
  p.CapStatus = 1;
  p.CapPosition = 1;
  p.CapBackColor = 0x203040;  // rgb 40 30 20
  p.CapTextColor = 0xFFFFFF;
  CaptureImage holder(nullptr);
  ASSERT_EQ(ComposeCapture(holder, p), kStatusOk);
  Pixels img = test::ReadImage(holder.image.Get());
  ASSERT_EQ(img.width, 204);
  ASSERT_EQ(img.height, 127);
  // Kept in the build folder for a person to look at.
  CLSID png;
  ASSERT_EQ(FindEncoder(L"image/png", &png), 1);
  gp::GdipSaveImageToFile(holder.image.Get(), L"caption_204x127.png", &png, nullptr);
  ExpectContent(img, window, 2, 2, 200, 100);
  // The bar: rows 102..124 between the border sides, right of the text.
  for (int y = 102; y <= 124; ++y)
    for (int x = 170; x < 202; ++x) ASSERT_EQ(img.At(x, y), 0x403020u) << x << "," << y;
  // The border lies over the bar's ends and around everything.
  for (int y = 0; y < 127; ++y)
    for (int x : {0, 1, 202, 203}) ASSERT_EQ(img.At(x, y), 0x00C000u) << x << "," << y;
  for (int x = 0; x < 204; ++x)
    for (int y : {0, 1, 125, 126}) ASSERT_EQ(img.At(x, y), 0x00C000u) << x << "," << y;
  // Text in the text colour starts near (7, 107), and nowhere left of it.
  int textPixels = 0, strayPixels = 0;
  for (int y = 102; y <= 124; ++y)
    for (int x = 2; x < 170; ++x) {
      if (test::ChannelDistance(img.At(x, y), 0xFFFFFF) > 60) continue;
      if (x >= 7 && y >= 107)
        ++textPixels;
      else
        ++strayPixels;
    }
  EXPECT_GT(textPixels, 30);
  EXPECT_EQ(strayPixels, 0);
  bool nearOrigin = false;
  for (int y = 107; y < 113; ++y)
    for (int x = 7; x < 12; ++x)
      nearOrigin = nearOrigin || test::ChannelDistance(img.At(x, y), 0x403020) > 40;
  EXPECT_TRUE(nearOrigin) << "the first character starts at the text origin";
}

TEST_F(CaptureEngineTest, InsideCaptionBarIsBlendedByItsTransparency) {
  PatternWindow window(600, 100, 100, 60, 0xC08040, 0xC08040);
  ASSERT_TRUE(window.WaitUntilShown());
  const uint32_t content = 0xC08040, bar = 0x0020F0;  // bar COLORREF 0xF02000
  const std::pair<uint32_t, int> cases[] = {{0, 255}, {20, 204}, {100, 0}};
  for (auto [trans, alpha] : cases) {
    CaptureProfile p = AreaProfile(600, 100, 100, 60);
    p.CapStatus = 1;
    p.CapPosition = 0;
    p.CapTrans = trans;
    p.CapDate = p.CapTime = 0;  // no text: the bar alone
    p.CapBackColor = 0xF02000;
    CaptureImage holder(nullptr);
    ASSERT_EQ(ComposeCapture(holder, p), kStatusOk);
    Pixels img = test::ReadImage(holder.image.Get());
    ASSERT_EQ(img.height, 60);  // inside: no strip
    uint32_t expected = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      int c = (content >> shift) & 0xFF, b = (bar >> shift) & 0xFF;
      expected |= uint32_t((b * alpha + c * (255 - alpha) + 127) / 255) << shift;
    }
    for (int y = 37; y < 60; ++y)
      for (int x : {0, 50, 99})
        EXPECT_LE(test::ChannelDistance(img.At(x, y), expected), 2)
            << "trans " << trans << " at " << x << "," << y << std::hex << " " << img.At(x, y);
    EXPECT_EQ(img.At(50, 36), content) << "row above the bar untouched, trans " << trans;
  }
}

TEST_F(CaptureEngineTest, PngAndBmpFilesDecodeToTheCapturedPixelsAndJpegIsClose) {
  test::TempFolder folder;
  PatternWindow varied(100, 400, 90, 70), smooth(300, 400, 90, 70, 0x3060A0, 0xD0C020);
  ASSERT_TRUE(varied.WaitUntilShown());
  ASSERT_TRUE(smooth.WaitUntilShown());
  struct Case {
    uint32_t format;
    const PatternWindow& window;
    const wchar_t* extension;
    uint8_t magic0, magic1;  // the encoder really is the one for the format
    int tolerance;
  } cases[] = {{0, varied, L".png", 0x89, 'P', 0},
               {1, varied, L".bmp", 'B', 'M', 0},
               {2, smooth, L".jpg", 0xFF, 0xD8, 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    RECT r;
    GetWindowRect(c.window.Handle(), &r);
    CaptureProfile p = AreaProfile(r.left, r.top, 90, 70);
    SetFolder(p, folder.Path());
    p.OutFormat = c.format;
    p.OutJPEGQuality = 100;
    CaptureImage holder(nullptr);
    ASSERT_EQ(ProcessCapture(holder, p), kStatusOk);
    std::wstring name = LastName(p);
    EXPECT_EQ(name.substr(0, 6), L"\\KEST-");
    EXPECT_EQ(name.size(), 6 + 14 + 4u);
    EXPECT_EQ(name.substr(20), c.extension);
    std::vector<uint8_t> bytes = test::ReadBytes(folder.Path() + name);
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], c.magic0);
    EXPECT_EQ(bytes[1], c.magic1);
    Pixels decoded = Decode(folder.Path() + name);
    ASSERT_EQ(decoded.width, 90);
    ASSERT_EQ(decoded.height, 70);
    if (c.tolerance == 0) {
      ExpectContent(decoded, c.window, 0, 0, 90, 70);
      continue;
    }
    for (int y = 4; y < 66; y += 5)
      for (int x : {4, 30, 60, 85})
        EXPECT_LE(test::ChannelDistance(decoded.At(x, y), c.window.Expected(x, y)), c.tolerance)
            << x << "," << y;
  }
}

TEST_F(CaptureEngineTest, AutomaticNamesCountPastExistingFilesAndReuse98) {
  PatternWindow window(100, 100, 20, 20);
  ASSERT_TRUE(window.WaitUntilShown());
  SYSTEMTIME when = {2026, 12, 5, 4, 14, 5, 9, 0};  // 4 December 2026, 14:05:09
  const std::wstring stem = L"\\KEST-261204140509";
  auto numbered = [&](int n) {
    return stem + (n < 10 ? L"0" : L"") + std::to_wstring(n) + L".png";
  };
  // Files 00..04 taken: 05 is next. All of 00..98 taken: 98 is overwritten.
  const std::pair<int, int> cases[] = {{4, 5}, {98, 98}};
  for (auto [lastTaken, expected] : cases) {
    test::TempFolder folder;
    for (int n = 0; n <= lastTaken; ++n)
      ASSERT_TRUE(test::WriteBytes(folder.Path() + numbered(n), {1}));
    CaptureProfile p = AreaProfile(100, 100, 20, 20);
    SetFolder(p, folder.Path());
    CaptureImage holder(nullptr);
    ComposeCapture(holder, p);
    ASSERT_EQ(SaveCaptureToFileAt(holder, p, &when), kStatusOk);
    EXPECT_EQ(LastName(p), numbered(expected));
    EXPECT_EQ(Decode(folder.Path() + numbered(expected)).width, 20);
    EXPECT_EQ(test::ReadBytes(folder.Path() + numbered(expected - 1)).size(), 1u);
    EXPECT_FALSE(test::FileExists(folder.Path() + numbered(std::max(expected, lastTaken) + 1)));
  }
  // A storage folder that does not exist yet has no files: the first counter is free.
  test::TempFolder parent;
  CaptureProfile p = AreaProfile(100, 100, 20, 20);
  SetFolder(p, parent.Path() + L"\\new");
  CaptureImage holder(nullptr);
  ComposeCapture(holder, p);
  ASSERT_EQ(SaveCaptureToFileAt(holder, p, &when), kStatusOk);
  EXPECT_EQ(LastName(p), numbered(0));
  EXPECT_TRUE(test::FileExists(parent.Path() + L"\\new" + numbered(0)));
}

TEST_F(CaptureEngineTest, FixedNameIsOverwrittenAndAMissingFolderIsCreated) {
  test::TempFolder parent;
  const std::wstring folder = parent.Path() + L"\\shots";
  PatternWindow first(100, 100, 30, 20, 0xFF0000, 0xFF0000);
  ASSERT_TRUE(first.WaitUntilShown());
  CaptureProfile p = AreaProfile(100, 100, 30, 20);
  SetFolder(p, folder);
  p.OutFilename = 1;
  p.OutFormat = 1;
  CaptureImage holder(nullptr);
  ASSERT_EQ(ProcessCapture(holder, p), kStatusOk);
  EXPECT_EQ(LastName(p), L"\\KEST.bmp");
  EXPECT_EQ(Decode(folder + L"\\KEST.bmp").At(5, 5), 0xFF0000u);
  PatternWindow second(100, 100, 30, 20, 0x0000FF, 0x0000FF);
  ASSERT_TRUE(second.WaitUntilShown());
  ASSERT_EQ(ProcessCapture(holder, p), kStatusOk);
  EXPECT_EQ(Decode(folder + L"\\KEST.bmp").At(5, 5), 0x0000FFu);
  p.OutFormat = 2;
  ASSERT_EQ(ProcessCapture(holder, p), kStatusOk);
  EXPECT_EQ(LastName(p), L"\\KEST.jpg");
  EXPECT_TRUE(test::FileExists(folder + L"\\KEST.jpg"));
}

TEST_F(CaptureEngineTest, UnwritableTargetsGiveTheirStatusAndNoFile) {
  test::TempFolder folder;
  PatternWindow window(100, 100, 30, 20);
  ASSERT_TRUE(window.WaitUntilShown());
  CaptureProfile p = AreaProfile(100, 100, 30, 20);
  SetFolder(p, folder.Path());
  p.OutFilename = 1;
  // A folder where the file should go.
  ASSERT_TRUE(CreateDirectoryW((folder.Path() + L"\\KEST.png").c_str(), nullptr));
  CaptureImage holder(nullptr);
  const CaptureStatus blocked = ProcessCapture(holder, p);
  // Wine's GDI+ reports these as a generic error, not as access denied.
  EXPECT_EQ(blocked, kStatusWriteFailed);
  // A storage folder two levels deep cannot be created; the write fails.
  SetFolder(p, folder.Path() + L"\\a\\b");
  const CaptureStatus missing = ProcessCapture(holder, p);
  EXPECT_EQ(missing, kStatusWriteFailed);
  EXPECT_FALSE(test::FileExists(folder.Path() + L"\\a"));
  // Unknown output types and formats.
  p.OutType = 5;
  EXPECT_EQ(ProcessCapture(holder, p), kStatusFailed);
  p.OutType = 0;
  p.OutFormat = 7;
  EXPECT_EQ(ProcessCapture(holder, p), kStatusNoEncoder);
}

TEST_F(CaptureEngineTest, AFailedGrabLeavesNoImageForFileOrClipboard) {
  test::TempFolder folder;
  CaptureProfile p = AreaProfile(0, 0, 10, 10);
  p.InType = 3;
  SetFolder(p, folder.Path());
  CaptureImage holder(nullptr);
  EXPECT_EQ(ComposeCapture(holder, p), kStatusFailed);
  EXPECT_FALSE(holder.image);
  EXPECT_EQ(ProcessCapture(holder, p), kStatusWriteFailed);
  p.OutType = 1;
  EXPECT_EQ(ProcessCapture(holder, p), kStatusFailed);
}

// That each format finds its encoder is checked by the files' first bytes.
TEST_F(CaptureEngineTest, EncodersAreFoundOnlyByTheExactMimeType) {
  CLSID other = {};
  for (const wchar_t* mime : {L"image/PNG", L"image/pn", L""})
    EXPECT_EQ(FindEncoder(mime, &other), 0) << "'" << mime << "'";
  EXPECT_TRUE(IsEqualGUID(other, CLSID{}));
}

TEST_F(CaptureEngineTest, ClipboardReceivesTheFinishedBitmap) {
  PatternWindow window(100, 100, 100, 100);
  ASSERT_TRUE(window.WaitUntilShown());
  CaptureProfile p = AreaProfile(100, 100, 100, 100);
  p.OutType = 1;
  p.OptView = p.OptEdit = 1;  // nothing to open for the clipboard
  p.BorStatus = 1;
  p.BorWidth = 1;
  p.BorColor = 0x0000FF;
  CaptureImage holder(window.Handle());
  ASSERT_EQ(ProcessCapture(holder, p), kStatusOk);
  EXPECT_FALSE(holder.bitmap);  // the clipboard owns it now
  EXPECT_EQ(LastName(p), L"");
  ASSERT_TRUE(OpenClipboard(nullptr));
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(bitmap, nullptr);
  Pixels pixels = test::ReadBitmap(bitmap);
  CloseClipboard();
  ASSERT_EQ(pixels.width, 102);
  ASSERT_EQ(pixels.height, 102);
  EXPECT_EQ(pixels.At(0, 0), 0xFF0000u);
  ExpectContent(pixels, window, 1, 1, 100, 100);
}

}  // namespace
}  // namespace kx
