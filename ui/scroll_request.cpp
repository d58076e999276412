#include "ui/scroll_request.h"

namespace ui {

std::optional<LONG> ScrolledPosition(HWND window, int bar, UINT request, LONG position,
                                     const ScrollSteps& steps) {
  switch (request) {
    case SB_LINEUP:
      return position - steps.line;
    case SB_LINEDOWN:
      return position + steps.line;
    case SB_PAGEUP:
      return position - steps.page;
    case SB_PAGEDOWN:
      return position + steps.page;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return steps.last;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(window, bar, &info);
      return info.nTrackPos;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace ui
