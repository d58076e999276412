#include "ui/property_sheet.h"

#include <commctrl.h>

namespace ui {

namespace {
// The sheet being made: the sheet callback carries no context of its own.
thread_local PropertySheet* g_sheet_being_made = nullptr;
}  // namespace

PROPSHEETPAGEW PropertyPage::Describe() {
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_USETITLE | (icon_id_ ? PSP_USEICONID : 0);
  page.hInstance = GetModuleHandleW(nullptr);
  page.pszTemplate = MAKEINTRESOURCEW(template_id_);
  page.pszTitle = title_.c_str();
  if (icon_id_) page.pszIcon = MAKEINTRESOURCEW(icon_id_);
  page.pfnDlgProc = &PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
    auto* self = reinterpret_cast<PropertyPage*>(page->lParam);
    self->AttachHandle(hwnd);
    return self->OnInitDialog() ? TRUE : FALSE;
  }
  return Proc(hwnd, message, wparam, lparam);
}

bool PropertyPage::IsActivePage() const {
  HWND sheet = GetParent(Hwnd());
  return sheet &&
         reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) == Hwnd();
}

void PropertyPage::MarkChanged() {
  if (HWND sheet = GetParent(Hwnd()))
    SendMessageW(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(Hwnd()), 0);
}

bool PropertyPage::OnNotify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      return true;
    case PSN_APPLY:
      result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      return true;
    case PSN_QUERYCANCEL:
      result = OnQueryCancel() ? FALSE : TRUE;
      return true;
    case PSN_SETACTIVE:
      OnSetActive();
      result = 0;
      return true;
    default:
      return false;
  }
}

int CALLBACK PropertySheet::Callback(HWND hwnd, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && g_sheet_being_made) {
    PropertySheet* self = g_sheet_being_made;
    self->hwnd_ = hwnd;
    if (self->has_place_) {
      SetWindowPos(hwnd, nullptr, self->place_.left, self->place_.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    self->OnInitialized();
  }
  return 0;
}

INT_PTR PropertySheet::RunModal(const PropertySheetArgs& args) {
  std::vector<PROPSHEETPAGEW> pages;
  for (PropertyPage* p : args.pages) pages.push_back(p->Describe());
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | (args.apply_button ? 0 : PSH_NOAPPLYNOW);
  header.hwndParent = args.owner;
  header.hInstance = GetModuleHandleW(nullptr);
  header.pszCaption = args.caption.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = args.start_page;
  header.ppsp = pages.data();
  header.pfnCallback = &Callback;
  has_place_ = args.place != nullptr;
  if (args.place) place_ = *args.place;
  PropertySheet* outer = g_sheet_being_made;
  g_sheet_being_made = this;
  const INT_PTR result = ::PropertySheetW(&header);
  g_sheet_being_made = outer;
  hwnd_ = nullptr;
  if (result < 0) return -1;
  return result > 0 ? IDOK : IDCANCEL;
}

}  // namespace ui
