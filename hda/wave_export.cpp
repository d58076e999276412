#include "hda/wave_export.h"

#include <limits>
#include <memory>

#include "document/log_entry.h"
#include "document/log_message.h"
#include "hda/wave_conversion.h"
#include "text/integer_text.h"

namespace hda {

THdaWaveStream::THdaWaveStream(THdaConnectionList& list, ConnectionId connection,
                               const TRawReadRequest& request, IUserMessages& messages)
    : list_(list), connection_(connection), messages_(messages), raw_(request) {}

bool THdaWaveStream::Next(TWave& piece) {
  if (failed_ || raw_.End()) return false;
  const THdaConnectionList::CallScope scope(list_);
  THdaConnection* open = list_.Find(connection_);
  if (open == nullptr || open->Lost()) {
    failed_ = true;
    return false;
  }
  const std::optional<TRawPiece> values = raw_.Next(*open, messages_);
  if (!values) {
    failed_ = raw_.End() == TRawReadEnd::ServerLost;
    return false;
  }
  filler_.Append(*values, piece);
  return true;
}

namespace {

// The wave the document holds for the item, or an empty one named after it: a document whose
// waves were never read (a locked period) still has its items.
TWave HeldWave(const TVarnelDoc& doc, const HdaServerDef& server, const TString& itemName) {
  for (const TWave& wave : doc.Waves) {
    if (wave.MachineName == server.MachineName && wave.ServerName == server.ServerName &&
        wave.ItemName == itemName) {
      return wave;
    }
  }
  TWave named;
  named.MachineName = server.MachineName;
  named.ServerName = server.ServerName;
  named.ItemName = itemName;
  return named;
}

}  // namespace

std::vector<TCsvColumn> ExportColumns(THdaConnectionList& list, const TVarnelDoc& doc,
                                      IUserMessages& messages) {
  std::vector<TCsvColumn> columns;
  for (const ConnectionInfo& info : doc.Connections) {
    const std::optional<ConnectionId> id = list.FindOpen(info);
    for (const TString& itemName : info.ItemNames) {
      const TWave wave = HeldWave(doc, info, itemName);
      TCsvColumn column;
      column.name = itemName;
      const TString label = WaveLabel(wave);
      const THdaItem* item = nullptr;
      if (id) {
        const THdaConnectionList::CallScope scope(list);
        if (THdaConnection* open = list.Find(*id); open != nullptr && !open->Lost()) {
          item = open->ItemAdded(itemName, messages);
        }
      }
      if (item != nullptr) {
        TRawReadRequest request;
        request.serverHandle = static_cast<DWORD>(item->ServerHandle);
        request.start = FileTimeOfStamp(doc.StartTime);
        request.stop = FileTimeOfStamp(doc.StopTime);
        request.limit = std::numeric_limits<std::uint64_t>::max();
        request.label = label;
        LogMessage(kTypeOpc, kLevelDebug, u"Exporting HDA Items from server ", label.Str(),
                   u" from ", StampText(doc.StartTime).Str(), u" to ",
                   StampText(doc.StopTime).Str());
        column.stream = std::make_unique<THdaWaveStream>(list, *id, request, messages);
      } else {
        const std::size_t held = wave.S.empty() ? wave.Y.size() : wave.S.size();
        LogMessage(kTypeOpc, kLevelWarning, u"Exporting ", label.Str(),
                   u": not read from its server, the document's ",
                   IntegerText(static_cast<std::int64_t>(held)).Str(), u" values are written");
        column.stream = std::make_unique<THeldWaveStream>(wave);
      }
      columns.push_back(std::move(column));
    }
  }
  return columns;
}

}  // namespace hda
