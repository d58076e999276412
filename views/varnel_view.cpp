#include "views/varnel_view.h"

#include <algorithm>

namespace views {

namespace {
std::vector<TVarnelView*>& Registry() {
  static std::vector<TVarnelView*> views;
  return views;
}
}  // namespace

TVarnelView::TVarnelView() { Registry().push_back(this); }

TVarnelView::~TVarnelView() { std::erase(Registry(), this); }

const std::vector<TVarnelView*>& TVarnelView::AllViews() { return Registry(); }

void TVarnelView::SendToAllViews(UINT message, WPARAM wparam, LPARAM lparam) {
  const std::vector<TVarnelView*> views = Registry();
  for (TVarnelView* v : views) {
    if (v->Hwnd()) SendMessageW(v->Hwnd(), message, wparam, lparam);
  }
}

}  // namespace views
