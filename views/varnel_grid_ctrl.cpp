#include "views/varnel_grid_ctrl.h"

namespace views {

void TVarnelGridCtrl::OnCellDoubleClick(ui::GridCell cell, POINT) {
  owner_.GridDoubleClicked(cell);
}

void TVarnelGridCtrl::OnCellRightButtonUp(ui::GridCell cell, POINT point) {
  ClientToScreen(Hwnd(), &point);
  owner_.GridRightButtonReleased(cell, point);
}

}  // namespace views
