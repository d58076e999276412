#include "dialogs/dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "app_context/main_frame_text.h"
#include "dialogs/core/dialog_placement.h"
#include "dialogs/dialog_file_menu.h"
#include "platform/wide.h"
#include "text/assert_report.h"
#include "ui/dpi.h"
#include "ui/gdi_select.h"

namespace dialogs {

namespace {

TRect ToTRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A font of the face at the point size for the window's DPI.
HFONT MakeFont(HWND hwnd, const wchar_t* face, int points) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(points, ui::WindowDpi(hwnd), 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

}  // namespace

TDialog::TDialog(HWND owner, std::uint16_t template_id, TRect* remembered)
    : owner_(owner), template_id_(template_id), remembered_(remembered) {
  if (!owner) AssertReport(u"NULL parent in TDialog()", "TDialog", false);
}

TDialog::~TDialog() {
  if (self_pointer_) *self_pointer_ = nullptr;
  if (menu_ && !IsMenu(menu_)) menu_ = nullptr;
}

INT_PTR TDialog::DoModal() {
  if (self_pointer_) *self_pointer_ = this;
  return RunModal(owner_, template_id_);
}

bool TDialog::Open() {
  if (!CreateModeless(owner_, template_id_)) return false;
  ShowWindow(Hwnd(), SW_SHOW);
  return true;
}

bool TDialog::OnInitDialog() {
  RECT client;
  GetClientRect(Hwnd(), &client);
  layout_.clear();
  layout_.push_back({0, ToTRect(client), ToTRect(client), {0, 0, 0, 0}});
  status_line_ = Item(kStatusLineId);
  progress_bar_ = Item(kProgressBarId);
  if (status_line_) AddLayout(status_line_, 1, 2, 2, 2);
  if (progress_bar_) AddLayout(progress_bar_, 2, 2, 2, 2);
  AttachMenu();
  RECT window;
  GetWindowRect(Hwnd(), &window);
  opening_height_ = window.bottom - window.top;
  Place();
  SetListBoxFonts();
  PostMessageW(Hwnd(), kDialogStartupMessage, 0, 0);
  return true;
}

void TDialog::Place() {
  RECT window;
  GetWindowRect(Hwnd(), &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const TScreenSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const bool resizable = (GetWindowLongW(Hwnd(), GWL_STYLE) & WS_THICKFRAME) != 0;
  TRect owner_rect{};
  const TRect* owner = nullptr;
  if (HWND main = MainWindowOf(owner_)) {
    RECT r;
    GetWindowRect(main, &r);
    owner_rect = ToTRect(r);
    owner = &owner_rect;
  }
  const TRect place = PlaceDialog(remembered_, resizable, width, height, screen, owner);
  SetWindowPos(Hwnd(), nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialog::AttachMenu() {
  if (HMENU menu = AttachDialogMenu(Hwnd())) menu_ = menu;
}

void TDialog::SetListBoxFonts() {
  list_font_.Reset(MakeFont(Hwnd(), L"MS Sans Serif", 9));
  fixed_font_.Reset(MakeFont(Hwnd(), L"Courier New", 9));
  fixed_font_large_.Reset(MakeFont(Hwnd(), L"Courier New", 10));
  for (HWND child = GetWindow(Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t class_name[32] = {};
    GetClassNameW(child, class_name, 32);
    if (lstrcmpiW(class_name, L"ListBox") == 0) {
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fixed_font_.Get()), TRUE);
    }
  }
}

void TDialog::SetSizeLimits(int min_width, int min_height, bool fixed_height) {
  min_size_ = {min_width, min_height};
  fixed_height_ = fixed_height;
}

void TDialog::LimitSize(MINMAXINFO& info) const {
  if (min_size_.cx <= 0 && min_size_.cy <= 0) return;
  const int min_width = ui::ScaleForWindow(Hwnd(), min_size_.cx);
  int min_height = ui::ScaleForWindow(Hwnd(), min_size_.cy);
  if (fixed_height_) {
    min_height = std::max(min_height, opening_height_);
    info.ptMaxTrackSize.y = min_height;
  }
  info.ptMinTrackSize = {min_width, min_height};
}

void TDialog::SetButtonIcon(int control, int icon_id) {
  HWND button = Item(control);
  HICON icon = ui::LoadSmallIcon(Hwnd(), icon_id);
  if (button && icon) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void TDialog::SetButton(int control, int text_id, int icon_id) {
  SetItemText(control, platform::W(RString(text_id)));
  SetButtonIcon(control, icon_id);
}

void TDialog::SetStatusText(const TString& text) {
  if (status_line_) SetWindowTextW(status_line_, platform::W(text));
}

void TDialog::SetProgressRange(int low, int high) {
  if (!progress_bar_) return;
  if (low > high) std::swap(low, high);
  SendMessageW(progress_bar_, PBM_SETRANGE32, low, high);
}

void TDialog::SetProgressPosition(int position) {
  if (progress_bar_) SendMessageW(progress_bar_, PBM_SETPOS, position, 0);
}

void TDialog::AddLayout(HWND control, std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom) {
  if (layout_.empty()) {
    AssertReport(u"vItemPos is empty", "ItemMover", false);
    return;
  }
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  TLayoutEntry entry;
  entry.control = reinterpret_cast<std::uintptr_t>(control);
  entry.recorded = ToTRect(r);
  entry.current = entry.recorded;
  entry.codes[0] = left;
  entry.codes[1] = top;
  entry.codes[2] = right;
  entry.codes[3] = bottom;
  layout_.push_back(entry);
}

void TDialog::Relayout(bool final_pass) {
  if (layout_.empty()) return;
  RECT client;
  GetClientRect(Hwnd(), &client);
  ComputeLayout(layout_, ToTRect(client));
  for (std::size_t i = 1; i < layout_.size(); ++i) {
    const TRect& r = layout_[i].current;
    SetWindowPos(reinterpret_cast<HWND>(layout_[i].control), nullptr, r.left, r.top,
                 r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (final_pass ? 0 : SWP_NOREDRAW));
  }
}

void TDialog::StoreRectangle() {
  if (!remembered_ || IsIconic(Hwnd()) || IsZoomed(Hwnd())) return;
  RECT r;
  GetWindowRect(Hwnd(), &r);
  *remembered_ = ToTRect(r);
}

void TDialog::Finish(INT_PTR result) {
  StoreRectangle();
  if (IsModal()) {
    EndModal(result);
  } else {
    SendMessageW(owner_, kDialogEndedMessage, template_id_, user_data_);
  }
}

void TDialog::OnOk() {
  BeforeOk();
  StoreControls();
  Finish(1);
}

void TDialog::OnCancel() {
  StoreControls();
  Finish(2);
}

void TDialog::OnDestroy() {
  if (self_pointer_) *self_pointer_ = nullptr;
}

bool TDialog::OnCommand(UINT id, UINT, HWND control) {
  if (control) return false;
  return RunDialogFileCommand(id, Hwnd(), owner_, [this] { OnCancel(); });
}

bool TDialog::IsOwnWindow(HWND window) const {
  return window && (window == Hwnd() || IsChild(Hwnd(), window));
}

bool TDialog::PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  // Keys for another window that takes input meanwhile (the floating legend beside a modal
  // dialog) are that window's.
  if (!IsOwnWindow(msg.hwnd)) return false;
  if (accelerators_ && TranslateAcceleratorW(Hwnd(), accelerators_, &msg)) return true;
  if (DialogFileKeyCommand(msg) == kDialogPrintCommand) {
    OnCommand(kDialogPrintCommand, 0, nullptr);
    return true;
  }
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (msg.wParam) {
    case VK_TAB:
      // Shift goes back whether or not Ctrl is held too; Ctrl alone is for the owner.
      if (ctrl && !shift) {
        PostMessageW(owner_, kDialogCtrlTabMessage, template_id_, user_data_);
      } else if (HWND next = GetNextDlgTabItem(Hwnd(), GetFocus(), shift ? TRUE : FALSE)) {
        SetFocus(next);
      }
      return true;
    case VK_ESCAPE: {
      // Only a fresh press cancels: one repetition, the Esc scan code, the key up before.
      const unsigned repeat = msg.lParam & 0xFFFF;
      const unsigned scan = (msg.lParam >> 16) & 0xFF;
      const bool was_down = (msg.lParam & (1L << 30)) != 0;
      if (repeat == 1 && scan == 1 && !was_down) OnCancel();
      return true;
    }
    case VK_F4:
      if (ctrl || msg.message == WM_SYSKEYDOWN) {
        OnCancel();
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TDialog::Paint() {
  ui::PaintDc paint(Hwnd());
  RECT client;
  GetClientRect(Hwnd(), &client);
  auto separator = [&](int y) {
    RECT grey{0, y, client.right, y + 1};
    RECT white{0, y + 1, client.right, y + 2};
    win::UniqueGdiObject grey_brush(CreateSolidBrush(RGB(128, 128, 128)));
    FillRect(paint.Get(), &grey, static_cast<HBRUSH>(grey_brush.Get()));
    FillRect(paint.Get(), &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  };
  separator(0);
  if (toolbar_) separator(28);
  if (status_line_ || progress_bar_) separator(client.bottom - 17);
}

INT_PTR TDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (layout_.size() > 0 && layout_[0].recorded.right > layout_[0].recorded.left) {
        Relayout(false);
        if (wparam == SIZE_RESTORED || wparam == SIZE_MAXIMIZED) {
          if (toolbar_) SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
          InvalidateRect(Hwnd(), nullptr, TRUE);
        }
      }
      return TRUE;
    case WM_EXITSIZEMOVE:
      Relayout(true);
      InvalidateRect(Hwnd(), nullptr, TRUE);
      return TRUE;
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_GETMINMAXINFO:
      LimitSize(*reinterpret_cast<MINMAXINFO*>(lparam));
      return TRUE;
    case kDialogStartupMessage:
      OnStartup();
      return TRUE;
    default:
      return DialogWindow::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace dialogs
