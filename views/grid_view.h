// The lower pane of a document window: the document's waves as a table of time-stamped values.
#pragma once

#include "views/varnel_view.h"

namespace views {

class TVarnelGridView : public TVarnelView {
 public:
  static constexpr wchar_t kClassName[] = L"VarnelGridView";

  bool Create(HWND parent, UINT id);
};

}  // namespace views
