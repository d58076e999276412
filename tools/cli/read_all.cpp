#include "tools/cli/read_all.h"

#include <cstdio>
#include <limits>
#include <span>
#include <string>

#include "document/log_entry.h"
#include "document/log_message.h"
#include "hda/raw_reader.h"
#include "hda/wave_conversion.h"
#include "hda/wave_filler.h"
#include "tools/cli/core/utf8.h"

namespace cli {
namespace {

constexpr std::uint64_t kCountEvery = 100000;

bool Write(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

}  // namespace

TStreamedWave StreamWave(THdaConnectionList& list, ConnectionId connection, const TWave& wave,
                         double start, double stop, TTableFormat format, IUserMessages& messages) {
  TStreamedWave streamed;
  const THdaConnectionList::CallScope scope(list);
  THdaConnection* open = list.Find(connection);
  if (open == nullptr || open->Lost()) return streamed;
  const THdaItem* item = open->ItemAdded(wave.ItemName, messages);
  if (item == nullptr) return streamed;
  streamed.itemAdded = true;

  hda::TRawReadRequest request;
  request.serverHandle = static_cast<DWORD>(item->ServerHandle);
  request.start = hda::FileTimeOfStamp(start);
  request.stop = hda::FileTimeOfStamp(stop);
  request.limit = std::numeric_limits<std::uint64_t>::max();
  request.label = hda::WaveLabel(wave);
  LogMessage(kTypeOpc, kLevelDebug, u"Reading HDA Items from server ", request.label.Str(),
             u" from ", hda::StampText(start).Str(), u" to ", hda::StampText(stop).Str());

  const std::string itemName = ToUtf8(wave.ItemName);
  if (!Write(WaveTableHeader(std::span(&wave, 1), format))) {
    streamed.end = hda::TRawReadEnd::Cancelled;
    return streamed;
  }
  // One piece at a time: its values as a wave of their own, then its rows.
  hda::TWaveFiller filler;
  TWave piece;
  std::string rows;
  const hda::TRawReadResult read = hda::ReadRawByContinuation(
      *open, request,
      [&](const hda::TRawPiece& values) {
        piece.T.clear();
        piece.Y.clear();
        piece.S.clear();
        filler.Append(values, piece);
        rows.clear();
        AppendWaveRows(rows, piece, format);
        if (!Write(rows)) return false;
        // The count at each multiple of kCountEvery this piece reaches, with that value's time.
        for (std::uint64_t next = (streamed.count / kCountEvery + 1) * kCountEvery;
             next <= streamed.count + values.count; next += kCountEvery) {
          std::fprintf(stderr, "varnel-cli: %llu values of %s, up to %s\n",
                       static_cast<unsigned long long>(next), itemName.c_str(),
                       TimeCell(piece.T[next - streamed.count - 1]).c_str());
        }
        streamed.count += values.count;
        streamed.lastTime = piece.T.back();
        return true;
      },
      messages);
  streamed.end = read.end;
  return streamed;
}

}  // namespace cli
