// The sink a session advises on its server's IOPCShutdown connection point. In a multithreaded
// apartment the server's call arrives on a thread of COM's, while the connecting thread may be
// closing the very session: the sink therefore knows its session only by handle and looks the
// callback up in the session table, under the table's lock.
#pragma once

#include <windows.h>

#include <atomic>

#include "ambrel/ambrel.h"
#include "opc/opc.h"
#include "win/com_object.h"

namespace ambrel {

class CIOPCShutdown final : public win::ComObject<IOPCShutdown> {
 public:
  HRESULT STDMETHODCALLTYPE ShutdownRequest(LPCWSTR reason) override;

  // The session's handle, once it has one; a sink without one calls nobody.
  void SetSession(AMBREL_SESSION handle) { session_.store(handle); }
  void DetachSession() { session_.store(AMBREL_NO_SESSION); }

  DWORD cookie = 0;

 private:
  std::atomic<AMBREL_SESSION> session_{AMBREL_NO_SESSION};
};

}  // namespace ambrel
