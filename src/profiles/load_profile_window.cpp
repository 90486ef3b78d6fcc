#include "profiles/load_profile_window.h"

#include "capture/profile_values.h"
#include "ui/offscreen.h"
#include "ui/theme.h"
#include "ui/ui_font.h"

namespace kx {

namespace {

constexpr int kDeleteId = 1028;
constexpr int kListId = 1029;
constexpr int kHeadingId = 1030;
constexpr RECT kListRect = {22, 103, 22 + 391, 103 + 297};
// The frame around the list area, as far from the window's edges as given here.
constexpr int kListFrameLeft = 19, kListFrameTop = 100, kListFrameRight = 19, kListFrameBottom = 68;
// Item text from x = 7 to 3 pixels short of the item's right end.
constexpr int kItemTextLeft = 7, kItemTextRightInset = 3;

}  // namespace

LoadProfileWindow::LoadProfileWindow(HWND window, const ProfileBook& book)
    : ToolWindow(window), book_(book), font_(CreateUiFont()) {}

void LoadProfileWindow::OnCreate(const CREATESTRUCTW&) {
  AddHeading(L"Load Profile", kHeadingId);
  AddOkCancelRow();
  HWND remove = AddRowButton(L"Delete", kDeleteId, theme::kResetX);
  EnableWindow(remove, FALSE);
  const RECT& r = kListRect;
  CreateWindowExW(0, L"LISTBOX", L"",
                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                      LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                  r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd,
                  reinterpret_cast<HMENU>(INT_PTR(kListId)), GetModuleHandleW(nullptr), nullptr);
  FillList(&book_.current);
  opened_ = book_.current;
}

// Every name goes in at the top, the list head first, so that "Default" ends first and the
// most recently saved profile last. A match is selected as it goes in; the list box moves
// that selection down with its item as the later ones go in above it.
void LoadProfileWindow::FillList(const CaptureProfile* match) {
  HWND list = Control(kListId);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  const auto insertAtTop = [list](const wchar_t* name) {
    SendMessageW(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(name));
  };
  bool matched = false;
  for (const ProfileRecord& record : book_.stored) {
    insertAtTop(FieldText(record.name).c_str());
    if (match && ProfilesEqual(record.profile, *match)) {
      SendMessageW(list, LB_SETCURSEL, 0, 0);
      matched = true;
    }
  }
  insertAtTop(kDefaultProfileName);
  if (!matched) SendMessageW(list, LB_SETCURSEL, 0, 0);
  EnableWindow(Control(kDeleteId), matched);
}

void LoadProfileWindow::Select(int index) {
  SendMessageW(Control(kListId), LB_SETCURSEL, index, 0);
  EnableWindow(Control(kDeleteId), index != 0);
}

std::wstring LoadProfileWindow::ItemText(int index) const {
  HWND list = Control(kListId);
  LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(size_t(length) + 1, L'\0');
  LRESULT copied = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : size_t(copied));
  return text;
}

LRESULT LoadProfileWindow::OnCommand(WPARAM wParam, LPARAM) {
  switch (LOWORD(wParam)) {
    case kOkId:
      OnOk();
      break;
    case kCancelId:
      OnCancel();
      break;
    case kDeleteId:
      OnDelete();
      break;
    case kListId:
      if (HIWORD(wParam) == LBN_SELCHANGE)
        EnableWindow(Control(kDeleteId), SendMessageW(Control(kListId), LB_GETCURSEL, 0, 0) != 0);
      break;
    default:
      break;
  }
  return 0;
}

void LoadProfileWindow::OnOk() {
  const int index = int(SendMessageW(Control(kListId), LB_GETCURSEL, 0, 0));
  CaptureProfile found = {};
  if (FindProfile(book_.stored, ItemText(index).c_str(), book_.defaults, found)) book_.current = found;
  CloseToolWindow(hwnd);
}

// The deleted record is gone for good; the settings fall back to the defaults until OK or
// Cancel decides.
void LoadProfileWindow::OnDelete() {
  const int index = int(SendMessageW(Control(kListId), LB_GETCURSEL, 0, 0));
  if (index <= 0) return;
  RemoveProfile(book_.stored, ItemText(index).c_str());
  book_.current = book_.defaults;
  FillList(nullptr);
  Select(index - 1);
}

void LoadProfileWindow::OnCancel() {
  book_.current = opened_;
  CloseToolWindow(hwnd);
}

LRESULT LoadProfileWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = theme::kListItemHeight;
      return TRUE;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    default:
      return ToolWindow::OnMessage(message, wParam, lParam);
  }
}

// Focus-only requests draw nothing, so the list never shows a focus rectangle.
void LoadProfileWindow::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == UINT(-1) || !(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;
  const std::wstring text = ItemText(int(item.itemID));
  const bool selected = item.itemState & ODS_SELECTED;
  PaintBufferedAt(
      item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
      theme::kListItemHeight, [&](HDC dc, int width, int height) {
        RECT all = {0, 0, width, height};
        UniqueBrush back(CreateSolidBrush(selected ? theme::kListSelected : theme::kWhite));
        FillRect(dc, &all, back.Get());
        ScopedSelect font(dc, font_.Get());
        SetTextColor(dc, theme::kListText);
        SetBkMode(dc, TRANSPARENT);
        RECT box = {kItemTextLeft, 0, width - kItemTextRightInset, height};
        DrawTextW(dc, text.c_str(), int(text.size()), &box,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      });
}

void LoadProfileWindow::PaintContent(HDC dc, int width, int height) const {
  RECT frame = {kListFrameLeft, kListFrameTop, width - kListFrameRight, height - kListFrameBottom};
  UniqueBrush brush(CreateSolidBrush(theme::kListFrame));
  FrameRect(dc, &frame, brush.Get());
}

void RunLoadProfileWindow(HWND owner, const ProfileBook& book) {
  RunToolWindow<LoadProfileWindow>(owner, book);
}

}  // namespace kx
