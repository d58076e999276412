#include "app_context/main_frame_text.h"

#include "app_context/main_frame_link.h"

const char16_t* RString(int id) {
  TMainFrameLink* link = MainFrameLink();
  if (link == nullptr) return kNoMainFrameText;
  return RString(id, link->language);
}
