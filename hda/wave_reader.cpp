#include "hda/wave_reader.h"

#include <algorithm>
#include <memory>
#include <string>

#include "document/log_entry.h"
#include "document/log_message.h"
#include "hda/wave_conversion.h"
#include "text/integer_text.h"
#include "win/variant_vector.h"

namespace {

// The three buffers of one read; the values are cleared when the read is over.
struct TReadBuffers {
  std::unique_ptr<FILETIME[]> times{new FILETIME[hda::kMaxValuesPerRead]()};
  win::VariantVector values{hda::kMaxValuesPerRead};
  std::unique_ptr<DWORD[]> qualities{new DWORD[hda::kMaxValuesPerRead]()};
};

}  // namespace

bool ReadWave(THdaConnection& connection, TWave& wave, double start, double stop,
              IUserMessages& messages) {
  if (connection.Lost()) return true;
  const THdaItem* item = connection.FindItem(wave.ItemName);
  if (item == nullptr) {
    if (connection.AddItem(wave.ItemName, messages)) return true;
    item = connection.FindItem(wave.ItemName);
    if (item == nullptr) return true;
  }
  const DWORD serverHandle = static_cast<DWORD>(item->ServerHandle);

  TReadBuffers buffers;
  const std::uint64_t startUnits = hda::FileTimeOfStamp(start);
  const std::uint64_t stopUnits = hda::FileTimeOfStamp(stop);

  const TString label = hda::WaveLabel(wave);
  LogMessage(kTypeOpc, kLevelDebug, u"Reading HDA Items from server ", label.Str(), u" from ",
             hda::StampText(start).Str(), u" to ", hda::StampText(stop).Str());

  const DWORD result =
      ReadHDAItemValues(connection.Session(), serverHandle, FALSE, static_cast<DWORD>(startUnits),
                        static_cast<DWORD>(startUnits >> 32), static_cast<DWORD>(stopUnits),
                        static_cast<DWORD>(stopUnits >> 32), hda::kMaxValuesPerRead,
                        buffers.times.get(), buffers.values.Data(), buffers.qualities.get());
  // Nothing from a server that is gone is no empty period: the wave keeps what it held.
  if (connection.NoteServerLoss(messages)) return true;
  // Never trust a count beyond the buffers.
  const std::uint32_t n = std::min<std::uint32_t>(result & AMBREL_COUNT_MASK, hda::kMaxValuesPerRead);
  if ((result & AMBREL_MORE_DATA) != 0) {
    LogMessage(kTypeOpc, kLevelInfo, u"More than", IntegerText(hda::kMaxValuesPerRead).Str(),
               u" points available. Please reduce the graphic duration");
  }
  LogMessage(kTypeOpc, kLevelDebug, IntegerText(n).Str(), u" points received");

  wave.T.clear();
  wave.Y.clear();
  wave.S.clear();
  if (n != 0) {
    const VARIANT* values = buffers.values.begin();
    const bool text = values[0].vt == VT_BSTR;
    wave.T.reserve(n);
    for (std::uint32_t i = 0; i < n; ++i) wave.T.push_back(hda::StampOfFileTime(buffers.times[i]));
    if (text) {
      wave.S.reserve(n);
      for (std::uint32_t i = 0; i < n; ++i) wave.S.push_back(hda::TextOfVariant(values[i]));
    } else {
      wave.Y.reserve(n);
      for (std::uint32_t i = 0; i < n; ++i) wave.Y.push_back(hda::NumberOfVariant(values[i]));
    }
  }
  if (!wave.T.empty()) {
    LogMessage(kTypeOpc, kLevelDebug, u"Receiving Wave from HDA server ", label.Str(), u" from ",
               hda::StampText(wave.T.front()).Str(), u" to ", hda::StampText(wave.T.back()).Str());
  }
  return false;
}
