#include "ui/tool_window.h"

#include "base/handles.h"
#include "base/pixel_space.h"
#include "ui/label.h"
#include "ui/theme.h"
#include "ui/tool_buttons.h"
#include "ui/tool_frame.h"
#include "ui/tool_region.h"

namespace kx {

POINT ToolWindowOrigin(const RECT& owner, int width, int height) {
  int ownerWidth = owner.right - owner.left, ownerHeight = owner.bottom - owner.top;
  return POINT{owner.left + (ownerWidth - width) / 2, owner.top + (ownerHeight - height) / 2};
}

int RunToolWindowOfClass(const wchar_t* className, HWND owner, int height, const wchar_t* text,
                         const WindowMaker* maker) {
  HWND window = nullptr;
  {
    // The owner's rectangle is read in the new window's pixels, so that it centres there
    // also when the capture flow (physical pixels) opens it.
    ScopedPixelSpace skin(PixelSpace::kSkin);
    RECT ownerRect = {};
    GetWindowRect(owner, &ownerRect);
    POINT origin = ToolWindowOrigin(ownerRect, theme::kToolWidth, height);
    window = CreateWindowWithMaker(
        className,
        {0, WS_POPUP, int(origin.x), int(origin.y), theme::kToolWidth, height, owner, text}, maker);
    if (!window) return 0;
    SetToolWindowRegion(window, theme::kToolWidth, height);
    UpdateWindow(window);
    ShowWindow(window, SW_SHOW);
  }
  EnableWindow(owner, FALSE);
  return RunModalLoop(window);
}

namespace {

bool programEnding = false;

}  // namespace

void ProgramStarts() {
  programEnding = false;
}

void PostProgramQuit() {
  programEnding = true;
  PostQuitMessage(0);
}

bool ProgramEnding() {
  return programEnding;
}

int RunModalLoop(HWND window) {
  MSG msg = {};
  BOOL got = 0;
  // The end is asked for before each wait: the quit message may already have been taken by a
  // loop further in (a platform dialog's), or be waiting for the process's own loop.
  while (!programEnding && (got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (programEnding && IsWindow(window)) DestroyWindow(window);
  return got == 0 ? int(msg.wParam) : 0;
}

LRESULT ToolWindowHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  POINT p = {short(LOWORD(lParam)), short(HIWORD(lParam))};
  ScreenToClient(hwnd, &p);
  LRESULT hit = DefWindowProcW(hwnd, WM_NCHITTEST, wParam, lParam);
  return hit == HTCLIENT && p.y < theme::kDragBandHeight ? HTCAPTION : hit;
}

void CloseToolWindow(HWND hwnd) {
  EnableWindow(GetWindow(hwnd, GW_OWNER), TRUE);
  DestroyWindow(hwnd);
}

void ToolWindow::Paint(HDC dc, int width, int height) const {
  PaintToolFrame(dc, width, height, SkinId());
  PaintContent(dc, width, height);
}

LRESULT ToolWindow::OnCommand(WPARAM wParam, LPARAM) {
  if (LOWORD(wParam) == kOkId) CloseToolWindow(hwnd);
  return 0;
}

void ToolWindow::OnButtonDown(UINT message, POINT, WPARAM) {
  if (TakesFocusOnClick() && message != WM_MBUTTONDOWN) SetFocus(hwnd);
}

void ToolWindow::OnDestroy() {
  EnableWindow(GetWindow(hwnd, GW_OWNER), TRUE);
  PostQuitMessage(0);
}

LRESULT ToolWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return ToolWindowHitTest(hwnd, wParam, lParam);
  return Window::OnMessage(message, wParam, lParam);
}

HWND ToolWindow::AddHeading(const wchar_t* text, int id) const {
  const RECT& r = theme::kHeading;
  return CreateLabelEx(hwnd, text, id, r.left, r.top, r.right - r.left, r.bottom - r.top, true);
}

HWND ToolWindow::AddLoneOkButton() const {
  return AddRowButton(L"OK", kOkId, theme::kLoneOkX);
}

void ToolWindow::AddOkCancelRow() const {
  AddRowButton(L"OK", kOkId, theme::kOkX);
  AddRowButton(L"Cancel", kCancelId, theme::kCancelX);
}

void ToolWindow::AddOkCancelResetRow() const {
  AddOkCancelRow();
  AddRowButton(L"Reset", kResetId, theme::kResetX);
}

HWND ToolWindow::AddRowButton(const wchar_t* text, int id, int x) const {
  return CreatePlainButton(hwnd, text, id, x, ClientHeight() - theme::kButtonsFromBottom,
                           theme::kButtonWidth, theme::kButtonHeight);
}

void ToolWindow::DrawCentredLine(HDC dc, HFONT font, const wchar_t* text, int length, RECT box) {
  ScopedSelect select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, theme::kBodyText);
  DrawTextW(dc, text, length, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

int ToolWindow::ClientHeight() const {
  RECT r;
  GetClientRect(hwnd, &r);
  return r.bottom - r.top;
}

}  // namespace kx
