#include "views/graph_plot_page.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "app_context/main_frame_text.h"
#include "graph/settings_page_rules.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "ui/combo_box.h"
#include "ui/dpi.h"
#include "ui/gdi_select.h"
#include "views/graph_sheet_ids.h"

namespace views {

namespace {

constexpr int kLineTypeTexts[] = {
    IDS_LINE_TYPE_NO_LINE, IDS_LINE_TYPE_LINES,      IDS_LINE_TYPE_HORIZONTAL, IDS_LINE_TYPE_BARS,
    IDS_LINE_TYPE_TO_ZERO, IDS_LINE_TYPE_CITY_SCAPE, IDS_LINE_TYPE_CITY_SHADOW};

constexpr int kWaveControls[] = {IDC_PLOT_HIDDEN,      IDC_PLOT_STYLE,      IDC_PLOT_X_AXIS,
                                 IDC_PLOT_Y_AXIS,      IDC_PLOT_LINE_WIDTH, IDC_PLOT_LINE_COLOR,
                                 IDC_PLOT_FILL_COLOR,  IDC_PLOT_MARKER,     IDC_PLOT_MARKER_SIZE,
                                 IDC_PLOT_MARKER_COLOR};

}  // namespace

TPlotConfigPage::TPlotConfigPage()
    : TGraphPage(IDD_GRAPH_WAVES_PAGE, IDS_GRAPH_PAGE_WAVES, IDI_GRAPH_WAVES_TAB) {}

void TPlotConfigPage::InitControls() {
  SetTexts({{IDC_PLOT_PAGE_TEXT, IDS_PLOT_PAGE_TEXT},
            {IDC_PLOT_PROPERTIES, IDS_PLOT_PROPERTIES},
            {IDC_PLOT_HIDDEN, IDS_PLOT_HIDDEN},
            {IDC_PLOT_STYLE_LABEL, IDS_PLOT_STYLE},
            {IDC_PLOT_X_AXIS_LABEL, IDS_PLOT_X_AXIS},
            {IDC_PLOT_Y_AXIS_LABEL, IDS_PLOT_Y_AXIS},
            {IDC_PLOT_LINES, IDS_PLOT_LINES},
            {IDC_PLOT_LINE_WIDTH_LABEL, IDS_PLOT_LINE_WIDTH},
            {IDC_PLOT_LINE_COLOR, IDS_PLOT_LINE_COLOR},
            {IDC_PLOT_FILL_COLOR, IDS_PLOT_FILL_COLOR},
            {IDC_PLOT_MARKERS, IDS_PLOT_MARKERS},
            {IDC_PLOT_MARKER_LABEL, IDS_PLOT_MARKER},
            {IDC_PLOT_MARKER_SIZE_LABEL, IDS_PLOT_MARKER_SIZE},
            {IDC_PLOT_MARKER_COLOR, IDS_MARKER_COLOR}});
  for (int type = 0; type < 7; ++type) {
    ui::AddComboItem(Item(IDC_PLOT_STYLE), platform::W(RString(kLineTypeTexts[type])), type);
  }
  for (int width = 1; width <= 3; ++width) {
    ui::AddComboItem(Item(IDC_PLOT_LINE_WIDTH), (std::to_wstring(width) + L" pixel").c_str(),
                     width);
  }
  for (int size = 2; size <= 5; ++size) {
    ui::AddComboItem(Item(IDC_PLOT_MARKER_SIZE), (std::to_wstring(size) + L" pixel").c_str(), size);
  }
  markers_.Attach(Item(IDC_PLOT_MARKER));
  const int height = ui::ScaleForWindow(Hwnd(), 16);
  SendMessageW(markers_.Hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  SendMessageW(markers_.Hwnd(), CB_SETITEMHEIGHT, 0, height);
  auto changed = [this] { MarkChanged(); };
  line_colour_.Attach(Item(IDC_PLOT_LINE_COLOR), changed);
  fill_colour_.Attach(Item(IDC_PLOT_FILL_COLOR), changed);
  marker_colour_.Attach(Item(IDC_PLOT_MARKER_COLOR), [this] {
    MarkChanged();
    RefreshMarkerList();
  });
}

graph::TPlotSettings* TPlotConfigPage::CurrentRecord() {
  auto found = working_->Plots.find(current_);
  return found == working_->Plots.end() ? nullptr : &found->second;
}

void TPlotConfigPage::FillAxisCombo(int control, bool vertical) {
  HWND combo = Item(control);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const auto& [id, axis] : working_->Axes) {
    if (graph::IsVerticalLocation(axis.Location) == vertical)
      ui::AddComboItem(combo, platform::W(axis.Name.Str()), id);
  }
}

void TPlotConfigPage::Load() {
  if (working_->Plots.empty()) {
    current_.Clear();
  } else if (!CurrentRecord()) {
    current_ = working_->Plots.begin()->first;
  }
  HWND list = Item(IDC_PLOT_LIST);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  int widest = 0;
  {
    // Long wave names scroll sideways.
    ui::WindowDc dc(list);
    ui::SelectGuard font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    for (const auto& [name, record] : working_->Plots) {
      const LRESULT index =
          SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::W(name.Str())));
      if (name == current_) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
      SIZE size{};
      GetTextExtentPoint32W(dc.Get(), platform::W(name.Str()), static_cast<int>(name.Length()),
                            &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
  }
  SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
  FillAxisCombo(IDC_PLOT_X_AXIS, false);
  FillAxisCombo(IDC_PLOT_Y_AXIS, true);
  LoadWave();
}

void TPlotConfigPage::LoadWave() {
  const graph::TPlotSettings* record = CurrentRecord();
  EnableWaveControls(record != nullptr);
  if (!record) return;  // a graph without waves
  const graph::TPlotSettings& look = *record;
  CheckDlgButton(Hwnd(), IDC_PLOT_HIDDEN, look.Hide ? BST_CHECKED : BST_UNCHECKED);
  ui::SelectComboData(Item(IDC_PLOT_STYLE), look.LineType);
  ui::SelectComboData(Item(IDC_PLOT_X_AXIS), look.XAxisId);
  ui::SelectComboData(Item(IDC_PLOT_Y_AXIS), look.YAxisId);
  ui::SelectComboData(Item(IDC_PLOT_LINE_WIDTH), look.LineWidth);
  ui::SelectComboData(Item(IDC_PLOT_MARKER_SIZE), look.MarkerSize);
  markers_.SetLook(look);
  line_colour_.SetColour(look.LineColor);
  fill_colour_.SetColour(look.FillColor);
  marker_colour_.SetColour(look.MarkerColor);
}

void TPlotConfigPage::EnableWaveControls(bool enable) {
  for (int control : kWaveControls) EnableWindow(Item(control), enable ? TRUE : FALSE);
}

void TPlotConfigPage::Store() {
  graph::TPlotSettings* record = CurrentRecord();
  if (!record) return;
  record->Hide = IsDlgButtonChecked(Hwnd(), IDC_PLOT_HIDDEN) == BST_CHECKED;
  record->LineType =
      static_cast<std::int32_t>(ui::SelectedComboData(Item(IDC_PLOT_STYLE), record->LineType));
  record->MarkerShape = markers_.SelectedShape(record->MarkerShape);
  record->LineWidth = static_cast<std::int32_t>(
      ui::SelectedComboData(Item(IDC_PLOT_LINE_WIDTH), record->LineWidth));
  record->MarkerSize = static_cast<std::int32_t>(
      ui::SelectedComboData(Item(IDC_PLOT_MARKER_SIZE), record->MarkerSize));
  record->XAxisId =
      static_cast<std::int32_t>(ui::SelectedComboData(Item(IDC_PLOT_X_AXIS), record->XAxisId));
  record->YAxisId =
      static_cast<std::int32_t>(ui::SelectedComboData(Item(IDC_PLOT_Y_AXIS), record->YAxisId));
  record->LineColor = line_colour_.Colour();
  record->FillColor = fill_colour_.Colour();
  record->MarkerColor = marker_colour_.Colour();
}

void TPlotConfigPage::Reset() { working_->RenumberPlots(); }

bool TPlotConfigPage::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_PLOT_LIST && code == LBN_SELCHANGE && working_) {
    Store();  // into the wave that was current
    const LRESULT index = SendMessageW(control, LB_GETCURSEL, 0, 0);
    if (index >= 0 && static_cast<std::size_t>(index) < working_->Plots.size()) {
      current_ = std::next(working_->Plots.begin(), index)->first;
    }
    Reload();
    return true;
  }
  if (id == IDC_PLOT_MARKER_SIZE && code == CBN_SELCHANGE && !Loading()) RefreshMarkerList();
  return TGraphPage::OnCommand(id, code, control);
}

void TPlotConfigPage::RefreshMarkerList() {
  if (!working_ || !CurrentRecord()) return;
  // The shapes are drawn at the size and in the colour chosen so far.
  graph::TPlotSettings look = *CurrentRecord();
  look.MarkerSize =
      static_cast<std::int32_t>(ui::SelectedComboData(Item(IDC_PLOT_MARKER_SIZE), look.MarkerSize));
  look.MarkerColor = marker_colour_.Colour();
  look.MarkerShape = markers_.SelectedShape(look.MarkerShape);
  markers_.SetLook(look);
}

INT_PTR TPlotConfigPage::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (item.CtlID == IDC_PLOT_MARKER) {
      markers_.DrawItem(item);
      return TRUE;
    }
  }
  return TGraphPage::HandleMessage(message, wparam, lparam);
}

}  // namespace views
