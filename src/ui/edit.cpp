#include "ui/edit.h"

#include "ui/theme.h"
#include "ui/ui_font.h"

namespace kx {

RECT InnerEditRect(int width, int height) {
  return RECT{7, 10, 7 + width - 14, 10 + height - 20};
}

bool InnerEditIsMultiline(int height) {
  return height - 20 >= 26;
}

EditEx::EditEx(HWND window) : Window(window), font_(CreateUiFont()) {}

LRESULT EditEx::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
    case WM_GETTEXT:
    case EM_SETSEL:
    case EM_LIMITTEXT:
    case EM_SETPASSWORDCHAR:
    case EM_GETPASSWORDCHAR:
    case EM_GETLIMITTEXT:
      return SendMessageW(inner_, message, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, theme::kBodyText);
      SetBkColor(dc, theme::kWhite);
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    default:
      return Window::OnMessage(message, wParam, lParam);
  }
}

// The inner edit's notifications reach the parent under the wrapper's id.
LRESULT EditEx::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == kInnerEditId)
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), HIWORD(wParam)),
                 reinterpret_cast<LPARAM>(hwnd));
  return DefWindowProcW(hwnd, WM_COMMAND, wParam, lParam);
}

void EditEx::OnCreate(const CREATESTRUCTW& create) {
  RECT client;
  GetClientRect(hwnd, &client);
  DWORD extra = DWORD(reinterpret_cast<UINT_PTR>(create.lpCreateParams));
  DWORD style = WS_CHILD | WS_VISIBLE | extra |
                (InnerEditIsMultiline(client.bottom) ? ES_MULTILINE : ES_AUTOHSCROLL);
  RECT inner = InnerEditRect(client.right, client.bottom);
  inner_ = CreateWindowExW(0, L"EDIT", L"", style, inner.left, inner.top, inner.right - inner.left,
                           inner.bottom - inner.top, hwnd,
                           reinterpret_cast<HMENU>(INT_PTR(kInnerEditId)),
                           GetModuleHandleW(nullptr), nullptr);
  if (inner_) SendMessageW(inner_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  // The wrapper's own text was stored by the default creation; the inner edit shows it.
  SetWindowTextW(inner_, create.lpszName);
}

void EditEx::Paint(HDC dc, int w, int h) const {
  RECT all = {0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  UniqueBrush frame(CreateSolidBrush(theme::kEditFrame));
  if (frame) FrameRect(dc, &all, frame.Get());
  const POINT corners[] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
  for (POINT p : corners) SetPixel(dc, p.x, p.y, theme::kEditCorner);
}

HWND CreateEditEx(HWND parent, const wchar_t* text, int id, int x, int y, int width, int height,
                  DWORD editStyles) {
  return CreateWindowExW(0, kEditClass, text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr),
                         reinterpret_cast<void*>(UINT_PTR(editStyles)));
}

}  // namespace kx
