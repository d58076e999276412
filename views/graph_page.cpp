#include "views/graph_page.h"

#include "platform/wide.h"
#include "app_context/main_frame_text.h"
#include "text/assert_report.h"
#include "views/graph_sheet_ids.h"

namespace views {

TGraphPage::TGraphPage(UINT template_id, int title_id, UINT icon_id)
    : PropertyPage(template_id, platform::W(RString(title_id)), icon_id) {}

void TGraphPage::SetPtrs(GraphSheetActions* sheet, graph::TGraphSettings* working) {
  AssertReport(u"TGraphPage::SetPtrs receiving a NULL Parent", "GraphPage", sheet != nullptr);
  AssertReport(u"TGraphPage::SetPtrs receiving a NULL Pointer", "GraphPage", working != nullptr);
  sheet_ = sheet;
  working_ = working;
}

void TGraphPage::SetTexts(std::initializer_list<std::pair<int, int>> texts) {
  for (const auto& [control, text] : texts) SetItemText(control, platform::W(RString(text)));
}

void TGraphPage::Reload() {
  if (!working_ || !Hwnd()) return;
  loading_ = true;
  Load();
  loading_ = false;
}

bool TGraphPage::OnInitDialog() {
  SetItemText(IDC_PAGE_DEFAULTS, platform::W(RString(IDC_PAGE_DEFAULTS)));
  InitControls();
  Reload();
  return true;
}

void TGraphPage::OnSetActive() { Reload(); }

bool TGraphPage::OnKillActive() {
  if (!working_) return true;
  Store();
  // The working copy always keeps a vertical and a horizontal axis.
  working_->EnsureAxes();
  return true;
}

bool TGraphPage::OnApply() {
  // Every page hears the apply; the one the user is on stores and applies.
  if (!IsActivePage() || !working_ || !sheet_) return true;
  Store();
  working_->EnsureAxes();
  sheet_->ApplyWorkingCopy();
  return true;
}

bool TGraphPage::OnQueryCancel() {
  if (!working_ || !sheet_) return true;
  Store();
  return sheet_->MayCancel();
}

bool TGraphPage::OnCommand(UINT id, UINT code, HWND control) {
  if (!working_) return false;
  if (id == IDC_PAGE_DEFAULTS && code == BN_CLICKED) {
    Store();
    Reset();
    Reload();
    MarkChanged();
    return true;
  }
  if (!loading_ && control &&
      (code == BN_CLICKED || code == CBN_SELCHANGE || code == EN_CHANGE ||
       code == CBN_EDITCHANGE)) {
    MarkChanged();
  }
  return false;
}

}  // namespace views
