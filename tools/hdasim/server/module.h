// Lifetime of the server process: live COM objects and IClassFactory::LockServer locks keep it
// running; the host is told when the last one goes.
#pragma once

namespace hdasim {

class ServerModule {
 public:
  static void AddRef();
  static void Release();
  static long Count();
  // Called (on the releasing thread) whenever the count drops to zero.
  static void SetIdleCallback(void (*callback)());
};

}  // namespace hdasim
