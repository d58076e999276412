#include "hda/connection_list.h"

#include <algorithm>

#include "app_core/resource_text.h"
#include "app_core/string_ids.h"
#include "hda/wave_reader.h"
#include "win/barrier.h"

namespace {

// The list that shutdown notices go to.
THdaConnectionList* g_shutdownReceiver = nullptr;

void __stdcall OnServerShutdown(AMBREL_SESSION session) {
  // Nothing may unwind into the library.
  win::Barrier(false, [&] {
    if (g_shutdownReceiver != nullptr) g_shutdownReceiver->RemoveBySession(session);
    return true;
  });
}

}  // namespace

THdaConnectionList::THdaConnectionList(IUserMessages& messages)
    : messages_(messages), previousReceiver_(g_shutdownReceiver) {
  g_shutdownReceiver = this;
}

THdaConnectionList::~THdaConnectionList() {
  if (g_shutdownReceiver == this) g_shutdownReceiver = previousReceiver_;
  RemoveAll();
}

bool THdaConnectionList::ConnectCommand(const HdaServerDef& server) {
  if (connections_.size() >= kMaxConnections) {
    messages_.ShowMessage(RString(IDS_CONNECTION_DENIED), TMessageKind::Warning);
    return true;
  }
  return Add(server);
}

bool THdaConnectionList::Add(const HdaServerDef& server) {
  if (IsConnected(server)) {
    messages_.ShowMessage(RString(IDS_SERVER_ALREADY_CONNECTED), TMessageKind::Warning);
    return true;
  }
  connections_.push_back(std::make_unique<THdaConnection>(server));
  connections_.back()->Connect(&OnServerShutdown);
  lastConnection_ = static_cast<int>(connections_.size()) - 1;
  return false;
}

void THdaConnectionList::Remove(std::size_t index) {
  if (index >= connections_.size()) return;
  connections_[index]->Destroy();
  connections_.erase(connections_.begin() + static_cast<std::ptrdiff_t>(index));
}

void THdaConnectionList::RemoveAll() {
  for (auto& connection : connections_) connection->Destroy();
  connections_.clear();
  lastConnection_ = -1;
}

void THdaConnectionList::RemoveBySession(AMBREL_SESSION session) {
  if (session == AMBREL_NO_SESSION) return;
  if (readDepth_ > 0) {
    // A notice that arrives while a call into this very session is under way must not destroy
    // the connection under the read.
    pendingShutdowns_.push_back(session);
    return;
  }
  for (std::size_t i = connections_.size(); i-- > 0;) {
    if (connections_[i]->Session() == session) Remove(i);
  }
}

const HdaServerDef& THdaConnectionList::OpenServer(std::size_t index) const {
  return connections_[index]->Server();
}

bool THdaConnectionList::ReadWave(std::size_t index, TWave& wave, double start, double stop) {
  if (index >= connections_.size()) return true;
  ++readDepth_;
  bool failed = true;
  try {
    failed = ::ReadWave(*connections_[index], wave, start, stop, messages_);
  } catch (...) {
    --readDepth_;
    RemovePendingShutdowns();
    throw;
  }
  --readDepth_;
  RemovePendingShutdowns();
  return failed;
}

bool THdaConnectionList::IsConnected(const HdaServerDef& server) const {
  return std::any_of(connections_.begin(), connections_.end(),
                     [&](const auto& c) { return c->Server().SameServer(server); });
}

void THdaConnectionList::RemovePendingShutdowns() {
  if (readDepth_ > 0) return;
  std::vector<AMBREL_SESSION> sessions;
  sessions.swap(pendingShutdowns_);
  for (AMBREL_SESSION session : sessions) RemoveBySession(session);
}
