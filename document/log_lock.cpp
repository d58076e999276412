#include "document/log_lock.h"

platform::Lock& LogLock() {
  // Never destroyed: messages may still be logged while other static objects are torn down.
  static platform::Lock* lock = new platform::Lock;
  return *lock;
}
