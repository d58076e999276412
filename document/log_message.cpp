#include "document/log_message.h"

#include "app_context/log_sink.h"
#include "app_context/main_frame_link.h"
#include "document/log_lock.h"
#include "text/time_base.h"
#include "text/tstring.h"

void LogMessage(int type, int level, const char16_t* p1, const char16_t* p2, const char16_t* p3,
                const char16_t* p4, const char16_t* p5, const char16_t* p6) {
  platform::LockGuard guard(LogLock());
  TMainFrameLink* link = MainFrameLink();
  if (link == nullptr || link->log == nullptr) return;
  // The concatenation stops at the first null piece.
  TString text(p1 ? p1 : u"", p1 ? p2 : nullptr, p3, p4, p5, p6);
  link->log->AddMessage(type, level, text, Now());
}
