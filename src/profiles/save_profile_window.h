// Save Profile: stores the current settings under a name typed by the user.
#pragma once

#include <windows.h>

#include "profiles/profile_files.h"
#include "ui/tool_window.h"

namespace kx {

// Shows a one-line message over `owner` and returns when it has closed. The program's
// message window lives with the shell; the profile windows are handed it.
using ShowMessageFunction = void (*)(HWND owner, const wchar_t* text);

class SaveProfileWindow : public ToolWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXSaveProfileWndClass";
  static constexpr int kHeight = 201;
  SaveProfileWindow(HWND window, const ProfileBook& book, ShowMessageFunction showMessage);

 protected:
  void OnCreate(const CREATESTRUCTW& create) override;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void OnOk();

  ProfileBook book_;
  ShowMessageFunction showMessage_;
};

// Opens Save Profile over `owner`; returns when it has closed. A saved profile is at the head
// of the list and already written to Profiles.db.
void RunSaveProfileWindow(HWND owner, const ProfileBook& book, ShowMessageFunction showMessage);

}  // namespace kx
