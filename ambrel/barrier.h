// What every export puts between its work and the C caller: the Windows base's barrier (no
// exception crosses, each one caught is reported), and for the per-session exports the session
// looked up and counted as in use.
#pragma once

#include <source_location>

#include "ambrel/ambrel.h"
#include "ambrel/hda_server.h"
#include "ambrel/state.h"
#include "win/barrier.h"

namespace ambrel {

// Runs work(HDASvr&) on a live session, or gives `failure` for an unknown or stale handle
// without a message. The session counts as in use meanwhile (see SessionUse). When the work found
// the server gone, the session's shutdown callback runs before the export returns. The thread's
// last error is left as the HRESULT that showed the session's server gone, or 0.
template <typename Result, typename Work>
Result WithSession(AMBREL_SESSION handle, Result failure, Work&& work,
                   std::source_location where = std::source_location::current()) noexcept {
  HRESULT lost = S_OK;
  const Result result = win::Barrier(
      failure,
      [&]() -> Result {
        const SessionUse use(handle);
        if (!use.Get()) return failure;
        const Result done = work(*use.Get());
        use.Get()->DeliverLossNotice();
        lost = use.Get()->LostResult();
        return done;
      },
      where);
  SetLastError(static_cast<DWORD>(lost));
  return result;
}

inline FILETIME MakeFileTime(DWORD low, DWORD high) {
  FILETIME time;
  time.dwLowDateTime = low;
  time.dwHighDateTime = high;
  return time;
}

}  // namespace ambrel
