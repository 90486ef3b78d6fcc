#include "app/main_window.h"

#include <shellapi.h>

#include <cwchar>

#include "app/about_window.h"
#include "app/capture_flows.h"
#include "app/hotkeys.h"
#include "app/main_layout.h"
#include "app/menu_commands.h"
#include "app/settings_window.h"
#include "app/start_marks.h"
#include "app/startup.h"
#include "app/tray_icon.h"
#include "base/pixel_space.h"
#include "capture/profile_values.h"
#include "capture/user_folders.h"
#include "options/border_window.h"
#include "options/caption_window.h"
#include "options/file_format_window.h"
#include "options/scale_window.h"
#include "options/window_prop_window.h"
#include "profiles/load_profile_window.h"
#include "profiles/profile_files.h"
#include "profiles/save_profile_window.h"
#include "resource_ids.h"
#include "select/timer_window.h"
#include "ui/button.h"
#include "ui/resource_picture.h"
#include "ui/show_value.h"
#include "ui/theme.h"
#include "ui/tool_buttons.h"
#include "ui/tool_frame.h"
#include "ui/tool_region.h"
#include "ui/tool_window.h"
#include "ui/tooltip.h"
#include "ui/ui_font.h"

namespace kx {

namespace {

LPARAM PackPoint(int x, int y) {
  return MAKELPARAM(x, y);
}

void SetProperty(HWND button, UINT message, LPARAM value) {
  SendMessageW(button, message, kSetSilently, value);
}

// A tile button with two glyphs, both 10 pixels in from their edge (image 2 from the right).
void SetUpGlyphButton(HWND button, UINT type, UINT image1, UINT image2, int glyphY) {
  SetProperty(button, BXM_TYPE, type);
  SetProperty(button, BXM_BACKBITMAP, IDB_BUTTON_TILE);
  SetProperty(button, BXM_IMAGE1, image1);
  SetProperty(button, BXM_IMAGE2, image2);
  SetProperty(button, BXM_IMAGE1POS, PackPoint(10, glyphY));
  SetProperty(button, BXM_IMAGE2POS, PackPoint(10, glyphY));
  SetProperty(button, BXM_MARGIN, 2);
}

void SetUpControl(HWND button, const MainControl& c) {
  switch (c.setup) {
    case MainSetup::kTitleBar:
      SetUpTitleBarButton(button, c.parameter);
      break;
    case MainSetup::kChoice:
      SetUpGlyphButton(button, BXT_CYCLE, IDB_GLYPH_CHOICE_LEFT, IDB_GLYPH_CHOICE_RIGHT, 14);
      SetProperty(button, BXM_RANGE, MAKELPARAM(0, c.parameter));
      break;
    case MainSetup::kOptionToggle:
      SetUpGlyphButton(button, BXT_TOGGLE, IDB_GLYPH_CROSS, IDB_GLYPH_CHECK, 12);
      SetProperty(button, BXM_TEXTX, 30);
      SetProperty(button, BXM_AUTOTOGGLE, c.parameter);
      break;
    case MainSetup::kProfile:
      SetProperty(button, BXM_BACKBITMAP, IDB_BUTTON_TILE);
      SetProperty(button, BXM_IMAGE2, IDB_GLYPH_PROFILE);
      SetProperty(button, BXM_IMAGE2POS, PackPoint(10, 17));
      SetProperty(button, BXM_MARGIN, 2);
      SetProperty(button, BXM_TEXTX, 10);
      break;
    case MainSetup::kPlain:
      break;
  }
}

const MainControl* FindMainControl(int id) {
  for (const MainControl& c : MainControls())
    if (c.id == id) return &c;
  return nullptr;
}

// The option toggles that open a window show what the window left in the profile.
void ShowCheckFromProfile(HWND button, const CaptureProfile& p) {
  SendMessageW(button, BXM_CHECK, kSetAndRepaint,
               p.*FindMainControl(GetDlgCtrlID(button))->checkField);
}

// Only this thread's tooltips can be destroyed here; a copy of the program running beside
// this one has its own, which must not keep the search going forever.
void DestroyAllHelpTips() {
  HWND after = nullptr;
  while (HWND tip = FindWindowExW(nullptr, after, kToolTipClass, nullptr)) {
    if (GetWindowThreadProcessId(tip, nullptr) != GetCurrentThreadId() || !DestroyWindow(tip))
      after = tip;
  }
}

}  // namespace

POINT MainWindowOrigin(int screenWidth, int screenHeight) {
  return POINT{screenWidth / 2 - theme::kMainWidth / 2, screenHeight / 2 - theme::kMainHeight / 2};
}

bool StartsHidden(int argc, const wchar_t* const* argv) {
  return argc > 1 && argv[1] && std::wcscmp(argv[1], L"/min") == 0;
}

MainWindow::MainWindow(HWND window, AppState& state)
    : Window(window), state_(state), font_(CreateUiFont()) {}

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
  return RegisterWindowClassOf(instance, kClassName, WindowProcThunk<MainWindow>, IDI_KESTRIX);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      return ToolWindowHitTest(hwnd, wParam, lParam);
    case kTrayCallbackMessage:
      OnTrayCallback(lParam);
      return 0;
    case WM_HOTKEY:
      OnHotkey(LOWORD(lParam));
      return 0;
    case WM_ENABLE:
      // A tool window has opened over a help text: the button's leave will not be heeded
      // while the window is disabled, so the text would stay behind over the tool window.
      if (!wParam) DestroyAllHelpTips();
      return 0;
    case WM_QUERYENDSESSION:
      SaveCurrentProfile(state_.current);
      return Window::OnMessage(message, wParam, lParam);
    default:
      return Window::OnMessage(message, wParam, lParam);
  }
}

void MainWindow::OnCreate(const CREATESTRUCTW&) {
  MarkStart(StartMark::kWindowCreating);
  ProgramStarts();
  AddTrayIcon(hwnd, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KESTRIX)), kTrayTip);
  MarkStart(StartMark::kTrayIcon);
  state_.runningIntervalWindow = nullptr;
  state_.stored.clear();
  LoadProfileList(state_.stored);
  BuildDefaultProfile(state_.defaults, UserPicturesFolder());
  MarkStart(StartMark::kProfiles);
  state_.current = {};
  CreateControls();
  MarkStart(StartMark::kControls);
  state_.current = state_.defaults;
  LoadCurrentProfile(state_.current);
  state_.lastCapture = state_.current;
  RefreshControls();
  ShowProfileName();
  MarkStart(StartMark::kControlValues);
}

void MainWindow::CreateControls() {
  for (const MainControl& c : MainControls()) {
    HWND button = c.setup == MainSetup::kPlain
                      ? CreatePlainButton(hwnd, c.text, c.id, c.x, c.y, c.width, c.height)
                      : CreateButtonEx(hwnd, c.text, c.id, c.x, c.y, c.width, c.height);
    if (button) SetUpControl(button, c);
  }
}

void MainWindow::RefreshControls() {
  const CaptureProfile& p = state_.current;
  ShowProfileValue(p, L"InType", Control(kInputTypeId));
  ShowProfileValue(p, L"OutType", Control(kOutputTypeId));
  SetProperty(Control(kInputTypeId), BXM_VALUE, p.InType);
  SetProperty(Control(kOutputTypeId), BXM_VALUE, p.OutType);
  EnableWindow(Control(kInputPropertiesId), p.InType == 0);
  EnableWindow(Control(kOutputPropertiesId), p.OutType == 0);
  for (const MainControl& c : MainControls())
    if (c.checkField) SendMessageW(Control(c.id), BXM_CHECK, kSetAndRepaint, p.*c.checkField);
  ApplyHotkeys(hwnd, p.SetHotkeys != 0);
  ApplyAutostart(p);
}

void MainWindow::ShowProfileName() {
  const CaptureProfile& current = state_.current;
  std::wstring name = L"None";
  if (ProfilesEqual(current, state_.defaults)) {
    name = kDefaultProfileName;
  } else {
    for (const ProfileRecord& record : state_.stored)
      if (ProfilesEqual(record.profile, current)) {
        name = FieldText(record.name);
        break;
      }
  }
  HWND button = Control(kProfileId);
  SetWindowTextW(button, name.c_str());
  InvalidateRect(button, nullptr, FALSE);
}

LRESULT MainWindow::OnCommand(WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  RunCommand(id);
  // The close command destroys the window; so may another program or a log-off while a
  // command's nested loop runs (a tool window, an overlay, the interval window).
  if (!Alive()) return 0;
  ShowResultOf(id);
  ShowProfileName();
  return 0;
}

// What a window opened by a command left in the profile.
void MainWindow::ShowResultOf(int id) {
  switch (id) {
    case kCaptionId:
    case kBorderId:
    case kScaleId:
    case kTimerId:
      ShowCheckFromProfile(Control(id), state_.current);
      break;
    case kProfileId:
      RefreshControls();
      SaveProfileList(state_.stored);
      break;
    default:
      break;
  }
}

void MainWindow::RunCommand(int id) {
  CaptureProfile& p = state_.current;
  switch (id) {
    case kCloseId:
      SaveCurrentProfile(p);
      SendMessageW(hwnd, WM_CLOSE, 0, 0);
      break;
    case kMinimiseId:
      ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_HIDE);
      break;
    case kMenuId:
      ShowPopupMenu(hwnd);
      break;
    case kInputTypeId:
      p.InType = uint32_t(SendMessageW(Control(id), BXM_VALUE, 0, 0));
      ShowProfileValue(p, L"InType", Control(id));
      EnableWindow(Control(kInputPropertiesId), p.InType == 0);
      break;
    case kOutputTypeId:
      p.OutType = uint32_t(SendMessageW(Control(id), BXM_VALUE, 0, 0));
      ShowProfileValue(p, L"OutType", Control(id));
      EnableWindow(Control(kOutputPropertiesId), p.OutType == 0);
      break;
    case kInputPropertiesId:
      RunToolWindow<WindowPropWindow>(hwnd, p, state_.defaults);
      break;
    case kOutputPropertiesId:
      RunToolWindow<FileFormatWindow>(hwnd, p, state_.defaults);
      break;
    case kCaptionId:
      RunToolWindow<CaptionWindow>(hwnd, p, state_.defaults);
      break;
    case kBorderId:
      RunToolWindow<BorderWindow>(hwnd, p, state_.defaults);
      break;
    case kScaleId:
      RunToolWindow<ScaleWindow>(hwnd, p, state_.defaults);
      break;
    case kTimerId:
      RunToolWindow<TimerWindow>(hwnd, p, state_.defaults);
      break;
    case kSoundId:
    case kCursorId:
    case kViewId:
    case kEditId:
      p.*FindMainControl(id)->checkField = uint32_t(SendMessageW(Control(id), BXM_CHECK, 0, 0));
      break;
    case kProfileId:
      RunLoadProfileWindow(hwnd, {p, state_.defaults, state_.stored});
      break;
    case kSaveAsId:
      RunSaveProfileWindow(hwnd, {p, state_.defaults, state_.stored}, ShowMessageWindow);
      break;
    case kStorageId:
      SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
      OpenStorageFolder(hwnd, p);
      break;
    case IDM_SETTINGS:
      RunSettingsWindow(hwnd, p, state_.defaults);
      break;
    case IDM_HOTKEYS:
      RunHotkeysWindow(hwnd);
      break;
    case kCaptureId:
      noCaptureYet = false;
      StartCapture(hwnd, state_);
      break;
    case kRepeatCaptureId:
      if (noCaptureYet) {
        noCaptureYet = false;
        StartCapture(hwnd, state_);
      } else {
        RepeatCapture(hwnd, state_);
      }
      break;
    case IDM_HELP:
      OpenHelpFile();
      break;
    case IDM_ABOUT:
      RunAboutWindow(hwnd);
      break;
    case IDM_WEBSITE:
    case IDM_UPDATES:
    case IDM_GOOGLEPLUS:
    case IDM_FACEBOOK:
    case IDM_TWITTER:
      OpenWebLink(id);
      break;
    default:
      break;  // other ids are ignored
  }
}

// The hotkeys act also while the window is hidden or a tool window has disabled it, but
// never into a selection that is under way.
void MainWindow::OnHotkey(UINT modifiers) {
  if (SelectionUnderWay()) return;
  if (int command = HotkeyCommand(modifiers, state_.runningIntervalWindow != nullptr))
    SendMessageW(hwnd, WM_COMMAND, WPARAM(command), 0);
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  if (!state_.current.SetHelpText || !IsWindowEnabled(hwnd) || !IsWindowEnabled(header.hwndFrom))
    return 0;
  if (header.code == BXN_HOVER) {
    const wchar_t* text = MainHelpText(int(header.idFrom), state_.current);
    if (!text) return 0;
    wchar_t buffer[256] = {};
    wcsncpy(buffer, text, 255);
    CreateToolTipEx(hwnd, header.hwndFrom, buffer);
  } else if (header.code == BXN_LEAVE) {
    DestroyAllHelpTips();
  }
  return 0;
}

// A click on the tray icon, or a second instance giving way, shows and raises the window
// the user is working with: the interval window while an interval capture runs.
void MainWindow::OnTrayCallback(LPARAM mouseMessage) {
  ShowFromTray(state_.runningIntervalWindow ? state_.runningIntervalWindow : hwnd, mouseMessage);
}

void MainWindow::OnDestroy() {
  RemoveTrayIcon();
  PostProgramQuit();
}

void MainWindow::Paint(HDC dc, int width, int height) const {
  PaintSkinFrame(dc, width, height, IDB_MAIN_SKIN);
  if (ResourcePicture logo(dc, IDB_LOGO_SMALL); logo)
    BitBlt(dc, 21, 48, logo.Width(), logo.Height(), logo.Dc(), 0, 0, SRCCOPY);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, theme::kBodyText);
  {
    ScopedSelect font(dc, font_.Get());
    RECT maker = {89, 57, 200, 71}, product = {89, 71, 200, 90};
    DrawTextW(dc, L"HALVECOR", -1, &maker, DT_SINGLELINE | DT_LEFT | DT_TOP);
    DrawTextW(dc, L"Kestrix", -1, &product, DT_SINGLELINE | DT_LEFT | DT_TOP);
  }
  DrawSeparator(dc, theme::kMainSeparatorY, width, theme::kSeparator);
  int groupWidth = width - 38;
  DrawGroupFrame(dc, L"Input", 19, 145, groupWidth, 51);
  DrawGroupFrame(dc, L"Output", 19, 225, groupWidth, 51);
  DrawGroupFrame(dc, L"Options", 19, 305, groupWidth, 90);
  DrawGroupFrame(dc, L"Profile", 19, 425, groupWidth, 51);
}

HWND CreateMainWindow(AppState& state, int argc, const wchar_t* const* argv) {
  ScopedPixelSpace skin(PixelSpace::kSkin);
  POINT origin = MainWindowOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  HWND window =
      CreateWindowOf<MainWindow>({0, WS_POPUP, int(origin.x), int(origin.y), theme::kMainWidth,
                                  theme::kMainHeight, nullptr, MainWindow::kTitle},
                                 state);
  if (!window) return nullptr;
  SetToolWindowRegion(window, theme::kMainWidth, theme::kMainHeight);
  UpdateWindow(window);
  MarkStart(StartMark::kShowing);
  ShowWindow(window, StartsHidden(argc, argv) ? SW_HIDE : SW_SHOW);
  return window;
}

}  // namespace kx
