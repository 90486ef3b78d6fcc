// HEditEx_0000: a white, thin-framed box around a standard edit control. Text messages go
// to the inner edit; its notifications reach the parent under the wrapper's own id.
#pragma once

#include <windows.h>

#include "base/handles.h"
#include "ui/window_base.h"

namespace kx {

inline constexpr wchar_t kEditClass[] = L"HEditEx_0000";
inline constexpr int kInnerEditId = 1026;

// Inner edit placement in a W x H box: (7, 10), (W - 14) x (H - 20); single-line when
// the inner height is below 26.
RECT InnerEditRect(int width, int height);
bool InnerEditIsMultiline(int height);

class EditEx : public Window {
 public:
  static constexpr const wchar_t* kClassName = kEditClass;
  explicit EditEx(HWND window);
  void Paint(HDC dc, int width, int height) const override;
  HWND Inner() const { return inner_; }

 private:
  void OnCreate(const CREATESTRUCTW& create) override;
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  UniqueFont font_;
  HWND inner_ = nullptr;
};

// A visible edit box; `editStyles` are added to the inner edit's styles.
HWND CreateEditEx(HWND parent, const wchar_t* text, int id, int x, int y, int width, int height,
                  DWORD editStyles);

}  // namespace kx
