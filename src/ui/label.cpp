#include "ui/label.h"

#include "ui/offscreen.h"
#include "ui/theme.h"
#include "ui/ui_font.h"

namespace kx {

namespace {
constexpr int kMaxText = 127;
}  // namespace

void LabelEx::OnCreate(const CREATESTRUCTW& create) {
  font_.Reset(CreateUiFont(create.lpCreateParams != nullptr));
}

// Clicks belong to the window under the label: it may take the focus from an edit box.
void LabelEx::OnButtonDown(UINT message, POINT client, WPARAM keys) {
  if (message != WM_MBUTTONDOWN)
    SendMessageW(GetParent(hwnd), message, keys, MAKELPARAM(client.x, client.y));
}

void LabelEx::Paint(HDC dc, int w, int h) const {
  RECT all = {0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  wchar_t text[kMaxText + 1] = {};
  GetWindowTextW(hwnd, text, kMaxText + 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, theme::kBodyText);
  ScopedSelect font(dc, font_.Get());
  DrawTextW(dc, text, -1, &all, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

HWND CreateLabelEx(HWND parent, const wchar_t* text, int id, int x, int y, int width, int height,
                   bool bold) {
  return CreateWindowExW(0, kLabelClass, text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr),
                         reinterpret_cast<void*>(UINT_PTR(bold ? 1 : 0)));
}

}  // namespace kx
