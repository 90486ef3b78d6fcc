#include "ui/tooltip.h"

#include <algorithm>

#include "ui/theme.h"
#include "ui/ui_font.h"

namespace kx {

namespace {
constexpr int kArrowRows = 5;
constexpr int kWideAnchorArrowX = 19;
}  // namespace

std::vector<std::wstring_view> NonEmptyLines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = std::min(text.find(L'\n', start), text.size());
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

int ToolTipLineCount(std::wstring_view text) {
  return 1 + int(std::count(text.begin(), text.end(), L'\n'));
}

SIZE ToolTipSize(int widestLine, int lineHeight, int lines) {
  return SIZE{widestLine + 18, lines * lineHeight + 23};
}

int ToolTipArrowX(int anchorWidth, int tooltipWidth) {
  int a = (anchorWidth - 4) / 2;
  return a > tooltipWidth / 2 ? kWideAnchorArrowX : a;
}

// A click on the tip raises the window it explains.
void ToolTipEx::OnButtonDown(UINT, POINT, WPARAM) {
  BringWindowToTop(GetWindow(hwnd, GW_OWNER));
}

void ToolTipEx::OnCreate(const CREATESTRUCTW& create) {
  text_ = create.lpszName ? create.lpszName : L"";
  brush_.Reset(CreateSolidBrush(theme::kToolTipBack));
  font_.Reset(CreateUiFont(theme::kToolTipFace, theme::kToolTipFontHeight, true));

  HWND anchor = static_cast<HWND>(create.lpCreateParams);
  RECT anchorRect = {};
  GetWindowRect(anchor, &anchorRect);

  int widest = 0, lineHeight = 0;
  {
    ScopedWindowDc dc(hwnd);
    ScopedSelect font(dc.Get(), font_.Get());
    for (std::wstring_view line : NonEmptyLines(text_)) {
      SIZE size = {};
      GetTextExtentPoint32W(dc.Get(), line.data(), int(line.size()), &size);
      widest = std::max(widest, int(size.cx));
      lineHeight = size.cy;
    }
    if (lineHeight == 0) {
      TEXTMETRICW metrics = {};
      GetTextMetricsW(dc.Get(), &metrics);
      lineHeight = metrics.tmHeight;
    }
  }
  SIZE size = ToolTipSize(widest, lineHeight, ToolTipLineCount(text_));
  SetWindowPos(hwnd, HWND_TOPMOST, anchorRect.left + 2, anchorRect.bottom + 3, size.cx, size.cy,
               SWP_NOACTIVATE);

  RECT anchorClient = {};
  GetClientRect(anchor, &anchorClient);
  int a = ToolTipArrowX(anchorClient.right, size.cx);
  UniqueRgn shape(CreateRectRgn(0, kArrowRows, size.cx, size.cy));
  for (int k = 0; k < kArrowRows && shape; ++k) {
    UniqueRgn row(CreateRectRgn(a - k, k, a + k + 1, k + 1));
    if (row) CombineRgn(shape.Get(), shape.Get(), row.Get(), RGN_OR);
  }
  if (shape && SetWindowRgn(hwnd, shape.Get(), TRUE)) shape.Release();
}

void ToolTipEx::Paint(HDC dc, int w, int h) const {
  RECT all = {0, 0, w, h};
  if (brush_) FillRect(dc, &all, brush_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, theme::kWhite);
  ScopedSelect font(dc, font_.Get());
  RECT box = {9, 14, w, h};
  DrawTextW(dc, text_.c_str(), int(text_.size()), &box, DT_LEFT | DT_TOP | DT_NOPREFIX);
}

HWND CreateToolTipEx(HWND owner, HWND anchor, const wchar_t* text) {
  HWND tip = CreateWindowExW(0, kToolTipClass, text, WS_POPUP, 0, 0, 0, 0, owner, nullptr,
                             GetModuleHandleW(nullptr), anchor);
  if (!tip) return nullptr;
  UpdateWindow(tip);
  ShowWindow(tip, SW_SHOWNA);
  return tip;
}

}  // namespace kx
