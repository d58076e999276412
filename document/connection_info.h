// How a server is named (HdaServerDef) and which of its items a document shows (ConnectionInfo),
// with the XML elements the configuration file and the document file embed them as.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "text/tstring.h"

class TXmlNode;

struct HdaServerDef {
  TString MachineName;  // empty: the local machine
  TString ServerName;   // the server's ProgID
  bool ReconnectAtStartup = false;

  // Same machine and same server, compared exactly (case-sensitive).
  bool SameServer(const HdaServerDef& other) const {
    return MachineName == other.MachineName && ServerName == other.ServerName;
  }
};

struct ConnectionInfo : HdaServerDef {
  std::vector<TString> ItemNames;

  // Appends the name unless the list already holds it. Returns true when it was appended.
  bool AddItemName(const TString& itemName);
};

// "HdaServerDef": "MachineName", "ServerName", "ReconnectAtStartup" (0 or 1).
std::unique_ptr<TXmlNode> HdaServerDefElement(const HdaServerDef& server);
// "ConnectionInfo": the "HdaServerDef" node, then "ItemNames" with "ItemNo" and one "ItemName"
// leaf per name.
std::unique_ptr<TXmlNode> ConnectionInfoElement(const ConnectionInfo& info);

// Both readers take the first element at or after text + position and move position just past
// it, so a caller walks a list of them. They return false on success and true when there is no
// such element (the record and position are then untouched).
// A missing leaf keeps the field's value.
bool ReadHdaServerDef(HdaServerDef& server, const char16_t* text, std::size_t& position);
// The record starts from empty names, no reconnection and no items; "ItemNo" is not trusted, the
// "ItemName" leaves are counted as they come.
bool ReadConnectionInfo(ConnectionInfo& info, const char16_t* text, std::size_t& position);
