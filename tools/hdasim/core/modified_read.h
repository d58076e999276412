// ReadModified: the values that edits superseded, in time order (latest first in reverse), with
// several entries at one time ordered newest modification first.
#pragma once

#include <vector>

#include "tools/hdasim/core/raw_read.h"

namespace hdasim {

struct ModifiedEntry {
  Sample old;  // quality carries OPCHDA_RAW
  Ticks modified_at = 0;
  EditType edit = EditType::kReplace;
  std::wstring user;
};

struct ModifiedResult {
  ReadStatus status = ReadStatus::kNoData;
  std::vector<ModifiedEntry> entries;
};

// `overlay` may be null. `limit` is the number of entries to return at most (never 0).
ModifiedResult ReadModified(const ItemDefinition& item, const Overlay* overlay,
                            const ReadDomain& domain, std::uint32_t limit);

}  // namespace hdasim
