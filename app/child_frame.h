// TChildFrame: a document window, split into the graph view (upper two thirds, the active view)
// and the grid view (lower third). The graph's trace cursor is toggled here, so that the command
// works whichever pane has the keyboard.
#pragma once

#include "ui/mdi_child.h"
#include "ui/splitter.h"
#include "views/graph_view.h"
#include "views/grid_view.h"

namespace app {

class TChildFrame : public ui::MdiChild {
 public:
  TChildFrame();
  views::TVarnelGraphView& GraphView() { return graph_view_; }
  views::TVarnelGridView& GridView() { return grid_view_; }

 protected:
  bool OnCreateViews(const CREATESTRUCTW& create) override;
  void OnSize(UINT type, int cx, int cy) override;
  bool OnGetMinMaxInfo(MINMAXINFO& info) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  ui::Splitter splitter_;
  views::TVarnelGraphView graph_view_;
  views::TVarnelGridView grid_view_;
  UINT size_type_ = SIZE_RESTORED;  // the last WM_SIZE's: maximised, minimised or restored
};

}  // namespace app
