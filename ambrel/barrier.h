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
// without a message. The session counts as in use meanwhile (see SessionUse).
template <typename Result, typename Work>
Result WithSession(AMBREL_SESSION handle, Result failure, Work&& work,
                   std::source_location where = std::source_location::current()) noexcept {
  return win::Barrier(
      failure,
      [&]() -> Result {
        const SessionUse use(handle);
        if (!use.Get()) return failure;
        return work(*use.Get());
      },
      where);
}

inline FILETIME MakeFileTime(DWORD low, DWORD high) {
  FILETIME time;
  time.dwLowDateTime = low;
  time.dwHighDateTime = high;
  return time;
}

}  // namespace ambrel
