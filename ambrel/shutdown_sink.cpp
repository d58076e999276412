#include "ambrel/shutdown_sink.h"

#include "ambrel/state.h"
#include "win/barrier.h"

namespace ambrel {

HRESULT STDMETHODCALLTYPE CIOPCShutdown::ShutdownRequest(LPCWSTR) {
  return win::ComBarrier([&]() -> HRESULT {
    // The callback may disconnect the session, which unadvises and lets go of this sink: nothing
    // of the sink or the session is read after it.
    const AMBREL_SESSION session = session_.load();
    if (const AMBREL_SHUTDOWN_CALLBACK callback = ShutdownCallbackOf(session)) callback(session);
    return S_OK;
  });
}

}  // namespace ambrel
