#include "views/legend_window.h"

#include "app_context/main_frame_text.h"
#include "graph/legend_item.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "ui/dpi.h"
#include "ui/gdi_canvas.h"
#include "views/graph_sheet_ids.h"

namespace views {

void TLegendDropList::Fill(const graph::TPlotSettingsMap& plots) {
  records_.clear();
  for (const auto& [name, record] : plots) records_.push_back(record);
  if (!list_) return;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const graph::TPlotSettings& record : records_) {
    TString text;
    graph::LegendPrefix(record, text);
    text.Append(u" ");
    text.Append(record.Name);
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::W(text.Str())));
  }
  if (!records_.empty()) SendMessageW(list_, LB_SETCURSEL, 0, 0);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void TLegendDropList::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= records_.size()) return;
  ui::GdiCanvas canvas(item.hDC, false);
  const TRect rect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
  graph::DrawLegendItem(canvas, rect, (item.itemState & ODS_SELECTED) != 0, records_[item.itemID]);
}

TGraphLegendDialog::TGraphLegendDialog(HWND graph_window)
    : TDialog(graph_window, IDD_GRAPH_LEGEND) {}

bool TGraphLegendDialog::OnInitDialog() {
  TDialog::OnInitDialog();
  // Owned by the main window, so that it stays above it (the graph window, a child, is only
  // told when the legend closes).
  SetWindowLongPtrW(Hwnd(), GWLP_HWNDPARENT,
                    reinterpret_cast<LONG_PTR>(GetAncestor(Owner(), GA_ROOT)));
  HWND list = Item(IDC_LEGEND_LIST);
  list_.Attach(list);
  SendMessageW(list, LB_SETITEMHEIGHT, 0, ui::ScaleForWindow(Hwnd(), graph::kLegendItemHeight));
  AddLayout(list, 1, 1, 2, 2);
  return true;
}

void TGraphLegendDialog::Refresh(const graph::TGraph& graph) {
  TString caption = RString(IDS_LEGEND);
  caption.Append(u" : ");
  caption.Append(graph.Name);
  SetWindowTextW(Hwnd(), platform::W(caption.Str()));
  list_.Fill(graph.Settings().Plots);
}

INT_PTR TGraphLegendDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item.CtlID != IDC_LEGEND_LIST) break;
      list_.DrawItem(item);
      return TRUE;
    }
    case WM_GETMINMAXINFO: {
      auto& info = *reinterpret_cast<MINMAXINFO*>(lparam);
      info.ptMinTrackSize = {ui::ScaleForWindow(Hwnd(), kMinTrackWidth),
                             ui::ScaleForWindow(Hwnd(), kMinTrackHeight)};
      return TRUE;
    }
    default:
      break;
  }
  return TDialog::HandleMessage(message, wparam, lparam);
}

}  // namespace views
