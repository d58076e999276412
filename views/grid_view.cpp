#include "views/grid_view.h"

namespace views {

bool TVarnelGridView::Create(HWND parent, UINT id) {
  ui::RegisterWindowClass({.name = kClassName, .style = CS_DBLCLKS,
                           .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
  return Window::Create({.class_name = kClassName,
                         .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP,
                         .ex_style = WS_EX_CLIENTEDGE, .x = 0, .y = 0, .width = 0, .height = 0,
                         .parent = parent,
                         .menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))});
}

}  // namespace views
