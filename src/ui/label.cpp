#include "ui/label.h"

#include "ui/offscreen.h"
#include "ui/ui_font.h"
#include "ui/window_base.h"

namespace kx {

namespace {
constexpr COLORREF kTextColour = 0x484646;
constexpr int kMaxText = 127;
}  // namespace

bool LabelEx::RegisterWindowClass(HINSTANCE instance) {
  return RegisterPlainWindowClass(instance, kLabelClass, WindowProcThunk<LabelEx>);
}

LRESULT LabelEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      font_.Reset(CreateUiFont(L"Tahoma", 13, create->lpCreateParams != nullptr));
      SetWindowTextW(hwnd_, create->lpszName);
      return 0;
    }
    case WM_PAINT:
      PaintBuffered(hwnd_, [this](HDC dc, int w, int h) { Paint(dc, w, h); });
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      // Clicks belong to the window under the label: it may take the focus from an edit box.
      SendMessageW(GetParent(hwnd_), message, wParam, lParam);
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void LabelEx::Paint(HDC dc, int w, int h) const {
  RECT all = {0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  wchar_t text[kMaxText + 1] = {};
  GetWindowTextW(hwnd_, text, kMaxText + 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTextColour);
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
