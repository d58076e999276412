// The values of a raw read as a wave keeps them, piece by piece: texts when the read's first value
// is a string, numbers otherwise (a later value of the other kind becomes an empty text or NaN).
#pragma once

#include <optional>

#include "document/wave.h"
#include "hda/raw_reader.h"

namespace hda {

class TWaveFiller {
 public:
  // Appends the piece's time stamps to wave.T and its values to wave.S or wave.Y.
  void Append(const TRawPiece& piece, TWave& wave);

 private:
  std::optional<bool> text_;  // decided by the first value of the read
};

}  // namespace hda
