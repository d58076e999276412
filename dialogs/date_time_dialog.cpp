#include "dialogs/date_time_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/core/period_entry.h"
#include "dialogs/dialog_text.h"
#include "dialogs/period_dialog_ids.h"
#include "strings/resource_text.h"
#include "strings/string_ids.h"

namespace dialogs {

namespace {

constexpr UINT_PTR kAutoCloseTimer = 1;

// Client coordinates of a child window.
RECT ChildRect(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

TDateTimeDlg::TDateTimeDlg(const TString& caption, HWND parent, double* result)
    : TDialog(parent, IDD_DATE_TIME), caption_(caption), result_(result) {
  if (result_) *result_ = 0;
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
}

bool TDateTimeDlg::OnInitDialog() {
  TDialog::OnInitDialog();
  SetWindowTextW(Hwnd(), W(caption_));
  SetButton(IDOK, IDS_OK, IDI_ANSWER_YES);
  SetButton(IDCANCEL, IDS_CANCEL, IDI_ANSWER_NO);
  FitCalendar();
  if (auto_close_ms_ > 0) SetTimer(Hwnd(), kAutoCloseTimer, auto_close_ms_, nullptr);
  return true;
}

// The calendar takes the size it needs at this DPI and font; the buttons and the dialog follow.
void TDateTimeDlg::FitCalendar() {
  HWND calendar = Item(IDC_DATE_CALENDAR);
  RECT needed{};
  if (!calendar ||
      !SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed))) {
    return;
  }
  const RECT placed = ChildRect(Hwnd(), calendar);
  const int width = needed.right - needed.left;
  const int height = needed.bottom - needed.top;
  SetWindowPos(calendar, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  const RECT ok = ChildRect(Hwnd(), Item(IDOK));
  const RECT cancel = ChildRect(Hwnd(), Item(IDCANCEL));
  const int gap = placed.left;
  const int buttons_width = cancel.right - ok.left;
  const int right = gap + std::max(width, buttons_width);
  const int top = placed.top + height + gap;
  SetWindowPos(Item(IDOK), nullptr, right - buttons_width, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(Item(IDCANCEL), nullptr, right - (cancel.right - cancel.left), top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  // The window grows or shrinks by what its client area lacks or has beyond the new content.
  RECT client;
  GetClientRect(Hwnd(), &client);
  RECT window;
  GetWindowRect(Hwnd(), &window);
  const int client_width = right + gap;
  const int client_height = top + (cancel.bottom - cancel.top) + gap;
  SetWindowPos(Hwnd(), nullptr, 0, 0, window.right - window.left + client_width - client.right,
               window.bottom - window.top + client_height - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDateTimeDlg::BeforeOk() {
  SYSTEMTIME day{};
  if (!SendMessageW(Item(IDC_DATE_CALENDAR), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day))) {
    GetLocalTime(&day);
  }
  if (result_) *result_ = CalendarDateToTime(day.wYear, day.wMonth, day.wDay);
}

INT_PTR TDateTimeDlg::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kAutoCloseTimer) {
    KillTimer(Hwnd(), kAutoCloseTimer);
    OnCancel();
    return TRUE;
  }
  return TDialog::HandleMessage(message, wparam, lparam);
}

}  // namespace dialogs
