// HLabelEx_0000: a white one-line text label that passes mouse clicks on to its parent.
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace kx {

inline constexpr wchar_t kLabelClass[] = L"HLabelEx_0000";

class LabelEx {
 public:
  explicit LabelEx(HWND hwnd) : hwnd_(hwnd) {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  static bool RegisterWindowClass(HINSTANCE instance);
  void Paint(HDC dc, int width, int height) const;

 private:
  HWND hwnd_;
  UniqueFont font_;  // bold or not comes with the creation parameter
};

HWND CreateLabelEx(HWND parent, const wchar_t* text, int id, int x, int y, int width, int height,
                   bool bold);

}  // namespace kx
