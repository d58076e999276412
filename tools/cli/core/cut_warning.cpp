#include "tools/cli/core/cut_warning.h"

#include "tools/cli/core/utf8.h"
#include "tools/cli/core/wave_table.h"

namespace cli {

std::string CutWaveWarnings(std::span<const TWave> waves, std::string_view hint) {
  std::string lines;
  for (const TWave& wave : waves) {
    if (!wave.Cut || wave.T.empty()) continue;
    lines += "varnel-cli: warning: " + ToUtf8(wave.ItemName) + ": only the first " +
             std::to_string(wave.T.size()) + " values were read, up to " + TimeCell(wave.T.back()) +
             "; use " + std::string(hint) + " for the whole period\n";
  }
  return lines;
}

}  // namespace cli
