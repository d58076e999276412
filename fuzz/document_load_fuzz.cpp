// The document loader over any file a user may open: whatever the bytes, loading neither traps
// nor reads out of bounds, and every wave it fills holds one value (a number or a text) per time.
#include <cstddef>
#include <cstdint>

#include "document/varnel_doc.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TString path = fuzz::WriteInput("document.xml", data, size);
  TVarnelDoc doc;
  static_cast<void>(doc.Load(path.Str()));
  for (const TWave& wave : doc.Waves) {
    const bool numeric = wave.S.empty();
    fuzz::Check(numeric ? wave.Y.size() == wave.T.size() : wave.S.size() == wave.T.size());
    fuzz::Check(numeric || wave.Y.empty());
    fuzz::Check(wave.Cut == (wave.T.size() >= kMaxWaveValues));
  }
  return 0;
}
