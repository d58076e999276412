#include "hda/wave_reader.h"

#include <string>

#include "document/log_entry.h"
#include "document/log_message.h"
#include "hda/raw_reader.h"
#include "hda/wave_conversion.h"
#include "hda/wave_filler.h"
#include "text/integer_text.h"

bool ReadWave(THdaConnection& connection, TWave& wave, double start, double stop,
              IUserMessages& messages) {
  if (connection.Lost()) return true;
  const THdaItem* item = connection.ItemAdded(wave.ItemName, messages);
  if (item == nullptr) return true;

  hda::TRawReadRequest request;
  request.serverHandle = static_cast<DWORD>(item->ServerHandle);
  request.start = hda::FileTimeOfStamp(start);
  request.stop = hda::FileTimeOfStamp(stop);
  request.limit = hda::kMaxValuesPerRead;
  request.label = hda::WaveLabel(wave);
  LogMessage(kTypeOpc, kLevelDebug, u"Reading HDA Items from server ", request.label.Str(),
             u" from ", hda::StampText(start).Str(), u" to ", hda::StampText(stop).Str());

  // The values are gathered aside: nothing from a server that is gone is no empty period, and the
  // wave keeps what it held.
  TWave read_values;
  hda::TWaveFiller filler;
  const hda::TRawReadResult read = hda::ReadRawByContinuation(
      connection, request,
      [&](const hda::TRawPiece& piece) {
        filler.Append(piece, read_values);
        return true;
      },
      messages);
  if (read.end == hda::TRawReadEnd::ServerLost) return true;
  if (read.end == hda::TRawReadEnd::Limit) {
    LogMessage(kTypeOpc, kLevelInfo, u"More than", IntegerText(hda::kMaxValuesPerRead).Str(),
               u" points available. Please reduce the graphic duration");
  }
  LogMessage(kTypeOpc, kLevelDebug, IntegerText(static_cast<std::int64_t>(read.count)).Str(),
             u" points received");

  wave.T = std::move(read_values.T);
  wave.Y = std::move(read_values.Y);
  wave.S = std::move(read_values.S);
  wave.Cut = read.end == hda::TRawReadEnd::Limit;
  if (!wave.T.empty()) {
    LogMessage(kTypeOpc, kLevelDebug, u"Receiving Wave from HDA server ", request.label.Str(),
               u" from ", hda::StampText(wave.T.front()).Str(), u" to ",
               hda::StampText(wave.T.back()).Str());
  }
  return false;
}
