#include "graph/graph_text.h"

#include "app_core/main_frame_link.h"
#include "strings/resource_text.h"

namespace graph {

int CurrentLanguage() {
  const TMainFrameLink* link = MainFrameLink();
  return link ? link->language : 1;
}

const char16_t* GraphText(int id) { return RString(id, CurrentLanguage()); }

}  // namespace graph
