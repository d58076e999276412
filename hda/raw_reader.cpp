#include "hda/raw_reader.h"

#include <algorithm>
#include <memory>

#include "document/log_entry.h"
#include "document/log_message.h"
#include "text/integer_text.h"
#include "win/variant_vector.h"

namespace hda {

namespace {

// The rows one call fills, kept for the whole read; the values of a call are cleared before the
// next one.
struct TRawRows {
  std::unique_ptr<FILETIME[]> times{new FILETIME[kMaxValuesPerRead]()};
  win::VariantVector values{kMaxValuesPerRead};
  std::unique_ptr<DWORD[]> qualities{new DWORD[kMaxValuesPerRead]()};

  void ClearValues(std::uint32_t count) {
    VARIANT* row = values.Data();
    for (std::uint32_t i = 0; i < count; ++i) VariantClear(&row[i]);
  }
};

}  // namespace

TRawReadResult ReadRawByContinuation(THdaConnection& connection, const TRawReadRequest& request,
                                     const TRawPieceHandler& onPiece, IUserMessages& messages) {
  TRawReadResult result;
  if (request.limit == 0 || request.start >= request.stop) return result;
  TRawRows rows;
  TRawContinuation continuation(request.start, request.stop, request.limit);

  for (;;) {
    const std::uint64_t from = continuation.From();
    const DWORD ask = continuation.Ask(kMaxValuesPerRead);
    const DWORD answer = ReadHDAItemValues(
        connection.Session(), request.serverHandle, FALSE, static_cast<DWORD>(from),
        static_cast<DWORD>(from >> 32), static_cast<DWORD>(request.stop),
        static_cast<DWORD>(request.stop >> 32), ask, rows.times.get(), rows.values.Data(),
        rows.qualities.get());
    ++result.calls;
    if (connection.NoteServerLoss(messages)) {
      result.end = TRawReadEnd::ServerLost;
      return result;
    }
    // Never trust a count beyond what was asked.
    const std::uint32_t n = std::min<std::uint32_t>(answer & AMBREL_COUNT_MASK, ask);
    const TRawAnswerUse use =
        continuation.Take(rows.times.get(), n, (answer & AMBREL_MORE_DATA) != 0);
    result.count = continuation.Count();
    bool goOn = true;
    if (use.fresh > 0) {
      goOn = onPiece(TRawPiece{rows.times.get() + use.skip, rows.values.begin() + use.skip,
                               rows.qualities.get() + use.skip, use.fresh});
    }
    rows.ClearValues(n);
    if (!goOn) {
      result.end = TRawReadEnd::Cancelled;
      return result;
    }
    if (!use.end) continue;
    if (*use.end == TRawReadEnd::NoProgress) {
      const std::uint64_t last = continuation.LastTime();
      const TString stopped(u"Reading ", request.label.Str(),
                            u" stopped: the server returned only values already read, at ");
      LogMessage(kTypeOpc, kLevelWarning, stopped.Str(),
                 StampText(StampOfFileTime(
                               FILETIME{static_cast<DWORD>(last), static_cast<DWORD>(last >> 32)}))
                     .Str(),
                 u" (", IntegerText(static_cast<std::int64_t>(result.count)).Str(),
                 u" values read)");
    }
    result.end = *use.end;
    return result;
  }
}

}  // namespace hda
