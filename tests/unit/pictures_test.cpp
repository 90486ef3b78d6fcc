// The program's pictures as linked into the resources: sizes, 24-bit depth, state stacking
// and the colours they must carry; and an enlarged contact sheet of all of them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/handles.h"
#include "resource_ids.h"
#include "toolkit_support.h"
#include "ui/offscreen.h"

namespace kx {
namespace {

struct PictureSpec {
  UINT id;
  int width, height;
};

constexpr PictureSpec kPictures[] = {
    {5376, 320, 47}, {5377, 320, 47}, {5378, 56, 48}, {5379, 103, 86},
    {5380, 37, 148}, {5381, 5, 36},   {5382, 5, 36},  {5383, 9, 20},
    {5384, 13, 52},  {5385, 13, 52},  {5392, 15, 36}, {5393, 9, 68},
    {5394, 13, 44},  {5457, 41, 51},  {5458, 23, 51}, {5459, 23, 51}};

const BITMAPINFOHEADER* Header(UINT id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
  if (!found) return nullptr;
  return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
}

TEST(Pictures, EveryBitmapHasItsSizeAndIs24Bit) {
  for (const PictureSpec& p : kPictures) {
    const BITMAPINFOHEADER* header = Header(p.id);
    ASSERT_TRUE(header) << p.id;
    EXPECT_EQ(header->biWidth, p.width) << p.id;
    EXPECT_EQ(header->biHeight, p.height) << p.id;
    EXPECT_EQ(header->biBitCount, 24) << p.id;
  }
  EXPECT_TRUE(FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KESTRIX),
                            MAKEINTRESOURCEW(14)));  // RT_GROUP_ICON
}

TEST(Pictures, SkinsCarryTheirBandsLinesAndSideBorder) {
  for (UINT id : {IDB_MAIN_SKIN, IDB_TOOL_SKIN}) {
    SCOPED_TRACE(id);
    test::Pixels s = test::ResourcePixels(id);
    EXPECT_EQ(s.At(5, 0), RGB(0x2A, 0x50, 0x90));
    EXPECT_EQ(s.At(5, 1), RGB(0x77, 0x95, 0xC8));
    EXPECT_EQ(s.At(5, 2), RGB(0x58, 0x7B, 0xB5));
    EXPECT_EQ(s.At(5, 27), RGB(0x4D, 0x6F, 0xAA));
    EXPECT_EQ(s.At(5, 28), RGB(0x2A, 0x50, 0x90));
    EXPECT_EQ(s.At(5, 29), RGB(0xC3, 0xDA, 0xF0));
    EXPECT_EQ(s.At(5, 42), RGB(0xF9, 0xFB, 0xFD));
    EXPECT_EQ(s.At(0, 30), RGB(0x2A, 0x50, 0x90));
    EXPECT_EQ(s.At(1, 30), RGB(0x77, 0x95, 0xC8));
    EXPECT_EQ(s.At(2, 30), RGB(0x2A, 0x50, 0x90));
    EXPECT_EQ(s.At(5, 46), RGB(0x2A, 0x50, 0x90));  // bottom outline
    // Every band is uniform across the stretched middle.
    for (int y = 0; y < 47; ++y)
      for (int x = 4; x < 316; ++x) ASSERT_EQ(s.At(x, y), s.At(5, y)) << x << "," << y;
  }
}

// The button tile's colours per state are checked where the button draws them.
TEST(Pictures, GlyphsUseTheStateColours) {
  const COLORREF fills[] = {0xF2F2F2, 0xF4F4F4, 0xE9E9E9, 0xF2F2F2};
  const COLORREF inks[] = {0xB5B5B5, 0x979797, 0x979797, 0xC7C7C7};
  for (UINT id : {5381u, 5382u, 5383u, 5384u, 5385u, 5392u, 5393u, 5394u}) {
    test::Pixels g = test::ResourcePixels(id);
    int ph = g.height() / 4;
    for (int s = 0; s < 4; ++s) {
      int background = 0, ink = 0;
      for (int y = 0; y < ph; ++y)
        for (int x = 0; x < g.width(); ++x) {
          background += g.At(x, ph * s + y) == fills[s];
          ink += g.At(x, ph * s + y) == inks[s];
        }
      EXPECT_GT(background, 0) << id << " state " << s;
      EXPECT_GT(ink, 0) << id << " state " << s;
    }
  }
}

// Not a check: an enlarged sheet of every picture for a person to look at.
TEST(Pictures, ContactSheet) {
  constexpr int kScale = 4, kGap = 12, kMaxWidth = 1400;
  std::vector<RECT> places;  // laid out in rows at most kMaxWidth wide
  int width = 0, height = 0, x = kGap, y = kGap;
  for (const PictureSpec& p : kPictures) {
    if (x + p.width * kScale > kMaxWidth) {
      x = kGap;
      y = height + kGap;
    }
    places.push_back({x, y, x + p.width * kScale, y + p.height * kScale});
    x = places.back().right + kGap;
    width = std::max(width, x);
    height = std::max(height, int(places.back().bottom));
  }
  UniqueBitmap sheet(RenderToBitmap(width, height + kGap, [&](HDC dc, int w, int h) {
    RECT all = {0, 0, w, h};
    UniqueBrush back(CreateSolidBrush(RGB(0xE0, 0xE4, 0xEA)));
    FillRect(dc, &all, back.Get());
    for (size_t i = 0; i < places.size(); ++i) {
      const PictureSpec& p = kPictures[i];
      UniqueBitmap bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(p.id)));
      UniqueDc source(CreateCompatibleDC(dc));
      ScopedSelect select(source.Get(), bitmap.Get());
      const RECT& r = places[i];
      StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.Get(), 0, 0, p.width,
                 p.height, SRCCOPY);
    }
  }));
  ASSERT_TRUE(sheet);
  EXPECT_TRUE(test::SavePng(sheet.Get(), test::ArtifactPath(L"pictures.png")));
}

}  // namespace
}  // namespace kx
