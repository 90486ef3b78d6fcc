#include "profiles/save_profile_window.h"

#include "capture/profile_values.h"
#include "ui/edit.h"

namespace kx {

namespace {

constexpr int kNameId = 1028;
constexpr int kHeadingId = 1030;
constexpr int kNameLimit = 30;
// Longer than the box allows, so a name is never cut here.
constexpr int kNameReadChars = 80;

constexpr const wchar_t* kIdenticalText = L"An identical profile already exists.";
constexpr const wchar_t* kBlankText = L"Profile name cannot be blank.";
constexpr const wchar_t* kTakenText = L"Profile with the specified name already exists.";

}  // namespace

SaveProfileWindow::SaveProfileWindow(HWND window, const ProfileBook& book,
                                     ShowMessageFunction showMessage)
    : ToolWindow(window), book_(book), showMessage_(showMessage) {}

void SaveProfileWindow::OnCreate(const CREATESTRUCTW&) {
  AddHeading(L"Save Profile", kHeadingId);
  AddOkCancelRow();
  HWND name = CreateEditEx(hwnd, L"New Profile", kNameId, 19, 100, 397, 33, 0);
  SendMessageW(name, EM_LIMITTEXT, kNameLimit, 0);
}

LRESULT SaveProfileWindow::OnCommand(WPARAM wParam, LPARAM) {
  switch (LOWORD(wParam)) {
    case kOkId:
      OnOk();
      break;
    case kCancelId:
      CloseToolWindow(hwnd);
      break;
    default:
      break;
  }
  return 0;
}

// Every refusal leaves the window open for another try; a full list refuses silently.
void SaveProfileWindow::OnOk() {
  if (book_.stored.size() >= kMaxStoredProfiles) return;
  if (ProfilesEqual(book_.current, book_.defaults)) return showMessage_(hwnd, kIdenticalText);
  wchar_t name[kNameReadChars + 1] = {};
  GetWindowTextW(Control(kNameId), name, kNameReadChars + 1);
  if (!name[0]) return showMessage_(hwnd, kBlankText);
  switch (AddProfile(book_.stored, book_.current, name)) {
    case kStatusOk:
      SaveProfileList(book_.stored);
      CloseToolWindow(hwnd);
      break;
    case kStatusSameNameExists:
      showMessage_(hwnd, kTakenText);
      break;
    default:
      showMessage_(hwnd, kIdenticalText);
      break;
  }
}

void RunSaveProfileWindow(HWND owner, const ProfileBook& book, ShowMessageFunction showMessage) {
  RunToolWindow<SaveProfileWindow>(owner, book, showMessage);
}

}  // namespace kx
