// The skin's colours, fonts and shared geometry, each written once. Colours are 0x00BBGGRR.
#pragma once

#include <windows.h>

namespace kx::theme {

// Text and lines.
inline constexpr COLORREF kBodyText = 0x484646;
inline constexpr COLORREF kSeparator = 0xDBD9D9;
// The About window's separator is a shade warmer than the others'.
inline constexpr COLORREF kAboutSeparator = 0xCDD9D9;
inline constexpr COLORREF kGroupDots = 0xC2C2C0;
inline constexpr COLORREF kWhite = 0xFFFFFF;

// Edit box frame and its four corner pixels.
inline constexpr COLORREF kEditFrame = 0xDCDCDC;
inline constexpr COLORREF kEditCorner = 0xF4F4F4;

// The Load Profile list: items of 27 pixels, the selected one shaded, all in one text colour,
// the list area framed like an edit box.
inline constexpr int kListItemHeight = 27;
inline constexpr COLORREF kListSelected = 0xEBEBEB;
inline constexpr COLORREF kListText = 0x69584D;
inline constexpr COLORREF kListFrame = 0xDCDCDC;

// Tooltip body; its text is white.
inline constexpr COLORREF kToolTipBack = 0x333333;

// Button text by state: normal, hover, pressed, disabled.
inline constexpr COLORREF kButtonText[4] = {0x515151, 0x333333, 0x333333, 0xA9A9A9};

// Fonts: Tahoma 13 everywhere, bold for headings and group titles; Arial 14 bold in tooltips.
inline constexpr const wchar_t* kUiFace = L"Tahoma";
inline constexpr int kUiFontHeight = 13;
inline constexpr const wchar_t* kToolTipFace = L"Arial";
inline constexpr int kToolTipFontHeight = 14;

// The main window.
inline constexpr int kMainWidth = 467;
inline constexpr int kMainHeight = 571;
inline constexpr int kMainSeparatorY = 109;

// Tool windows: width, the band that drags, the separator under the heading.
inline constexpr int kToolWidth = 435;
inline constexpr int kDragBandHeight = 29;
inline constexpr int kSeparatorY = 83;
// The bold heading label.
inline constexpr RECT kHeading = {19, 48, 19 + 397, 48 + 19};
// Group frames start here and end as far from the right edge.
inline constexpr int kGroupX = 19;
// The bottom row of push buttons: size, distance of their top from the window's bottom, and
// the x of each ("OK" alone is centred).
inline constexpr int kButtonWidth = 91;
inline constexpr int kButtonHeight = 37;
inline constexpr int kButtonsFromBottom = 54;
inline constexpr int kOkX = 327;
inline constexpr int kCancelX = 235;
inline constexpr int kResetX = 17;
inline constexpr int kLoneOkX = 172;

// The selection overlays' frame, crosshair and magnifier box (red 209, green 53, blue 37).
inline constexpr COLORREF kSelectionFrame = 0x2535D1;

}  // namespace kx::theme
