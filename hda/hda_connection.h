// THdaConnection: one live session with an OPC HDA server and the items added to it. It owns the
// session and the item handles, so it is neither copied nor moved; the connection list holds it
// by pointer.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "ambrel/ambrel.h"
#include "document/connection_info.h"
#include "document/user_messages.h"
#include "hda/hda_item.h"
#include "text/tstring.h"

// Shown when the server gives no handle for an item.
inline constexpr char16_t kCouldNotAddItemText[] = u"Could not Add Item Reference to Server";
// Follows the server's display name in the log when it stopped answering.
inline constexpr char16_t kStoppedAnsweringText[] = u" stopped answering";

class THdaConnection {
 public:
  explicit THdaConnection(const HdaServerDef& server);
  // Destroy().
  ~THdaConnection();
  THdaConnection(const THdaConnection&) = delete;
  THdaConnection& operator=(const THdaConnection&) = delete;

  // Opens the session (machine and server names cut to 256 bytes of the ANSI code page) and asks
  // for the server's shutdown notice. The handle is kept even when the connect failed (-1): the
  // library has reported why, and every item added later fails.
  void Connect(AMBREL_SHUTDOWN_CALLBACK onShutdown);

  // Adds the item unless the table holds it: takes a server handle for it under the next client
  // handle and reads its attributes at the present instant. Returns true when the server gave no
  // handle; the user is then told and nothing is added. A lost connection adds nothing.
  [[nodiscard]] bool AddItem(const TString& itemName, IUserMessages& messages);

  // Called right after an Ambrel call on the session: true when the library has found the
  // server gone. The first time, the connection is marked lost, the log gets a line naming the
  // server and the failure, and `messages` is told; the library has called the shutdown handler,
  // so the connection list closes the connection once its call is over.
  bool NoteServerLoss(IUserMessages& messages);
  // The failure that showed the server gone, S_OK while it answers.
  HRESULT LostResult() const { return lost_; }
  bool Lost() const { return FAILED(lost_); }

  // Releases every item handle in table order, closes the session and forgets the items.
  void Destroy();

  const HdaServerDef& Server() const { return server_; }
  AMBREL_SESSION Session() const { return session_; }
  std::int32_t NextClientHandle() const { return nextClientHandle_; }
  const std::map<TString, THdaItem>& Items() const { return items_; }
  // Null when the item has not been added.
  const THdaItem* FindItem(const TString& itemName) const;
  // The item, added first when the table does not hold it; null when the server gave no handle
  // (AddItem has told the user) or the connection is lost.
  const THdaItem* ItemAdded(const TString& itemName, IUserMessages& messages);
  // Whether the server lists the aggregates a long wave is read with; unknown until asked.
  std::optional<bool>& ExtremesOffered() { return extremesOffered_; }

  // "machine\server", or the server alone for the local machine.
  TString DisplayName() const;

 private:
  // Stops at a loss of the server.
  void ReadAttributes(THdaItem& item, IUserMessages& messages);

  HdaServerDef server_;
  AMBREL_SESSION session_ = AMBREL_NO_SESSION;
  HRESULT lost_ = S_OK;
  std::int32_t nextClientHandle_ = 0;
  std::map<TString, THdaItem> items_;
  std::optional<bool> extremesOffered_;
};

// "machine\server", or the server alone for the local machine.
TString ServerDisplayName(const HdaServerDef& server);
