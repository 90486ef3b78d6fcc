#include "ui/edit.h"

#include "ui/offscreen.h"
#include "ui/ui_font.h"
#include "ui/window_base.h"

namespace kx {

namespace {
constexpr COLORREF kTextColour = 0x484646;
constexpr COLORREF kFrameColour = 0xDCDCDC;
constexpr COLORREF kCornerColour = 0xF4F4F4;
}  // namespace

RECT InnerEditRect(int width, int height) {
  return RECT{7, 10, 7 + width - 14, 10 + height - 20};
}

bool InnerEditIsMultiline(int height) {
  return height - 20 >= 26;
}

EditEx::EditEx(HWND hwnd) : hwnd_(hwnd), font_(CreateUiFont(L"Tahoma", 13, false)) {}

bool EditEx::RegisterWindowClass(HINSTANCE instance) {
  return RegisterPlainWindowClass(instance, kEditClass, WindowProcThunk<EditEx>);
}

LRESULT EditEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return 0;
    case WM_SETTEXT:
    case WM_GETTEXT:
    case EM_SETSEL:
    case EM_LIMITTEXT:
    case EM_SETPASSWORDCHAR:
    case EM_GETPASSWORDCHAR:
    case EM_GETLIMITTEXT:
      return SendMessageW(inner_, message, wParam, lParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == kInnerEditId) OnInnerCommand(wParam);
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kTextColour);
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_PAINT:
      PaintBuffered(hwnd_, [this](HDC dc, int w, int h) { Paint(dc, w, h); });
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void EditEx::OnCreate(const CREATESTRUCTW& create) {
  RECT client;
  GetClientRect(hwnd_, &client);
  DWORD extra = DWORD(reinterpret_cast<UINT_PTR>(create.lpCreateParams));
  DWORD style = WS_CHILD | WS_VISIBLE | extra |
                (InnerEditIsMultiline(client.bottom) ? ES_MULTILINE : ES_AUTOHSCROLL);
  RECT inner = InnerEditRect(client.right, client.bottom);
  inner_ = CreateWindowExW(0, L"EDIT", L"", style, inner.left, inner.top, inner.right - inner.left,
                           inner.bottom - inner.top, hwnd_,
                           reinterpret_cast<HMENU>(INT_PTR(kInnerEditId)),
                           GetModuleHandleW(nullptr), nullptr);
  if (inner_) SendMessageW(inner_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  SetWindowTextW(hwnd_, create.lpszName);
}

void EditEx::OnInnerCommand(WPARAM wParam) {
  SendMessageW(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), HIWORD(wParam)),
               reinterpret_cast<LPARAM>(hwnd_));
}

void EditEx::Paint(HDC dc, int w, int h) const {
  RECT all = {0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  UniqueBrush frame(CreateSolidBrush(kFrameColour));
  if (frame) FrameRect(dc, &all, frame.Get());
  const POINT corners[] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
  for (POINT p : corners) SetPixel(dc, p.x, p.y, kCornerColour);
}

HWND CreateEditEx(HWND parent, const wchar_t* text, int id, int x, int y, int width, int height,
                  DWORD editStyles) {
  return CreateWindowExW(0, kEditClass, text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr),
                         reinterpret_cast<void*>(UINT_PTR(editStyles)));
}

}  // namespace kx
