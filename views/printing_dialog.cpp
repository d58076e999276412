#include "views/printing_dialog.h"

#include "platform/wide.h"
#include "app_context/main_frame_text.h"
#include "strings/string_ids.h"
#include "views/printing_ids.h"

namespace views {

namespace {

std::wstring& Record() {
  static std::wstring record;
  return record;
}

void Note(const wchar_t* what, const std::wstring& text) {
  Record() += what;
  Record() += text;
  Record() += L'\n';
}

}  // namespace

const std::wstring& PrintingDialogRecord() { return Record(); }
void ClearPrintingDialogRecord() { Record().clear(); }

bool TPrintingDialog::Open(HWND owner, const std::wstring& document, const std::wstring& printer,
                           const std::wstring& port) {
  owner_ = owner;
  cancelled_ = false;
  if (!CreateModeless(owner, IDD_PRINTING)) return false;
  SetWindowTextW(Hwnd(), L"Varnel");
  SetItemText(IDCANCEL, platform::W(RString(IDS_CANCEL)));
  SetItemText(IDC_PRINTING_DOCUMENT, document);
  SetItemText(IDC_PRINTING_PRINTER, printer);
  SetItemText(IDC_PRINTING_PORT, port);
  Note(L"document: ", document);
  Note(L"printer: ", printer);
  Note(L"port: ", port);
  ShowWindow(Hwnd(), SW_SHOW);
  UpdateWindow(Hwnd());
  return true;
}

bool TPrintingDialog::OnInitDialog() {
  // Centred on the owner.
  RECT owner_rect, rect;
  if (owner_ && GetWindowRect(owner_, &owner_rect) && GetWindowRect(Hwnd(), &rect)) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SetWindowPos(Hwnd(), nullptr, (owner_rect.left + owner_rect.right - width) / 2,
                 (owner_rect.top + owner_rect.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

void TPrintingDialog::ShowPage(const std::wstring& text) {
  Note(L"page: ", text);
  if (Hwnd()) SetItemText(IDC_PRINTING_PAGE, text);
}

void TPrintingDialog::OnCancel() {
  cancelled_ = true;
  Note(L"cancelled", L"");
  Close();
}

void TPrintingDialog::Close() {
  if (Hwnd()) DestroyWindow(Hwnd());
}

}  // namespace views
