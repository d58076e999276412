// The one barrier every export puts between its work and the C caller: no exception crosses.
#pragma once

#include <memory>

#include "ambrel/ambrel.h"
#include "ambrel/hda_server.h"
#include "ambrel/state.h"

namespace ambrel {

template <typename Result, typename Work>
Result Guarded(Result failure, Work&& work) noexcept {
  try {
    return work();
  } catch (...) {
    return failure;
  }
}

// Runs work(HDASvr&) on a live session, or gives `failure` for an unknown or stale handle
// without a message. The session counts as in use meanwhile (see HDASvr::BeginUse).
template <typename Result, typename Work>
Result WithSession(AMBREL_SESSION handle, Result failure, Work&& work) noexcept {
  return Guarded(failure, [&]() -> Result {
    std::shared_ptr<HDASvr> session = FindSession(handle);
    if (!session) return failure;
    struct Use {
      HDASvr& session;
      explicit Use(HDASvr& s) : session(s) { session.BeginUse(); }
      Use(const Use&) = delete;
      Use& operator=(const Use&) = delete;
      ~Use() { session.EndUse(); }
    } use(*session);
    return work(*session);
  });
}

inline FILETIME MakeFileTime(DWORD low, DWORD high) {
  FILETIME time;
  time.dwLowDateTime = low;
  time.dwHighDateTime = high;
  return time;
}

}  // namespace ambrel
