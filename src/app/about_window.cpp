#include "app/about_window.h"

#include "resource_ids.h"
#include "ui/label.h"
#include "ui/resource_picture.h"
#include "ui/tool_buttons.h"
#include "ui/tool_frame.h"
#include "ui/tool_region.h"
#include "ui/ui_font.h"
#include "ui/window_base.h"

namespace kx {

namespace {

constexpr int kOkButtonId = 1026;
constexpr int kHeadingId = 1027;
constexpr COLORREF kInfoTextColour = RGB(70, 70, 72);

void CreateHeadingAndOk(HWND hwnd, const wchar_t* heading, int okY) {
  CreateLabelEx(hwnd, heading, kHeadingId, 19, 48, 397, 19, true);
  CreatePlainButton(hwnd, L"OK", kOkButtonId, 172, okY, 91, 37);
}

LRESULT CloseOnOk(HWND hwnd, WPARAM wParam) {
  if (LOWORD(wParam) == kOkButtonId) CloseToolWindow(hwnd);
  return 0;
}

void DrawCentredLine(HDC dc, HFONT font, const wchar_t* text, int length, RECT box) {
  ScopedSelect select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kInfoTextColour);
  DrawTextW(dc, text, length, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

int ClientHeight(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return r.bottom - r.top;
}

}  // namespace

InfoWindow::InfoWindow(HWND window)
    : ToolWindow(window),
      font_(CreateUiFont(L"Tahoma", 13, false)),
      boldFont_(CreateUiFont(L"Tahoma", 13, true)) {}

bool InfoWindow::RegisterWindowClass(HINSTANCE instance) {
  return RegisterToolWindowClass(instance, kAboutWindowClass, WindowProcThunk<InfoWindow>);
}

void InfoWindow::OnCreate() {
  CreateHeadingAndOk(hwnd, L"About", ClientHeight(hwnd) - 54);
}

LRESULT InfoWindow::OnCommand(WPARAM wParam, LPARAM) {
  return CloseOnOk(hwnd, wParam);
}

void InfoWindow::PaintContent(HDC dc, int width, int) {
  // The About window's separator is a shade warmer than the other windows'.
  DrawSeparator(dc, kSeparatorY, width, RGB(217, 217, 205));
  if (ResourcePicture logo(dc, IDB_LOGO_LARGE); logo)
    BitBlt(dc, 166, 123, logo.Width(), logo.Height(), logo.Dc(), 0, 0, SRCCOPY);
  DrawGroupFrame(dc, L"", 19, 100, width - 38, 205);
  DrawCentredLine(dc, boldFont_.Get(), L"HALVECOR Kestrix", -1, RECT{20, 237, width - 20, 257});
  DrawCentredLine(dc, font_.Get(), L"version 1.1.0.5", -1, RECT{20, 257, width - 20, 277});
}

MessageWindow::MessageWindow(HWND window)
    : ToolWindow(window), font_(CreateUiFont(L"Tahoma", 13, false)) {}

bool MessageWindow::RegisterWindowClass(HINSTANCE instance) {
  return RegisterToolWindowClass(instance, kMessageWindowClass, WindowProcThunk<MessageWindow>);
}

void MessageWindow::OnCreate() {
  CreateHeadingAndOk(hwnd, L"Information", 184);
}

LRESULT MessageWindow::OnCommand(WPARAM wParam, LPARAM) {
  return CloseOnOk(hwnd, wParam);
}

void MessageWindow::PaintContent(HDC dc, int width, int height) {
  DrawGroupFrame(dc, L"", 19, 100, width - 38, 70);
  wchar_t text[kMessageTextChars + 1] = {};
  int length = GetWindowTextW(hwnd, text, kMessageTextChars + 1);
  DrawCentredLine(dc, font_.Get(), text, length, RECT{20, 101, width - 20, height - 69});
}

void RunAboutWindow(HWND owner) {
  RunToolWindow(kAboutWindowClass, owner, kAboutWindowHeight);
}

void ShowMessageWindow(HWND owner, const wchar_t* text) {
  RunToolWindow(kMessageWindowClass, owner, kMessageWindowHeight, text);
}

}  // namespace kx
