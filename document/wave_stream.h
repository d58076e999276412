// Every value of one wave over a period, handed on piece by piece in time order: what an export
// reads from a server by as many calls as it needs.
#pragma once

#include "document/wave.h"

class IWaveStream {
 public:
  virtual ~IWaveStream() = default;

  // Replaces piece's T and Y (or S, for texts) with the next values; false when there are no
  // more. One call reads at most one answer of the server, so a caller can do other work between.
  virtual bool Next(TWave& piece) = 0;
  // After Next gave false: whether the stream stopped before the end of its values (the server
  // was lost), so what was handed on is not the whole wave.
  virtual bool Failed() const = 0;
};

// The values a wave holds already, as one piece: a wave whose server is not open is exported as
// the document shows it.
class THeldWaveStream final : public IWaveStream {
 public:
  // Keeps a copy: the document may read its waves again meanwhile.
  explicit THeldWaveStream(const TWave& wave) : wave_(wave) {}
  bool Next(TWave& piece) override;
  bool Failed() const override { return false; }

 private:
  TWave wave_;
  bool given_ = false;
};
