#include "hda/wave_filler.h"

#include "hda/wave_conversion.h"

namespace hda {

void TWaveFiller::Append(const TRawPiece& piece, TWave& wave) {
  if (piece.count == 0) return;
  if (!text_) text_ = piece.values[0].vt == VT_BSTR;
  for (std::uint32_t i = 0; i < piece.count; ++i) {
    wave.T.push_back(StampOfFileTime(piece.times[i]));
    if (*text_) {
      wave.S.push_back(TextOfVariant(piece.values[i]));
    } else {
      wave.Y.push_back(NumberOfVariant(piece.values[i]));
    }
  }
}

}  // namespace hda
