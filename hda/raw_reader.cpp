#include "hda/raw_reader.h"

namespace hda {

TRawReadResult ReadRawByContinuation(THdaConnection& connection, const TRawReadRequest& request,
                                     const TRawPieceHandler& onPiece, IUserMessages& messages) {
  TRawStream stream(request);
  while (const std::optional<TRawPiece> piece = stream.Next(connection, messages)) {
    if (piece->count > 0 && !onPiece(*piece)) {
      stream.Stop(TRawReadEnd::Cancelled);
      break;
    }
  }
  TRawReadResult result;
  result.count = stream.Count();
  result.end = stream.End().value_or(TRawReadEnd::Complete);
  result.calls = stream.Calls();
  return result;
}

}  // namespace hda
