// The graph's legend: a modeless dialog titled "Legend : <graph name>" whose owner-drawn list
// shows one item per wave look of the graph's settings, in name order, each with a sample of the
// look, its axis locations and its name. The graph window refreshes it after every change and
// deletes it once it reports that it has closed.
#pragma once

#include <vector>

#include "dialogs/dialog.h"
#include "graph/graph.h"

namespace views {

// The owner-drawn list of the legend.
class TLegendDropList {
 public:
  void Attach(HWND list) { list_ = list; }
  // One item per record, the first selected; the items' texts are their prefixes and names.
  void Fill(const graph::TPlotSettingsMap& plots);
  void DrawItem(const DRAWITEMSTRUCT& item) const;
  std::size_t Count() const { return records_.size(); }
  const graph::TPlotSettings& Record(std::size_t i) const { return records_[i]; }

 private:
  HWND list_ = nullptr;
  std::vector<graph::TPlotSettings> records_;
};

class TGraphLegendDialog : public dialogs::TDialog {
 public:
  static constexpr int kMinTrackWidth = 150;
  static constexpr int kMinTrackHeight = 75;

  explicit TGraphLegendDialog(HWND graph_window);
  // Caption and list rebuilt from the graph.
  void Refresh(const graph::TGraph& graph);
  const TLegendDropList& List() const { return list_; }

 protected:
  bool OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  TLegendDropList list_;
};

}  // namespace views
