// The process-wide state: the server list of the last enumeration, every open session, the
// callbacks and the task allocator. Created when the DLL is loaded, torn down when it is
// unloaded.
#pragma once

#include <windows.h>

#include <memory>
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

// Appends a session and returns its new handle.
AMBREL_SESSION AddSession(std::shared_ptr<HDASvr> session);
// Linear search by value; null for an unknown or stale handle.
std::shared_ptr<HDASvr> FindSession(AMBREL_SESSION handle);
// Removes the session from the list and returns it (null when unknown).
std::shared_ptr<HDASvr> TakeSession(AMBREL_SESSION handle);

}  // namespace ambrel
