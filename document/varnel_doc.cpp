#include "document/varnel_doc.h"

#include <algorithm>
#include <string_view>

#include "text/time_base.h"
#include "text/time_fields.h"

TVarnelDoc::TVarnelDoc() {
  StopTime = Now();
  StartTime = StartOfUnit(TCalendarUnit::Day, StopTime);
}

std::size_t TVarnelDoc::ItemCount() const {
  std::size_t count = 0;
  for (const ConnectionInfo& info : Connections) count += info.ItemNames.size();
  return count;
}

bool TVarnelDoc::UsesConnection(const IOpenConnections& connections) const {
  return std::any_of(Connections.begin(), Connections.end(), [&](const ConnectionInfo& info) {
    return connections.FindOpen(info).has_value();
  });
}

ConnectionInfo& TVarnelDoc::FindOrAddConnection(const HdaServerDef& server) {
  for (ConnectionInfo& info : Connections) {
    if (info.SameServer(server)) return info;
  }
  ConnectionInfo added;
  static_cast<HdaServerDef&>(added) = server;
  Connections.push_back(std::move(added));
  SetModified();
  return Connections.back();
}

void TVarnelDoc::RemoveItem(std::size_t connection, const TString& itemName) {
  if (connection >= Connections.size()) return;
  std::vector<TString>& names = Connections[connection].ItemNames;
  auto found = std::find(names.begin(), names.end(), itemName);
  if (found == names.end()) return;
  std::size_t wave = static_cast<std::size_t>(found - names.begin());
  for (std::size_t i = 0; i < connection; ++i) wave += Connections[i].ItemNames.size();
  names.erase(found);
  SetModified();
  // A document read from a file may hold fewer waves than items.
  if (wave < Waves.size()) Waves.erase(Waves.begin() + static_cast<std::ptrdiff_t>(wave));
}

void TVarnelDoc::RebuildWaves(IOpenConnections& connections) {
  Waves.resize(ItemCount());
  std::size_t wave = 0;
  for (const ConnectionInfo& info : Connections) {
    // Found once per server: if it shuts down during one of these reads, the id reaches no
    // connection any more and the server's remaining waves keep their points.
    const std::optional<ConnectionId> open = connections.FindOpen(info);
    for (const TString& itemName : info.ItemNames) {
      TWave& target = Waves[wave++];
      target.MachineName = info.MachineName;
      target.ServerName = info.ServerName;
      target.ItemName = itemName;
      // An item that cannot be read keeps its points; the reader has told the user.
      if (open) static_cast<void>(connections.ReadWave(*open, target, StartTime, StopTime));
    }
    if (open) SetModified();
  }
}

TString DocumentFileName(const TString& name) {
  const std::u16string_view text(name.Str(), name.Length());
  // Windows takes the slash as a separator too, so a dot in a folder name is never an extension.
  const std::size_t separator = text.find_last_of(u"\\/");
  const std::size_t dot = text.find_last_of(u'.');
  const bool hasExtension = dot != std::u16string_view::npos &&
                            (separator == std::u16string_view::npos || dot > separator);
  TString result;
  result.Assign(static_cast<std::uint32_t>(hasExtension ? dot : text.size()), name.Str());
  result.Append(u".xml");
  return result;
}
