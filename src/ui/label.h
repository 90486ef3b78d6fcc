// HLabelEx_0000: a white one-line text label that passes mouse clicks on to its parent.
#pragma once

#include <windows.h>

#include "base/handles.h"
#include "ui/window_base.h"

namespace kx {

inline constexpr wchar_t kLabelClass[] = L"HLabelEx_0000";

class LabelEx : public Window {
 public:
  static constexpr const wchar_t* kClassName = kLabelClass;
  using Window::Window;
  void Paint(HDC dc, int width, int height) const override;

 private:
  void OnCreate(const CREATESTRUCTW& create) override;
  void OnButtonDown(UINT message, POINT client, WPARAM keys) override;

  UniqueFont font_;  // bold or not comes with the creation parameter
};

HWND CreateLabelEx(HWND parent, const wchar_t* text, int id, int x, int y, int width, int height,
                   bool bold);

}  // namespace kx
