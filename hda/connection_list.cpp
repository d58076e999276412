#include "hda/connection_list.h"

#include <algorithm>
#include <utility>

#include "app_context/main_frame_text.h"
#include "hda/envelope_reader.h"
#include "hda/wave_conversion.h"
#include "hda/wave_reader.h"
#include "strings/string_ids.h"
#include "win/barrier.h"

namespace {

// Every list that exists, each receiving the notices of its own sessions. All on the one thread.
std::vector<THdaConnectionList*>& Receivers() {
  static std::vector<THdaConnectionList*> receivers;
  return receivers;
}

void __stdcall OnServerShutdown(AMBREL_SESSION session) {
  // Nothing may unwind into the library.
  win::Barrier(false, [&] {
    const std::vector<THdaConnectionList*> receivers = Receivers();
    for (THdaConnectionList* list : receivers) list->RemoveBySession(session);
    return true;
  });
}

}  // namespace

THdaConnectionList::CallScope::CallScope(THdaConnectionList& list) : list_(list) {
  ++list_.callDepth_;
}

THdaConnectionList::CallScope::~CallScope() {
  if (list_.callDepth_ == 1) list_.RemoveNotedShutdowns();
  --list_.callDepth_;
}

THdaConnectionList::THdaConnectionList(IUserMessages& messages) : messages_(messages) {
  Receivers().push_back(this);
}

THdaConnectionList::~THdaConnectionList() {
  auto& receivers = Receivers();
  receivers.erase(std::remove(receivers.begin(), receivers.end(), this), receivers.end());
  RemoveAll();
}

bool THdaConnectionList::ConnectCommand(const HdaServerDef& server) {
  if (connections_.size() >= kMaxConnections) {
    messages_.ShowMessage(RString(IDS_CONNECTION_DENIED), TMessageKind::Warning);
    return false;
  }
  return Add(server);
}

bool THdaConnectionList::Add(const HdaServerDef& server) {
  if (IsConnected(server)) {
    messages_.ShowMessage(RString(IDS_SERVER_ALREADY_CONNECTED), TMessageKind::Warning);
    return false;
  }
  // Known by its id: a removal noted while connecting may move the new connection up, or take it.
  last_ = ConnectionId{nextId_++};
  CallScope scope(*this);
  connections_.push_back({*last_, std::make_unique<THdaConnection>(server)});
  connections_.back().connection->Connect(&OnServerShutdown);
  return true;
}

bool THdaConnectionList::Reconnect(const HdaServerDef& server) {
  if (IsConnected(server)) return true;
  CallScope scope(*this);
  auto connection = std::make_unique<THdaConnection>(server);
  connection->Connect(&OnServerShutdown);
  if (connection->Session() == AMBREL_NO_SESSION) return false;
  connections_.push_back({ConnectionId{nextId_++}, std::move(connection)});
  return true;
}

void THdaConnectionList::AddItems(ConnectionId connection, const std::vector<TString>& itemNames) {
  CallScope scope(*this);
  THdaConnection* open = Find(connection);
  for (const TString& name : itemNames) {
    if (open == nullptr || open->Lost()) return;
    // A refused item is told by AddItem; the others are added all the same.
    static_cast<void>(open->AddItem(name, messages_));
  }
}

int THdaConnectionList::LastConnection() const { return last_ ? IndexOf(*last_) : -1; }

int THdaConnectionList::IndexOf(ConnectionId connection) const {
  for (std::size_t k = 0; k < connections_.size(); ++k) {
    if (connections_[k].id == connection) return static_cast<int>(k);
  }
  return -1;
}

void THdaConnectionList::Remove(std::size_t index) {
  if (index >= connections_.size()) return;
  CallScope scope(*this);
  std::vector<Entry> taken;
  taken.push_back(std::move(connections_[index]));
  connections_.erase(connections_.begin() + static_cast<std::ptrdiff_t>(index));
  DestroyTaken(taken);
}

void THdaConnectionList::RemoveAll() {
  CallScope scope(*this);
  std::vector<Entry> taken;
  taken.swap(connections_);
  DestroyTaken(taken);
}

void THdaConnectionList::RemoveBySession(AMBREL_SESSION session) {
  if (session == AMBREL_NO_SESSION || !HoldsSession(session)) return;
  if (callDepth_ > 0) {
    notedShutdowns_.push_back(session);
    return;
  }
  std::vector<HdaServerDef> servers;
  {
    CallScope scope(*this);
    std::vector<Entry> taken = TakeSession(session);
    CollectServers(taken, servers);
    DestroyTaken(taken);
  }
  if (shutdownRemoved_) shutdownRemoved_(servers);
}

THdaConnection* THdaConnectionList::Find(ConnectionId connection) {
  return const_cast<THdaConnection*>(std::as_const(*this).Find(connection));
}

const THdaConnection* THdaConnectionList::Find(ConnectionId connection) const {
  auto found = std::find_if(connections_.begin(), connections_.end(),
                            [&](const Entry& e) { return e.id == connection; });
  return found == connections_.end() ? nullptr : found->connection.get();
}

std::optional<ConnectionId> THdaConnectionList::FindOpen(const HdaServerDef& server) const {
  for (const Entry& e : connections_) {
    if (e.connection->Server().SameServer(server)) return e.id;
  }
  return std::nullopt;
}

bool THdaConnectionList::ReadWave(ConnectionId connection, TWave& wave, double start, double stop) {
  CallScope scope(*this);
  THdaConnection* open = Find(connection);
  // Gone since the caller found it: its server shut down or it was removed.
  if (open == nullptr) return true;
  return ::ReadWave(*open, wave, start, stop, messages_);
}

bool THdaConnectionList::ReadEnvelope(ConnectionId connection, const TWave& wave,
                                      const graph::TColumnGrid& grid, double start, double stop,
                                      graph::TEnvelope& envelope,
                                      const std::function<void(std::uint64_t)>& progress) {
  CallScope scope(*this);
  THdaConnection* open = nullptr;
  const THdaItem* item = ItemOfWave(connection, wave, open);
  if (item == nullptr) return false;
  hda::TEnvelopeRequest request;
  request.serverHandle = static_cast<DWORD>(item->ServerHandle);
  request.grid = grid;
  request.periodStart = start;
  request.periodStop = stop;
  request.label = hda::WaveLabel(wave);
  request.progress = progress;
  if (const auto known = FindKnownBounds(connection, wave.ItemName);
      known != knownBounds_.end() && known->start == start && known->stop == stop) {
    request.periodBounds = known->bounds;
  }
  // The wave's own values say how dense the item is, as far as they reach.
  if (wave.T.size() >= 2 && wave.T.back() > start) {
    const double ticks = (wave.T.back() - start) * 10000.0 + 1;
    request.valuesPerTick = static_cast<double>(wave.T.size()) / ticks;
  }
  return hda::ReadEnvelope(*open, request, envelope, messages_) == hda::TEnvelopeRead::Exact;
}

std::optional<graph::TValueBounds> THdaConnectionList::ReadBounds(ConnectionId connection,
                                                                  const TWave& wave, double start,
                                                                  double stop) {
  CallScope scope(*this);
  THdaConnection* open = nullptr;
  const THdaItem* item = ItemOfWave(connection, wave, open);
  const auto known = FindKnownBounds(connection, wave.ItemName);
  if (known != knownBounds_.end()) knownBounds_.erase(known);
  if (item == nullptr) return std::nullopt;
  const std::optional<graph::TValueBounds> bounds =
      hda::ReadPeriodBounds(*open, static_cast<DWORD>(item->ServerHandle), start, stop, messages_);
  if (bounds) knownBounds_.push_back({connection, wave.ItemName, start, stop, *bounds});
  return bounds;
}

std::vector<THdaConnectionList::KnownBounds>::iterator THdaConnectionList::FindKnownBounds(
    ConnectionId id, const TString& itemName) {
  return std::find_if(knownBounds_.begin(), knownBounds_.end(), [&](const KnownBounds& k) {
    return k.id == id && k.itemName == itemName.Str();
  });
}

const THdaItem* THdaConnectionList::ItemOfWave(ConnectionId connection, const TWave& wave,
                                               THdaConnection*& open) {
  open = Find(connection);
  if (open == nullptr || open->Lost()) return nullptr;
  // A wave loaded from its file has no item on the connection yet.
  if (open->FindItem(wave.ItemName) == nullptr && open->AddItem(wave.ItemName, messages_)) {
    return nullptr;
  }
  return open->FindItem(wave.ItemName);
}

bool THdaConnectionList::IsConnected(const HdaServerDef& server) const {
  return FindOpen(server).has_value();
}

bool THdaConnectionList::HoldsSession(AMBREL_SESSION session) const {
  return std::any_of(connections_.begin(), connections_.end(),
                     [&](const Entry& e) { return e.connection->Session() == session; });
}

std::vector<THdaConnectionList::Entry> THdaConnectionList::TakeSession(AMBREL_SESSION session) {
  std::vector<Entry> taken;
  for (auto it = connections_.begin(); it != connections_.end();) {
    if (it->connection->Session() == session) {
      taken.push_back(std::move(*it));
      it = connections_.erase(it);
    } else {
      ++it;
    }
  }
  return taken;
}

void THdaConnectionList::DestroyTaken(std::vector<Entry>& taken) {
  for (Entry& e : taken) e.connection->Destroy();
}

void THdaConnectionList::CollectServers(const std::vector<Entry>& taken,
                                        std::vector<HdaServerDef>& servers) {
  for (const Entry& e : taken) servers.push_back(e.connection->Server());
}

void THdaConnectionList::RemoveNotedShutdowns() {
  // Runs inside the outermost scope, so notices that arrive while these connections are torn down
  // are noted as well and taken by this loop.
  std::vector<HdaServerDef> servers;
  while (!notedShutdowns_.empty()) {
    const AMBREL_SESSION session = notedShutdowns_.front();
    notedShutdowns_.erase(notedShutdowns_.begin());
    std::vector<Entry> taken = TakeSession(session);
    CollectServers(taken, servers);
    DestroyTaken(taken);
  }
  if (!servers.empty() && shutdownRemoved_) shutdownRemoved_(servers);
}
