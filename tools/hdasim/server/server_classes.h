// The simulator's COM classes: seventeen OPC HDA server classes and the server-list class.
#pragma once

#include <windows.h>

#include <vector>

#include "tools/hdasim/server/hda_server.h"

namespace hdasim {

struct ServerClass {
  CLSID clsid;
  const wchar_t* prog_id;
  const wchar_t* version_independent_prog_id;  // null: clients fall back to the ProgID
  const wchar_t* name;
  ServerFeatures features;
};

// "Varnel.HdaSim.1" to "Varnel.HdaSim.17". Number 10 has no IOPCHDA_SyncUpdate, number 11 no
// IConnectionPointContainer, number 12 no items and no update capabilities; 13 fails
// CreateBrowse, 14 the browsers' GetEnum, 15 creates no object at all; 16 returns at most 1000
// raw values a call, 17 has no processed reads and no aggregates. Only number 1 has a
// version-independent ProgID ("Varnel.HdaSim").
const std::vector<ServerClass>& HdaServerClasses();

// The AppID every class of hdasim.exe shares.
extern const GUID kHdaSimAppId;

// The name of the server-list class as we register it.
inline constexpr const wchar_t* kServerListName = L"Varnel HDA simulation server list";

}  // namespace hdasim
