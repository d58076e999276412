#include "ambrel/state.h"

#include <windows.h>

#include <algorithm>

#include "ambrel/hda_server.h"

namespace ambrel {
namespace {

AmbrelState* g_state = nullptr;

}  // namespace

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
  AmbrelState* state = g_state;
  if (!state) return;
  state->servers.clear();
  std::vector<SessionSlot> sessions = std::move(state->sessions);
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
  g_state = nullptr;
  delete state;
}

AMBREL_SESSION AddSession(std::shared_ptr<HDASvr> session) {
  AmbrelState& state = *g_state;
  AMBREL_SESSION handle = state.last_handle;
  do {
    handle = handle == 0x7FFFFFFF ? 1 : handle + 1;
  } while (FindSession(handle));
  state.last_handle = handle;
  session->SetHandle(handle);
  state.sessions.push_back({handle, std::move(session)});
  return handle;
}

std::shared_ptr<HDASvr> FindSession(AMBREL_SESSION handle) {
  if (!g_state) return nullptr;
  for (const SessionSlot& slot : g_state->sessions) {
    if (slot.handle == handle) return slot.session;
  }
  return nullptr;
}

std::shared_ptr<HDASvr> TakeSession(AMBREL_SESSION handle) {
  if (!g_state) return nullptr;
  auto& sessions = g_state->sessions;
  auto it = std::find_if(sessions.begin(), sessions.end(),
                         [handle](const SessionSlot& slot) { return slot.handle == handle; });
  if (it == sessions.end()) return nullptr;
  std::shared_ptr<HDASvr> session = std::move(it->session);
  sessions.erase(it);
  return session;
}

}  // namespace ambrel
