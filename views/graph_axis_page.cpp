#include "views/graph_axis_page.h"

#include <string>

#include "platform/wide.h"
#include "app_context/main_frame_text.h"
#include "strings/string_ids.h"
#include "text/assert_report.h"
#include "ui/combo_box.h"
#include "views/graph_sheet_ids.h"

namespace views {

namespace {

TString Text(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return TString(platform::U16(text.c_str()));
}

struct ComboItem {
  int text;
  std::int32_t data;
};
constexpr ComboItem kLocations[] = {{IDS_LOCATION_LEFT, graph::kLeft},
                                    {IDS_LOCATION_TOP, graph::kTop},
                                    {IDS_LOCATION_RIGHT, graph::kRight},
                                    {IDS_LOCATION_BOTTOM, graph::kBottom}};
constexpr ComboItem kFormats[] = {{IDS_FORMAT_GLOBAL_TIME, graph::kTimeFormat},
                                  {IDS_FORMAT_NUMERICAL, graph::kNumericFormat},
                                  {IDS_FORMAT_DURATION, graph::kDurationFormat}};
constexpr ComboItem kGridTypes[] = {
    {IDS_GRID_NONE, 0}, {IDS_GRID_MAJOR_ONLY, 1}, {IDS_GRID_MAJOR_AND_MINOR, 2}};

constexpr int kRangeEdits[] = {IDC_AXIS_MIN, IDC_AXIS_MAX};
constexpr int kTickEdits[] = {IDC_AXIS_FIRST_TICK, IDC_AXIS_MAJOR_GAP, IDC_AXIS_MINOR_GAP,
                              IDC_AXIS_MICRO_GAP};

}  // namespace

TAxisConfigPage::TAxisConfigPage()
    : TGraphPage(IDD_GRAPH_AXIS_PAGE, IDS_GRAPH_PAGE_AXIS, IDI_GRAPH_AXIS_TAB) {}

void TAxisConfigPage::InitControls() {
  if (!working_) {
    AssertReport(u"Empty GraphConfig received by TAxisConfigPage()", "AxisConfigPage", false);
  }
  SetTexts({{IDC_AXIS_PAGE_TEXT, IDS_AXIS_PAGE_TEXT},
            {IDC_AXIS_NAME_LABEL, IDS_AXIS_LABEL},
            {IDC_AXIS_ADD, IDS_ADD},
            {IDC_AXIS_DELETE, IDS_DELETE},
            {IDC_AXIS_GENERAL, IDS_AXIS_GENERAL_PROPERTIES},
            {IDC_AXIS_HIDDEN, IDS_AXIS_HIDDEN},
            {IDC_AXIS_LOCATION_LABEL, IDS_AXIS_LOCATION},
            {IDC_AXIS_FORMAT_LABEL, IDS_AXIS_FORMAT},
            {IDC_AXIS_LINE_WIDTH_LABEL, IDS_AXIS_LINE_WIDTH},
            {IDC_AXIS_SCREEN_COLOR, IDS_SCREEN_COLOR},
            {IDC_AXIS_PRINT_COLOR, IDS_PRINTING_COLOR},
            {IDC_AXIS_GRID, IDS_AXIS_GRID},
            {IDC_AXIS_GRID_TYPE_LABEL, IDS_AXIS_GRID_TYPE},
            {IDC_AXIS_GRID_SCREEN_COLOR, IDS_SCREEN_COLOR},
            {IDC_AXIS_GRID_PRINT_COLOR, IDS_PRINTING_COLOR},
            {IDC_AXIS_SCALING, IDS_AXIS_SCALING},
            {IDC_AXIS_AUTOSCALE, IDS_AXIS_AUTOSCALING},
            {IDC_AXIS_MIN_LABEL, IDS_AXIS_MIN_VALUE},
            {IDC_AXIS_MAX_LABEL, IDS_AXIS_MAX_VALUE},
            {IDC_AXIS_TICKS, IDS_AXIS_TICKS},
            {IDC_AXIS_MANUAL_TICKS, IDS_AXIS_MANUAL_TICKS},
            {IDC_AXIS_FIRST_TICK_LABEL, IDS_AXIS_FIRST_MAJOR_TICK},
            {IDC_AXIS_MAJOR_GAP_LABEL, IDS_AXIS_MAJOR_TICKS_GAP},
            {IDC_AXIS_MINOR_GAP_LABEL, IDS_AXIS_MINOR_TICKS_GAP},
            {IDC_AXIS_MICRO_GAP_LABEL, IDS_AXIS_MICRO_TICKS_GAP}});
  for (const ComboItem& item : kLocations)
    ui::AddComboItem(Item(IDC_AXIS_LOCATION), platform::W(RString(item.text)), item.data);
  for (const ComboItem& item : kFormats)
    ui::AddComboItem(Item(IDC_AXIS_FORMAT), platform::W(RString(item.text)), item.data);
  for (const ComboItem& item : kGridTypes)
    ui::AddComboItem(Item(IDC_AXIS_GRID_TYPE), platform::W(RString(item.text)), item.data);
  for (int width = 1; width <= 3; ++width) {
    ui::AddComboItem(Item(IDC_AXIS_LINE_WIDTH), (std::to_wstring(width) + L" pixel").c_str(),
                     width);
  }
  auto changed = [this] { MarkChanged(); };
  axis_screen_.Attach(Item(IDC_AXIS_SCREEN_COLOR), changed);
  axis_print_.Attach(Item(IDC_AXIS_PRINT_COLOR), changed);
  grid_screen_.Attach(Item(IDC_AXIS_GRID_SCREEN_COLOR), changed);
  grid_print_.Attach(Item(IDC_AXIS_GRID_PRINT_COLOR), changed);
}

graph::TAxisSettings* TAxisConfigPage::CurrentRecord() {
  auto found = working_->Axes.find(current_);
  return found == working_->Axes.end() ? nullptr : &found->second;
}

void TAxisConfigPage::Load() {
  if (!CurrentRecord()) current_ = working_->Axes.empty() ? -1 : working_->Axes.begin()->first;
  HWND names = Item(IDC_AXIS_NAME);
  SendMessageW(names, CB_RESETCONTENT, 0, 0);
  for (const auto& [id, axis] : working_->Axes)
    ui::AddComboItem(names, platform::W(axis.Name.Str()), id);
  ui::SelectComboData(names, current_);
  LoadAxis();
}

void TAxisConfigPage::LoadAxis() {
  const graph::TAxisSettings* axis = CurrentRecord();
  if (!axis) return;
  typed_name_ = axis->Name;
  SetWindowTextW(Item(IDC_AXIS_NAME), platform::W(axis->Name.Str()));
  CheckDlgButton(Hwnd(), IDC_AXIS_HIDDEN, axis->Hide ? BST_CHECKED : BST_UNCHECKED);
  ui::SelectComboData(Item(IDC_AXIS_LOCATION), axis->Location);
  ui::SelectComboData(Item(IDC_AXIS_FORMAT), axis->Format);
  ui::SelectComboData(Item(IDC_AXIS_LINE_WIDTH), axis->PenSize);
  ui::SelectComboData(Item(IDC_AXIS_GRID_TYPE), axis->GridType);
  axis_screen_.SetColour(axis->PenColor);
  axis_print_.SetColour(axis->PenPrintColor);
  grid_screen_.SetColour(axis->GridPenColor);
  grid_print_.SetColour(axis->GridPenPrintColor);
  CheckDlgButton(Hwnd(), IDC_AXIS_AUTOSCALE, axis->AutoScale ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Hwnd(), IDC_AXIS_MANUAL_TICKS, axis->ManualTicks ? BST_CHECKED : BST_UNCHECKED);
  shown_ = graph::AxisValueTexts(*axis);
  SetWindowTextW(Item(IDC_AXIS_MIN), platform::W(shown_.min.Str()));
  SetWindowTextW(Item(IDC_AXIS_MAX), platform::W(shown_.max.Str()));
  SetWindowTextW(Item(IDC_AXIS_FIRST_TICK), platform::W(shown_.firstTick.Str()));
  SetWindowTextW(Item(IDC_AXIS_MAJOR_GAP), platform::W(shown_.majorGap.Str()));
  SetWindowTextW(Item(IDC_AXIS_MINOR_GAP), platform::W(shown_.minorGap.Str()));
  SetWindowTextW(Item(IDC_AXIS_MICRO_GAP), platform::W(shown_.microGap.Str()));
  EnableWindow(Item(IDC_AXIS_DELETE), graph::CanDeleteAxis(*working_, current_) ? TRUE : FALSE);
  EnableEdits();
}

void TAxisConfigPage::EnableEdits() {
  const bool automatic = IsDlgButtonChecked(Hwnd(), IDC_AXIS_AUTOSCALE) == BST_CHECKED;
  const bool manual_ticks = IsDlgButtonChecked(Hwnd(), IDC_AXIS_MANUAL_TICKS) == BST_CHECKED;
  for (int edit : kRangeEdits) EnableWindow(Item(edit), automatic ? FALSE : TRUE);
  for (int edit : kTickEdits) EnableWindow(Item(edit), manual_ticks ? TRUE : FALSE);
}

graph::TAxisValueTexts TAxisConfigPage::TypedTexts() const {
  return {Text(Item(IDC_AXIS_MIN)),        Text(Item(IDC_AXIS_MAX)),
          Text(Item(IDC_AXIS_FIRST_TICK)), Text(Item(IDC_AXIS_MAJOR_GAP)),
          Text(Item(IDC_AXIS_MINOR_GAP)),  Text(Item(IDC_AXIS_MICRO_GAP))};
}

void TAxisConfigPage::Store() {
  graph::TAxisSettings* axis = CurrentRecord();
  if (!axis) return;
  axis->Name = typed_name_;
  axis->Hide = IsDlgButtonChecked(Hwnd(), IDC_AXIS_HIDDEN) == BST_CHECKED;
  axis->AutoScale = IsDlgButtonChecked(Hwnd(), IDC_AXIS_AUTOSCALE) == BST_CHECKED;
  axis->ManualTicks = IsDlgButtonChecked(Hwnd(), IDC_AXIS_MANUAL_TICKS) == BST_CHECKED;
  auto data = [this](int combo, std::int32_t keep) {
    return static_cast<std::int32_t>(ui::SelectedComboData(Item(combo), keep));
  };
  axis->Location = data(IDC_AXIS_LOCATION, axis->Location);
  axis->Format = data(IDC_AXIS_FORMAT, axis->Format);
  axis->PenSize = data(IDC_AXIS_LINE_WIDTH, axis->PenSize);
  axis->GridType = data(IDC_AXIS_GRID_TYPE, axis->GridType);
  // A colour chosen here is that of the axis's line and of its texts alike; a button left at the
  // line's colour leaves both alone (the texts may have a colour of their own).
  if (axis_screen_.Colour() != axis->PenColor) {
    axis->PenColor = axis->FontColor = axis_screen_.Colour();
  }
  if (axis_print_.Colour() != axis->PenPrintColor) {
    axis->PenPrintColor = axis->FontPrintColor = axis_print_.Colour();
  }
  axis->GridPenColor = grid_screen_.Colour();
  axis->GridPenPrintColor = grid_print_.Colour();
  graph::StoreAxisValueTexts(*axis, shown_, TypedTexts());
}

void TAxisConfigPage::Reset() { working_->ResetAxisFormats(); }

void TAxisConfigPage::AddAxis() {
  Store();
  current_ = graph::AddAxis(*working_, current_);
  Reload();
  MarkChanged();
}

void TAxisConfigPage::DeleteAxis() {
  if (const graph::TPlotSettings* wave = graph::WaveUsingAxis(*working_, current_)) {
    TString message = RString(IDS_AXIS_IN_USE_BY_WAVE);
    message.Append(wave->Name);
    message.Append(RString(IDS_AXIS_IN_USE_SUFFIX));
    MessageBoxW(Hwnd(), platform::W(message.Str()), L"Varnel", MB_OK | MB_ICONINFORMATION);
    return;
  }
  current_ = graph::DeleteAxis(*working_, current_);
  Reload();
  MarkChanged();
}

bool TAxisConfigPage::OnCommand(UINT id, UINT code, HWND control) {
  if (!working_) return false;
  switch (id) {
    case IDC_AXIS_NAME:
      if (code == CBN_EDITCHANGE) {
        typed_name_ = Text(control);
      } else if (code == CBN_SELCHANGE) {
        Store();  // into the axis that was current
        const LPARAM chosen = ui::SelectedComboData(control, current_);
        current_ = static_cast<std::int32_t>(chosen);
        Reload();
        return true;
      }
      break;
    case IDC_AXIS_ADD:
      if (code == BN_CLICKED) {
        AddAxis();
        return true;
      }
      break;
    case IDC_AXIS_DELETE:
      if (code == BN_CLICKED) {
        DeleteAxis();
        return true;
      }
      break;
    case IDC_AXIS_AUTOSCALE:
    case IDC_AXIS_MANUAL_TICKS:
      if (code == BN_CLICKED) EnableEdits();
      break;
    default:
      break;
  }
  return TGraphPage::OnCommand(id, code, control);
}

}  // namespace views
