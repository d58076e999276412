// Where the main frame's log messages go: the application message log implements it, so that the
// logging function reaches the log without knowing its class.
#pragma once

#include "text/tstring.h"

class ILogSink {
 public:
  virtual ~ILogSink() = default;
  // One message of one or more lines, stamped with `time`.
  virtual void AddMessage(int type, int level, const TString& text, double time) = 0;
};
