// The process-wide state: the server list of the last enumeration, every open session, the
// callbacks and the task allocator. Created when the DLL is loaded, torn down when it is
// unloaded.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ambrel/ambrel.h"
#include "win/com_ptr.h"

namespace ambrel {

struct ServerEntry {
  CLSID clsid{};
  std::string prog_id;
};

class HDASvr;

// A live session and the handle it is known by.
struct SessionSlot {
  AMBREL_SESSION handle;
  std::shared_ptr<HDASvr> session;
};

struct AmbrelState {
  std::vector<ServerEntry> servers;
  std::vector<SessionSlot> sessions;
  bool error_callback_enabled = false;
  AMBREL_ERROR_CALLBACK error_callback = nullptr;
  bool event_callback_enabled = false;
  AMBREL_EVENT_CALLBACK event_callback = nullptr;
  win::ComPtr<IMalloc> task_allocator;
  // Handles count up from 1, skipping 0, -1 and live ones: a closed handle comes back only after
  // 2^31 further connects.
  AMBREL_SESSION last_handle = 0;
};

// Null only while the DLL is not attached.
AmbrelState* TheState();

// Obtains the task allocator; the load fails when it cannot be had. Defined apart so that a
// test build can make it fail.
HRESULT ObtainTaskAllocator(IMalloc** allocator);

bool AttachState();
// `process_ending`: the process is exiting, COM may already be gone in other threads, so the
// servers' interfaces are dropped without calls through them.
void DetachState(bool process_ending);

// The session table may change on two threads at once: in a multithreaded apartment a shutdown
// notice, and the DisconnectHDA its callback makes, arrive on a thread of COM's while the
// connecting thread opens, uses and closes sessions. Every function below takes the table's lock.
std::mutex& SessionTableLock();

// Appends a session and returns its new handle.
AMBREL_SESSION AddSession(std::shared_ptr<HDASvr> session);
// Removes the session from the list and returns it (null when unknown).
std::shared_ptr<HDASvr> TakeSession(AMBREL_SESSION handle);
// The shutdown callback enabled for the session; null for none or an unknown session.
AMBREL_SHUTDOWN_CALLBACK ShutdownCallbackOf(AMBREL_SESSION handle);

// One export's use of a session: found and counted in one step, so that a disconnect from
// another thread meanwhile waits for the use to end (see HDASvr::RequestDisconnect).
class SessionUse {
 public:
  explicit SessionUse(AMBREL_SESSION handle);
  ~SessionUse();
  SessionUse(const SessionUse&) = delete;
  SessionUse& operator=(const SessionUse&) = delete;
  // Null for an unknown or stale handle.
  HDASvr* Get() const { return session_.get(); }

 private:
  std::shared_ptr<HDASvr> session_;
};

}  // namespace ambrel
