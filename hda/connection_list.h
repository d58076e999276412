// THdaConnectionList: the main frame's live server connections, in order of connection, at most
// ten through the connect command. Documents read their waves through it.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "ambrel/ambrel.h"
#include "document/open_connections.h"
#include "document/user_messages.h"
#include "hda/hda_connection.h"

class THdaConnectionList final : public IOpenConnections {
 public:
  static constexpr std::size_t kMaxConnections = 10;

  // Messages for the user go to `messages`. The newest list receives the servers' shutdown
  // notices until it is destroyed.
  explicit THdaConnectionList(IUserMessages& messages);
  // Destroys every connection.
  ~THdaConnectionList() override;
  THdaConnectionList(const THdaConnectionList&) = delete;
  THdaConnectionList& operator=(const THdaConnectionList&) = delete;

  // The connect command once a server was chosen: refused when ten connections are open
  // (string 9165) or the server is already connected (string 9166). Returns true when refused.
  bool ConnectCommand(const HdaServerDef& server);
  // Adds and connects a connection without the limit (the start-up reconnection uses it).
  // Returns true when the server is already connected (string 9166).
  bool Add(const HdaServerDef& server);
  // Destroys the connection at index and erases it; later ones move up with their sessions. An
  // index beyond the list does nothing.
  void Remove(std::size_t index);
  void RemoveAll();
  // Destroys and erases every connection of that session (the server shut down). While a read is
  // running the removal waits until it is over.
  void RemoveBySession(AMBREL_SESSION session);

  std::size_t Count() const { return connections_.size(); }
  THdaConnection& At(std::size_t index) { return *connections_[index]; }
  const THdaConnection& At(std::size_t index) const { return *connections_[index]; }
  // Index of the connection added last, -1 after RemoveAll or before any.
  int LastConnection() const { return lastConnection_; }

  std::size_t OpenCount() const override { return connections_.size(); }
  const HdaServerDef& OpenServer(std::size_t index) const override;
  bool ReadWave(std::size_t index, TWave& wave, double start, double stop) override;

 private:
  bool IsConnected(const HdaServerDef& server) const;
  void RemovePendingShutdowns();

  IUserMessages& messages_;
  std::vector<std::unique_ptr<THdaConnection>> connections_;
  int lastConnection_ = -1;
  int readDepth_ = 0;
  std::vector<AMBREL_SESSION> pendingShutdowns_;
  THdaConnectionList* previousReceiver_ = nullptr;
};
