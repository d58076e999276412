#include "hda/raw_stream.h"

#include <algorithm>

#include "document/log_entry.h"
#include "document/log_message.h"
#include "text/integer_text.h"
#include "win/variant_vector.h"

namespace hda {

// The rows one call fills, kept for the whole read.
struct TRawStream::Rows {
  std::unique_ptr<FILETIME[]> times{new FILETIME[kMaxValuesPerRead]()};
  win::VariantVector values{kMaxValuesPerRead};
  std::unique_ptr<DWORD[]> qualities{new DWORD[kMaxValuesPerRead]()};

  void ClearValues(std::uint32_t count) {
    VARIANT* row = values.Data();
    for (std::uint32_t i = 0; i < count; ++i) VariantClear(&row[i]);
  }
};

TRawStream::TRawStream(const TRawReadRequest& request)
    : request_(request),
      continuation_(request.start, request.stop, request.limit),
      rows_(std::make_unique<Rows>()) {
  if (request.limit == 0 || request.start >= request.stop) end_ = TRawReadEnd::Complete;
}

TRawStream::~TRawStream() { rows_->ClearValues(filled_); }

std::optional<TRawPiece> TRawStream::Next(THdaConnection& connection, IUserMessages& messages) {
  rows_->ClearValues(filled_);
  filled_ = 0;
  if (end_) return std::nullopt;
  const std::uint64_t from = continuation_.From();
  const DWORD ask = continuation_.Ask(kMaxValuesPerRead);
  const DWORD answer =
      ReadHDAItemValues(connection.Session(), request_.serverHandle, FALSE,
                        static_cast<DWORD>(from), static_cast<DWORD>(from >> 32),
                        static_cast<DWORD>(request_.stop), static_cast<DWORD>(request_.stop >> 32),
                        ask, rows_->times.get(), rows_->values.Data(), rows_->qualities.get());
  ++calls_;
  if (connection.NoteServerLoss(messages)) {
    end_ = TRawReadEnd::ServerLost;
    return std::nullopt;
  }
  // Never trust a count beyond what was asked.
  filled_ = std::min<std::uint32_t>(answer & AMBREL_COUNT_MASK, ask);
  const TRawAnswerUse use =
      continuation_.Take(rows_->times.get(), filled_, (answer & AMBREL_MORE_DATA) != 0);
  end_ = use.end;
  if (end_ == TRawReadEnd::NoProgress) {
    const std::uint64_t last = continuation_.LastTime();
    const TString stopped(u"Reading ", request_.label.Str(),
                          u" stopped: the server returned only values already read, at ");
    LogMessage(kTypeOpc, kLevelWarning, stopped.Str(),
               StampText(StampOfFileTime(
                             FILETIME{static_cast<DWORD>(last), static_cast<DWORD>(last >> 32)}))
                   .Str(),
               u" (", IntegerText(static_cast<std::int64_t>(continuation_.Count())).Str(),
               u" values read)");
  }
  return TRawPiece{rows_->times.get() + use.skip, rows_->values.begin() + use.skip,
                   rows_->qualities.get() + use.skip, use.fresh};
}

}  // namespace hda
