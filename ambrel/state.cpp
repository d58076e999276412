#include "ambrel/state.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "ambrel/hda_server.h"

namespace ambrel {
namespace {

AmbrelState* g_state = nullptr;
std::mutex g_session_table_lock;

// Linear search by value; null for an unknown or stale handle. The caller holds the table's lock.
std::shared_ptr<HDASvr> FindLocked(AMBREL_SESSION handle) {
  if (!g_state) return nullptr;
  for (const SessionSlot& slot : g_state->sessions) {
    if (slot.handle == handle) return slot.session;
  }
  return nullptr;
}

}  // namespace

std::mutex& SessionTableLock() { return g_session_table_lock; }

AmbrelState* TheState() { return g_state; }

bool AttachState() {
  auto state = std::make_unique<AmbrelState>();
  if (FAILED(ObtainTaskAllocator(&state->task_allocator)) || !state->task_allocator) {
    // No message box while the loader lock is held and no callback can exist yet: the loader
    // reports the failed load to whoever loads us.
    OutputDebugStringA("GetMalloc failed\n");
    return false;
  }
  g_state = state.release();
  return true;
}

void DetachState(bool process_ending) {
  AmbrelState* state = nullptr;
  std::vector<SessionSlot> sessions;
  {
    // From here on a shutdown notice finds no session and calls nobody. When the process ends,
    // its other threads are gone already, perhaps while holding the lock: none is taken then.
    std::unique_lock<std::mutex> lock(g_session_table_lock, std::defer_lock);
    if (!process_ending) lock.lock();
    state = std::exchange(g_state, nullptr);
    if (!state) return;
    sessions = std::move(state->sessions);
  }
  state->servers.clear();
  std::vector<win::ComPtr<CIOPCShutdown>> sinks;
  for (SessionSlot& slot : sessions) {
    if (process_ending) {
      slot.session->Abandon();
    } else if (auto sink = slot.session->ShutdownSink()) {
      sinks.push_back(std::move(sink));
    }
  }
  sessions.clear();
  // Unadvised, a sink may still be known to COM: while the loader runs this, the server's
  // release of it cannot reach this apartment, and the stub COM keeps would call into the
  // unmapped DLL later. Cut every connection to it while our code is still here.
  for (const auto& sink : sinks) CoDisconnectObject(static_cast<IOPCShutdown*>(sink.Get()), 0);
  sinks.clear();
  if (process_ending) {
    state->task_allocator.Detach();
  } else {
    state->task_allocator.Reset();
  }
  delete state;
}

AMBREL_SESSION AddSession(std::shared_ptr<HDASvr> session) {
  std::lock_guard<std::mutex> lock(g_session_table_lock);
  AmbrelState& state = *g_state;
  AMBREL_SESSION handle = state.last_handle;
  do {
    handle = handle == 0x7FFFFFFF ? 1 : handle + 1;
  } while (FindLocked(handle));
  state.last_handle = handle;
  session->SetHandle(handle);
  state.sessions.push_back({handle, std::move(session)});
  return handle;
}

std::shared_ptr<HDASvr> TakeSession(AMBREL_SESSION handle) {
  std::lock_guard<std::mutex> lock(g_session_table_lock);
  if (!g_state) return nullptr;
  auto& sessions = g_state->sessions;
  auto it = std::find_if(sessions.begin(), sessions.end(),
                         [handle](const SessionSlot& slot) { return slot.handle == handle; });
  if (it == sessions.end()) return nullptr;
  std::shared_ptr<HDASvr> session = std::move(it->session);
  sessions.erase(it);
  return session;
}

AMBREL_SHUTDOWN_CALLBACK ShutdownCallbackOf(AMBREL_SESSION handle) {
  std::lock_guard<std::mutex> lock(g_session_table_lock);
  const std::shared_ptr<HDASvr> session = FindLocked(handle);
  return session ? session->ShutdownCallback() : nullptr;
}

SessionUse::SessionUse(AMBREL_SESSION handle) {
  std::lock_guard<std::mutex> lock(g_session_table_lock);
  session_ = FindLocked(handle);
  if (session_) session_->BeginUse();
}

SessionUse::~SessionUse() {
  if (session_) session_->EndUse();
}

}  // namespace ambrel
