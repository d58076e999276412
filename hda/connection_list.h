// THdaConnectionList: the main frame's live server connections, in order of connection, at most
// ten through the connect command. Documents read their waves through it.
//
// A server's shutdown notice may arrive during any call that leaves the apartment, also during
// the list's own calls for another connection. While the list is in such a call it only notes the
// session, and removes that connection once its outermost call is over, so no connection is
// destroyed under a call and the list never changes while it walks it. A connection keeps its
// ConnectionId while it is listed; callers that hold one across calls find out when it is gone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ambrel/ambrel.h"
#include "document/open_connections.h"
#include "document/user_messages.h"
#include "hda/hda_connection.h"

class THdaConnectionList final : public IOpenConnections {
 public:
  static constexpr std::size_t kMaxConnections = 10;

  // Messages for the user go to `messages`. Each list receives the shutdown notices of its own
  // connections while it exists.
  explicit THdaConnectionList(IUserMessages& messages);
  // Destroys every connection.
  ~THdaConnectionList() override;
  THdaConnectionList(const THdaConnectionList&) = delete;
  THdaConnectionList& operator=(const THdaConnectionList&) = delete;

  // The connect command once a server was chosen: refused when ten connections are open
  // (string 9165) or the server is already connected (string 9166). Returns true when the
  // connection was made (its connect may still have failed: Ambrel has said why).
  [[nodiscard]] bool ConnectCommand(const HdaServerDef& server);
  // Adds and connects a connection without the limit (the start-up reconnection uses it).
  // Returns false when the server is already connected (string 9166), true when added.
  [[nodiscard]] bool Add(const HdaServerDef& server);
  // Destroys the connection at index and erases it; later ones move up with their sessions. An
  // index beyond the list does nothing.
  void Remove(std::size_t index);
  void RemoveAll();
  // Destroys and erases every connection of that session (the server shut down); during a call
  // of the list the removal waits until that call is over.
  void RemoveBySession(AMBREL_SESSION session);
  // Told after connections of a server that shut down or stopped answering were removed, with
  // their servers in list order, which may happen in the middle of any call that leaves the
  // apartment: it should only note the change (post itself work).
  using ShutdownRemoval = std::function<void(const std::vector<HdaServerDef>& servers)>;
  void OnShutdownRemoval(ShutdownRemoval removed) { shutdownRemoved_ = std::move(removed); }
  // Opens a new session with a server whose connection was lost and lists it only when the
  // session opened: false (nothing listed) when the server cannot be reached. No limit, no
  // message: the caller decides and tells.
  bool Reconnect(const HdaServerDef& server);
  // Adds each item not yet added to the connection (a reconnected server's items, so that the
  // next read finds them). Stops at a loss of the server.
  void AddItems(ConnectionId connection, const std::vector<TString>& itemNames);

  // Held around calls that leave the apartment through a listed connection (adding an item, a
  // browse): notices that arrive meanwhile are noted, and their connections removed when the
  // outermost scope ends. Every call of the list holds one.
  class CallScope {
   public:
    explicit CallScope(THdaConnectionList& list);
    ~CallScope();
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

   private:
    THdaConnectionList& list_;
  };

  // Whether a call of the list is under way: a message box or COM's wait inside it lets other
  // messages (a timer's) run meanwhile.
  bool InCall() const { return callDepth_ > 0; }
  std::size_t Count() const { return connections_.size(); }
  THdaConnection& At(std::size_t index) { return *connections_[index].connection; }
  const THdaConnection& At(std::size_t index) const { return *connections_[index].connection; }
  ConnectionId Id(std::size_t index) const { return connections_[index].id; }
  // The index of the connection with that id, -1 when none is listed.
  int IndexOf(ConnectionId connection) const;
  // Null when no listed connection has that id.
  THdaConnection* Find(ConnectionId connection);
  const THdaConnection* Find(ConnectionId connection) const;
  // Index of the connection added last while it is listed, else -1.
  int LastConnection() const;

  std::optional<ConnectionId> FindOpen(const HdaServerDef& server) const override;
  bool ReadWave(ConnectionId connection, TWave& wave, double start, double stop) override;
  bool ReadEnvelope(ConnectionId connection, const TWave& wave, const graph::TColumnGrid& grid,
                    double start, double stop, graph::TEnvelope& envelope,
                    const std::function<void(std::uint64_t)>& progress) override;
  std::optional<graph::TValueBounds> ReadBounds(ConnectionId connection, const TWave& wave,
                                                double start, double stop) override;

 private:
  struct Entry {
    ConnectionId id;
    std::unique_ptr<THdaConnection> connection;
  };
  // The bounds ReadBounds last found for an item over a period: an envelope of that period then
  // takes them instead of reading the extremes outside its grid (four calls fewer a read).
  struct KnownBounds {
    ConnectionId id;
    TString itemName;
    double start = 0, stop = 0;
    graph::TValueBounds bounds;
  };
  std::vector<KnownBounds>::iterator FindKnownBounds(ConnectionId id, const TString& itemName);
  bool IsConnected(const HdaServerDef& server) const;
  // The open connection of that id and the wave's item on it, added when the wave was loaded from
  // its file; null when either is missing or the item could not be added.
  const THdaItem* ItemOfWave(ConnectionId connection, const TWave& wave, THdaConnection*& open);
  bool HoldsSession(AMBREL_SESSION session) const;
  // Takes the connections of that session out of the list, in list order.
  std::vector<Entry> TakeSession(AMBREL_SESSION session);
  // Destroys connections already out of the list, with the removals held back.
  void DestroyTaken(std::vector<Entry>& taken);
  static void CollectServers(const std::vector<Entry>& taken, std::vector<HdaServerDef>& servers);
  void RemoveNotedShutdowns();

  IUserMessages& messages_;
  std::vector<Entry> connections_;
  std::uint32_t nextId_ = 1;
  std::optional<ConnectionId> last_;  // the connection added last
  int callDepth_ = 0;
  std::vector<AMBREL_SESSION> notedShutdowns_;
  ShutdownRemoval shutdownRemoved_;
  std::vector<KnownBounds> knownBounds_;
};
