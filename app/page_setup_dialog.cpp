#include "app/page_setup_dialog.h"

#include <utility>

#include "app/main_frame.h"
#include "app_context/main_frame_text.h"
#include "config/measurement.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "ui/text_args.h"
#include "views/printing_ids.h"

namespace app {

namespace {

int Language() {
  TMainFrame* frame = MainFrame();
  return frame ? frame->Language() : 1;
}

using platform::W;

using ui::ReplaceArgument;

}  // namespace

CPageSetupDlg::CPageSetupDlg(HWND owner, TConfig& config)
    : TDialog(owner, IDD_PAGE_SETUP), config_(config), unit_(MeasurementUnitIndex(config.Units)) {}

bool CPageSetupDlg::OnInitDialog() {
  TDialog::OnInitDialog();
  SetWindowTextW(Hwnd(), platform::W(RString(IDS_PAGE_SETUP_CAPTION)));
  static constexpr std::pair<int, int> kTexts[] = {
      {IDC_PAGE_SETUP_MARGINS, IDS_PAGE_SETUP_MARGINS},
      {IDC_PAGE_SETUP_TOP_LABEL, IDS_PAGE_SETUP_TOP},
      {IDC_PAGE_SETUP_BOTTOM_LABEL, IDS_PAGE_SETUP_BOTTOM},
      {IDC_PAGE_SETUP_LEFT_LABEL, IDS_PAGE_SETUP_LEFT},
      {IDC_PAGE_SETUP_RIGHT_LABEL, IDS_PAGE_SETUP_RIGHT},
      {IDOK, IDS_OK},
      {IDCANCEL, IDS_CANCEL}};
  for (const auto& [control, text] : kTexts) SetItemText(control, platform::W(RString(text)));
  ShowMargin(IDC_PAGE_SETUP_TOP, config_.PageMargin.top);
  ShowMargin(IDC_PAGE_SETUP_BOTTOM, config_.PageMargin.bottom);
  ShowMargin(IDC_PAGE_SETUP_LEFT, config_.PageMargin.left);
  ShowMargin(IDC_PAGE_SETUP_RIGHT, config_.PageMargin.right);
  SetItemText(
      IDC_PAGE_SETUP_UNIT,
      platform::W(RString(kMeasurementUnits[static_cast<std::size_t>(unit_)].nameId, Language())));
  return true;
}

void CPageSetupDlg::ShowMargin(int id, std::int32_t value) {
  Shown& shown = shown_[id - IDC_PAGE_SETUP_TOP];
  shown.text = platform::W(FormatMeasurement(value, unit_, Language()).Str());
  shown.twips = value;
  SetItemText(id, shown.text);
}

bool CPageSetupDlg::ReadMargin(int id, std::int32_t& value) {
  const std::wstring text = ItemText(id);
  if (const Shown& shown = shown_[id - IDC_PAGE_SETUP_TOP]; text == shown.text) {
    value = shown.twips;
    return true;
  }
  std::int32_t twips = 0;
  const TMeasurementRead read =
      ReadMeasurement(TString(platform::U16(text.c_str())), unit_, Language(), twips);
  if (read == TMeasurementRead::Empty) return true;
  std::wstring message;
  if (read == TMeasurementRead::Invalid) {
    message = platform::W(RString(IDS_INVALID_MEASUREMENT));
  } else if (!MeasurementInRange(twips)) {
    message = ReplaceArgument(
        ReplaceArgument(
            platform::W(RString(IDS_MEASUREMENT_RANGE)), L"%1",
            platform::W(FormatMeasurement(-kMeasurementLimit, unit_, Language()).Str())),
        L"%2", platform::W(FormatMeasurement(kMeasurementLimit, unit_, Language()).Str()));
  }
  if (!message.empty()) {
    MessageBoxW(Hwnd(), message.c_str(), L"Varnel", MB_OK | MB_ICONEXCLAMATION);
    SetFocus(Item(id));
    SendMessageW(Item(id), EM_SETSEL, 0, -1);
    return false;
  }
  value = twips;
  ShowMargin(id, value);
  return true;
}

void CPageSetupDlg::OnOk() {
  TRect margins = config_.PageMargin;
  if (!ReadMargin(IDC_PAGE_SETUP_TOP, margins.top) ||
      !ReadMargin(IDC_PAGE_SETUP_RIGHT, margins.right) ||
      !ReadMargin(IDC_PAGE_SETUP_LEFT, margins.left) ||
      !ReadMargin(IDC_PAGE_SETUP_BOTTOM, margins.bottom)) {
    return;
  }
  config_.PageMargin = margins;
  TDialog::OnOk();
}

}  // namespace app
