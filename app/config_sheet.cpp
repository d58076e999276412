#include "app/config_sheet.h"

#include "app/resource.h"
#include "app_context/main_frame_text.h"
#include "config/refresh_rates.h"
#include "dialogs/question.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "text/assert_report.h"
#include "ui/dpi.h"

namespace app {

TGeneralConfigPage::TGeneralConfigPage()
    : PropertyPage(IDD_CONFIG_GENERAL, platform::W(RString(IDS_CONFIG_PAGE_GENERAL))) {}

void TGeneralConfigPage::SetPtrs(TConfigServerSheet* sheet, TConfig* edited) {
  if (!sheet || !edited) {
    AssertReport(u"TConfigServerPage::SetPtrs receiving a NULL Pointer", "ConfigServerPage", false);
    return;
  }
  sheet_ = sheet;
  edited_ = edited;
}

bool TGeneralConfigPage::OnInitDialog() {
  SetItemText(IDC_CONFIG_DESCRIPTION, platform::W(RString(IDS_CONFIG_DESCRIPTION)));
  SetItemText(IDC_CONFIG_REFRESH_LABEL, platform::W(RString(IDS_CONFIG_REFRESH_RATE)));
  SetItemText(IDC_CONFIG_MILLISECONDS, platform::W(RString(IDS_CONFIG_VIEW_MILLISECONDS)));
  SetItemText(IDC_CONFIG_RECONNECT, platform::W(RString(IDS_CONFIG_RECONNECT)));
  SetItemText(IDC_CONFIG_DEFAULTS, platform::W(RString(IDS_DEFAULTS)));
  defaults_icon_ = ui::LoadSmallIcon(Hwnd(), IDI_DEFAULTS);
  if (defaults_icon_) {
    SendMessageW(Item(IDC_CONFIG_DEFAULTS), BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(defaults_icon_));
  }
  HWND combo = Item(IDC_CONFIG_REFRESH_RATE);
  for (const RefreshRateChoice& choice : kRefreshRateChoices) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::W(choice.text)));
  }
  Fill();
  return true;
}

void TGeneralConfigPage::Fill() {
  if (!edited_) return;
  SendMessageW(Item(IDC_CONFIG_REFRESH_RATE), CB_SETCURSEL, RefreshRateIndex(edited_->RefreshRate),
               0);
  CheckDlgButton(Hwnd(), IDC_CONFIG_MILLISECONDS,
                 edited_->ViewMilliseconds ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Hwnd(), IDC_CONFIG_RECONNECT,
                 edited_->ReconnectLostServers ? BST_CHECKED : BST_UNCHECKED);
}

void TGeneralConfigPage::Read() {
  if (!edited_) return;
  const LRESULT index = SendMessageW(Item(IDC_CONFIG_REFRESH_RATE), CB_GETCURSEL, 0, 0);
  if (index >= 0 && static_cast<std::size_t>(index) < kRefreshRateChoices.size()) {
    edited_->RefreshRate = kRefreshRateChoices[static_cast<std::size_t>(index)].value;
  }
  edited_->ViewMilliseconds = IsDlgButtonChecked(Hwnd(), IDC_CONFIG_MILLISECONDS) == BST_CHECKED;
  edited_->ReconnectLostServers = IsDlgButtonChecked(Hwnd(), IDC_CONFIG_RECONNECT) == BST_CHECKED;
}

bool TGeneralConfigPage::OnCommand(UINT id, UINT code, HWND) {
  if (id == IDC_CONFIG_DEFAULTS && code == BN_CLICKED && edited_) {
    edited_->RefreshRate = TConfig::kDefaultRefreshRate;
    edited_->ViewMilliseconds = false;
    edited_->ReconnectLostServers = true;
    edited_->ConfigBox = TConfig::kDefaultBox;
    edited_->ToolsBox = TConfig::kDefaultBox;
    edited_->Validate();
    Fill();
    return true;
  }
  return false;
}

bool TGeneralConfigPage::OnApply() {
  Read();
  if (sheet_) sheet_->Confirm();
  return true;
}

bool TGeneralConfigPage::OnQueryCancel() {
  Read();
  return !sheet_ || sheet_->MayCancel();
}

TConfigServerSheet::TConfigServerSheet(TConfig& live, HWND owner)
    : live_(live), edited_(live), owner_(owner) {
  page_.SetPtrs(this, &edited_);
}

INT_PTR TConfigServerSheet::Run() {
  accelerators_ =
      LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONFIG_ACCELERATORS));
  const RECT place{live_.ConfigBox.left, live_.ConfigBox.top, live_.ConfigBox.right,
                   live_.ConfigBox.bottom};
  return RunModal({.owner = owner_,
                   .caption = platform::W(RString(IDS_CONFIG_SHEET_CAPTION)),
                   .pages = {&page_},
                   .place = &place});
}

void TConfigServerSheet::OnInitialized() { file_menu_.AttachTo(Hwnd(), owner_, accelerators_); }

TConfig TConfigServerSheet::LiveWithPageValues() const {
  // The page edits these; the rest (printing set up from the sheet's File menu meanwhile, for
  // one) stays as the live configuration has it now.
  TConfig result = live_;
  result.RefreshRate = edited_.RefreshRate;
  result.ViewMilliseconds = edited_.ViewMilliseconds;
  result.ReconnectLostServers = edited_.ReconnectLostServers;
  result.ConfigBox = edited_.ConfigBox;
  result.ToolsBox = edited_.ToolsBox;
  result.Validate();
  return result;
}

void TConfigServerSheet::Confirm() {
  live_ = LiveWithPageValues();
  edited_ = live_;
  live_.Save();
}

bool TConfigServerSheet::MayCancel() {
  if (!LiveWithPageValues().DiffersFully(live_)) return true;
  dialogs::TQuestion question(
      {.owner = Hwnd(),
       .caption = RString(IDS_WARNING_TITLE),
       .heading = RString(IDS_DISCARD_CHANGES),
       .text = RString(IDS_CHANGES_DETECTED),
       .buttons = {TString(RString(IDS_YES)), TString(RString(IDS_NO)), TString()},
       .answers = {1, 2, 3}});
  return question.Ask() == 1;
}

}  // namespace app
