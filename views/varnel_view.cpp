#include "views/varnel_view.h"

#include <algorithm>

#include "ui/gdi_select.h"
#include "views/printer_settings.h"

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

LRESULT TVarnelView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == PrinterChangedMessage()) {
    win::UniqueDc printer(CurrentPrinter().CreateDc());
    return 0;
  }
  return View::HandleMessage(message, wparam, lparam);
}

}  // namespace views
