#include "scenes.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "base/handles.h"

namespace kx::bench {
namespace {

// A small linear congruential generator: the same numbers on every platform and run.
class Numbers {
 public:
  explicit Numbers(uint32_t seed) : state_(seed) {}
  uint32_t Next() { return state_ = state_ * 1664525u + 1013904223u; }
  // The high bits: the low ones of this generator repeat with a short period.
  int Below(int limit) { return int((uint64_t(Next() >> 16) * uint32_t(limit)) >> 16); }

 private:
  uint32_t state_;
};

constexpr const wchar_t* kWords[] = {
    L"report", L"budget", L"March", L"invoice", L"total",   L"meeting", L"draft",  L"review",
    L"notes",  L"Monday", L"plan",  L"2024",    L"figures", L"team",    L"status", L"open",
    L"closed", L"update", L"12.50", L"summary", L"north",   L"south",   L"client", L"order"};

void Fill(HDC dc, RECT rect, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Text(HDC dc, int x, int y, COLORREF color, const std::wstring& text) {
  SetTextColor(dc, color);
  TextOutW(dc, x, y, text.c_str(), int(text.size()));
}

std::wstring Sentence(Numbers& numbers, int words) {
  std::wstring text;
  for (int i = 0; i < words; ++i) {
    if (i) text += L' ';
    text += kWords[numbers.Below(int(std::size(kWords)))];
  }
  return text;
}

// A window: dark frame, coloured title bar with its title, a menu strip and a white client
// area holding either lines of text or a grid of figures.
void DrawWindowFrame(HDC dc, RECT frame, COLORREF title, Numbers& numbers) {
  Fill(dc, frame, 0x404040);
  RECT inner = {frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1};
  Fill(dc, {inner.left, inner.top, inner.right, inner.top + 24}, title);
  Text(dc, inner.left + 8, inner.top + 5, 0xFFFFFF, Sentence(numbers, 3));
  for (int i = 0; i < 3; ++i)
    Fill(dc, {inner.right - 22 - 22 * i, inner.top + 5, inner.right - 8 - 22 * i, inner.top + 19},
         0xE0E0E0);
  Fill(dc, {inner.left, inner.top + 24, inner.right, inner.top + 44}, 0xF0F0F0);
  Text(dc, inner.left + 8, inner.top + 27, 0x202020, L"File   Edit   View   Tools   Help");
  RECT client = {inner.left, inner.top + 44, inner.right, inner.bottom};
  Fill(dc, client, 0xFFFFFF);
  const bool grid = numbers.Below(3) == 0;
  for (int y = client.top + 8; y + 16 < client.bottom; y += 18) {
    if (!grid) {
      Text(dc, client.left + 10, y, 0x202020, Sentence(numbers, 4 + numbers.Below(8)));
      continue;
    }
    Fill(dc, {client.left, y - 2, client.right, y - 1}, 0xD0D0D0);
    for (int x = client.left + 6; x + 60 < client.right; x += 80)
      Text(dc, x, y, 0x202020, std::to_wstring(numbers.Below(100000)));
  }
}

void DrawDesktop(HDC dc, int width, int height) {
  Numbers numbers(20240611);
  Fill(dc, {0, 0, width, height}, 0x8A5A2E);
  const COLORREF icons[] = {0x30A0E0, 0x2080F0, 0x40C060, 0xD07030, 0x8040B0};
  for (int i = 0; i * 90 + 100 < height - 40; ++i) {
    const int y = 20 + i * 90;
    Fill(dc, {24, y, 72, y + 48}, icons[numbers.Below(int(std::size(icons)))]);
    Fill(dc, {34, y + 10, 62, y + 38}, 0xF8F8F8);
    Text(dc, 16, y + 54, 0xFFFFFF, kWords[numbers.Below(int(std::size(kWords)))]);
  }
  const COLORREF titles[] = {0x9C5A1E, 0x3C7A2A, 0x2A3CA0, 0x6A6A6A};
  for (int i = 0; i < 7; ++i) {
    const int w = 360 + numbers.Below(width / 3), h = 220 + numbers.Below(height / 3);
    const int x = 110 + numbers.Below(std::max(1, width - w - 120));
    const int y = 10 + numbers.Below(std::max(1, height - h - 60));
    DrawWindowFrame(dc, {x, y, x + w, y + h}, titles[i % 4], numbers);
  }
  Fill(dc, {0, height - 40, width, height}, 0x303030);
  Fill(dc, {0, height - 40, 90, height}, 0x505050);
  Text(dc, 24, height - 27, 0xFFFFFF, L"Start");
  for (int i = 0; i < 6; ++i) {
    const int x = 100 + i * 170;
    Fill(dc, {x, height - 36, x + 160, height - 4}, 0x484848);
    Text(dc, x + 10, height - 27, 0xE0E0E0, Sentence(numbers, 2));
  }
  Text(dc, width - 60, height - 27, 0xFFFFFF, L"09:41");
}

}  // namespace

Picture PhotoScene(int width, int height) {
  Picture picture{width, height, std::vector<uint32_t>(size_t(width) * height)};
  Numbers numbers(12345);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t noise = (numbers.Next() >> 24) & 0x1F;
      const uint32_t r = (x * 255 / width + noise) & 0xFF, g = (y * 255 / height + noise) & 0xFF;
      const uint32_t b = ((x + y) * 127 / (width + height) + noise * 2) & 0xFF;
      picture.pixels[size_t(y) * width + x] = (r << 16) | (g << 8) | b;
    }
  return picture;
}

Picture DesktopScene(int width, int height) {
  Picture picture;
  BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  UniqueBitmap section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDc dc(CreateCompatibleDC(nullptr));
  UniqueFont font(CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
  if (!section || !dc || !font) return picture;
  {
    ScopedSelect selectBitmap(dc.Get(), section.Get());
    ScopedSelect selectFont(dc.Get(), font.Get());
    SetBkMode(dc.Get(), TRANSPARENT);
    DrawDesktop(dc.Get(), width, height);
    GdiFlush();
  }
  picture = {width, height, std::vector<uint32_t>(size_t(width) * height)};
  std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(uint32_t));
  for (uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
  return picture;
}

std::vector<Scene> BenchScenes(int width, int height) {
  std::vector<Scene> scenes;
  scenes.push_back({"photo-like", PhotoScene(width, height)});
  scenes.push_back({"desktop-like", DesktopScene(width, height)});
  return scenes;
}

}  // namespace kx::bench
