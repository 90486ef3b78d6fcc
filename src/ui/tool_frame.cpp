#include "ui/tool_frame.h"

#include "base/handles.h"
#include "resource_ids.h"
#include "ui/resource_picture.h"
#include "ui/theme.h"
#include "ui/ui_font.h"

namespace kx {

namespace {

constexpr int kBandHeight = 43;
constexpr int kBandLeft = 4;
constexpr int kBandRightSource = 210, kBandRight = 110;
constexpr int kStretchColumn = 5;
constexpr int kEdgeHeight = 4;
constexpr int kEdgeCornerSource = 316;
constexpr int kSideRow = 30, kSideWidth = 3;
constexpr int kFirstDash = 3, kDashPeriod = 6, kDashLength = 2;

void DrawLine(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

}  // namespace

std::vector<int> GroupFrameDashStarts(int length) {
  std::vector<int> starts;
  if (length - 3 <= 3) return starts;
  for (int s = kFirstDash; starts.empty() || s < length - 3; s += kDashPeriod) starts.push_back(s);
  return starts;
}

void PaintSkinFrame(HDC dc, int w, int h, UINT skinId) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, theme::kBodyText);
  ResourcePicture skin(dc, skinId);
  if (skin) {
    HDC s = skin.Dc();
    BitBlt(dc, 0, 0, kBandLeft, kBandHeight, s, 0, 0, SRCCOPY);
    BitBlt(dc, w - kBandRight, 0, kBandRight, kBandHeight, s, kBandRightSource, 0, SRCCOPY);
    for (int x = kBandLeft; x <= w - kBandRight - 1; ++x)
      BitBlt(dc, x, 0, 1, kBandHeight, s, kStretchColumn, 0, SRCCOPY);
    const int edgeY = h - kEdgeHeight;
    BitBlt(dc, 0, edgeY, kEdgeHeight, kEdgeHeight, s, 0, kBandHeight, SRCCOPY);
    BitBlt(dc, w - kEdgeHeight, edgeY, kEdgeHeight, kEdgeHeight, s, kEdgeCornerSource, kBandHeight,
           SRCCOPY);
    for (int x = kEdgeHeight; x <= w - 5; ++x)
      BitBlt(dc, x, edgeY, 1, kEdgeHeight, s, kStretchColumn, kBandHeight, SRCCOPY);
    for (int y = kBandHeight; y <= h - 5; ++y) {
      BitBlt(dc, 0, y, kSideWidth, 1, s, 0, kSideRow, SRCCOPY);
      BitBlt(dc, w - kSideWidth, y, kSideWidth, 1, s, 0, kSideRow, SRCCOPY);
    }
  }
  RECT body = {kSideWidth, kBandHeight, w - kSideWidth, h - kEdgeHeight};
  FillRect(dc, &body, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void DrawSeparator(HDC dc, int y, int w, COLORREF colour) {
  UniquePen pen(CreatePen(PS_SOLID, 1, colour));
  ScopedSelect select(dc, pen.Get());
  DrawLine(dc, 15, y, w - 15, y);
}

void PaintToolFrame(HDC dc, int w, int h, UINT skinId) {
  PaintSkinFrame(dc, w, h, skinId ? skinId : IDB_TOOL_SKIN);
  DrawSeparator(dc, theme::kSeparatorY, w, theme::kSeparator);
}

int DrawGroupFrame(HDC dc, const wchar_t* title, int x, int y, int w, int h) {
  {
    UniquePen pen(CreatePen(PS_SOLID, 1, theme::kGroupDots));
    ScopedSelect select(dc, pen.Get());
    for (int s : GroupFrameDashStarts(w)) {
      DrawLine(dc, x + s, y, x + s + kDashLength, y);
      DrawLine(dc, x + s, y + h - 1, x + s + kDashLength, y + h - 1);
    }
    for (int s : GroupFrameDashStarts(h)) {
      DrawLine(dc, x, y + s, x, y + s + kDashLength);
      DrawLine(dc, x + w - 1, y + s, x + w - 1, y + s + kDashLength);
    }
  }
  UniqueFont font(CreateUiFont(true));
  ScopedSelect select(dc, font.Get());
  RECT box = {x + 9, y - 18, x + w, y + h};
  DrawTextW(dc, title, -1, &box, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
  return 1;
}

}  // namespace kx
