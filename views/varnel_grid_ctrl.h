// TVarnelGridCtrl: the grid of the grid view. After the grid's own handling, a double-click,
// a right-button release (or the context-menu key) and the focus are passed on to the view that
// owns the grid.
#pragma once

#include "ui/grid_ctrl.h"

namespace views {

class VarnelGridOwner {
 public:
  virtual ~VarnelGridOwner() = default;
  virtual void GridDoubleClicked(ui::GridCell cell) = 0;
  // `screen_point`: where a menu for the cell opens.
  virtual void GridRightButtonReleased(ui::GridCell cell, POINT screen_point) = 0;
  virtual void GridFocused() = 0;
};

class TVarnelGridCtrl : public ui::TGridCtrl {
 public:
  explicit TVarnelGridCtrl(VarnelGridOwner& owner) : owner_(owner) {}

 protected:
  void OnCellDoubleClick(ui::GridCell cell, POINT point) override;
  void OnCellRightButtonUp(ui::GridCell cell, POINT point) override;
  void OnGridFocus() override { owner_.GridFocused(); }

 private:
  VarnelGridOwner& owner_;
};

}  // namespace views
