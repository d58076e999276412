#include "app_context/main_frame_link.h"

#include <atomic>

namespace {
std::atomic<TMainFrameLink*> g_link{nullptr};
}  // namespace

TMainFrameLink* MainFrameLink() { return g_link.load(); }

int MainFrameLanguage() {
  const TMainFrameLink* link = MainFrameLink();
  return link ? link->language : 1;
}

void SetMainFrameLink(TMainFrameLink* link) { g_link.store(link); }
