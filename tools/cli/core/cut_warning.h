// What standard error says of a wave whose read stopped at the value limit while the server holds
// more of the period: the table or document has only the first part.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "document/wave.h"

namespace cli {

// One line per cut wave, in order: "varnel-cli: warning: ITEM: only the first N values were
// read, up to TIME; use HINT for the whole period" (TIME as the table writes it: the last value
// read). Empty when no wave is cut.
std::string CutWaveWarnings(std::span<const TWave> waves, std::string_view hint);

}  // namespace cli
