// The process-wide log lock: held while log entries are added, written or moved, and while the
// log that receives assertion reports changes.
#pragma once

#include "platform/lock.h"

platform::Lock& LogLock();
