// HToolTipEx_0000: the dark help popup with a small arrow that points up at its anchor.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/handles.h"
#include "ui/window_base.h"

namespace kx {

inline constexpr wchar_t kToolTipClass[] = L"HToolTipEx_0000";

// Pure layout of the tooltip.
std::vector<std::wstring_view> NonEmptyLines(std::wstring_view text);
int ToolTipLineCount(std::wstring_view text);  // 1 + newlines; empty lines count
SIZE ToolTipSize(int widestLine, int lineHeight, int lines);
// x of the arrow's tip: over the anchor's centre, or 19 when that is past the middle.
int ToolTipArrowX(int anchorWidth, int tooltipWidth);

class ToolTipEx : public Window {
 public:
  static constexpr const wchar_t* kClassName = kToolTipClass;
  using Window::Window;
  void Paint(HDC dc, int width, int height) const override;

 private:
  void OnCreate(const CREATESTRUCTW& create) override;
  void OnButtonDown(UINT message, POINT client, WPARAM keys) override;

  UniqueBrush brush_;
  UniqueFont font_;
  std::wstring text_;
};

// Shows a tooltip under `anchor` without activating it; returns its window.
HWND CreateToolTipEx(HWND owner, HWND anchor, const wchar_t* text);

}  // namespace kx
