#include "app/about_window.h"

#include "resource_ids.h"
#include "ui/resource_picture.h"
#include "ui/theme.h"
#include "ui/tool_frame.h"
#include "ui/ui_font.h"

namespace kx {

namespace {
constexpr int kHeadingId = 1027;
}  // namespace

InfoWindow::InfoWindow(HWND window)
    : ToolWindow(window), font_(CreateUiFont(false)), boldFont_(CreateUiFont(true)) {}

void InfoWindow::OnCreate(const CREATESTRUCTW&) {
  AddHeading(Heading(), kHeadingId);
  AddLoneOkButton();
}

void AboutWindow::PaintContent(HDC dc, int width, int) const {
  DrawSeparator(dc, theme::kSeparatorY, width, theme::kAboutSeparator);
  if (ResourcePicture logo(dc, IDB_LOGO_LARGE); logo)
    BitBlt(dc, 166, 123, logo.Width(), logo.Height(), logo.Dc(), 0, 0, SRCCOPY);
  DrawGroupFrame(dc, L"", 19, 100, width - 38, 205);
  DrawCentredLine(dc, BoldFont(), L"HALVECOR Kestrix", -1, RECT{20, 237, width - 20, 257});
  DrawCentredLine(dc, Font(), L"version 1.1.0.5", -1, RECT{20, 257, width - 20, 277});
}

MessageWindow::MessageWindow(HWND window) : ToolWindow(window), font_(CreateUiFont(false)) {}

void MessageWindow::OnCreate(const CREATESTRUCTW&) {
  AddHeading(L"Information", kHeadingId);
  AddLoneOkButton();
}

void MessageWindow::PaintContent(HDC dc, int width, int height) const {
  DrawGroupFrame(dc, L"", 19, 100, width - 38, 70);
  wchar_t text[kMessageTextChars + 1] = {};
  int length = GetWindowTextW(hwnd, text, kMessageTextChars + 1);
  DrawCentredLine(dc, font_.Get(), text, length, RECT{20, 101, width - 20, height - 69});
}

void RunAboutWindow(HWND owner) {
  RunToolWindow<AboutWindow>(owner);
}

void ShowMessageWindow(HWND owner, const wchar_t* text) {
  RunToolWindowTitled<MessageWindow>(owner, text);
}

}  // namespace kx
