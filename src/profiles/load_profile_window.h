// Load Profile: lists "Default" and the stored profiles, loads one into the current settings
// or deletes one. Cancel restores the settings the window opened with; deletions stay.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"
#include "profiles/profile_files.h"
#include "ui/tool_window.h"

namespace kx {

class LoadProfileWindow : public ToolWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXLoadProfileWndClass";
  static constexpr int kHeight = 471;
  LoadProfileWindow(HWND window, const ProfileBook& book);

 protected:
  void OnCreate(const CREATESTRUCTW& create) override;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintContent(HDC dc, int width, int height) const override;

 private:
  void FillList(const CaptureProfile* match);
  // Selects an item; "Default" cannot be deleted.
  void Select(int index);
  std::wstring ItemText(int index) const;
  void OnOk();
  void OnDelete();
  void OnCancel();
  void DrawItem(const DRAWITEMSTRUCT& item) const;

  ProfileBook book_;
  CaptureProfile opened_ = {};  // the settings when the window opened, for Cancel
  UniqueFont font_;
};

// Opens Load Profile over `owner`; returns when it has closed. The caller refreshes what it
// shows and rewrites Profiles.db, whatever happened in the window.
void RunLoadProfileWindow(HWND owner, const ProfileBook& book);

}  // namespace kx
