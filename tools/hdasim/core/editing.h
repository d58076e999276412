// Writing to an item's history: insert, replace and delete, each recording what it superseded.
#pragma once

#include <string>

#include "tools/hdasim/core/history.h"

namespace hdasim {

enum class WriteOutcome { kInserted, kReplaced, kAlreadyExists, kNothingToReplace };

// The sample's time says where it goes; `now` is both the end of generated history and the
// modification time recorded; `user` is recorded with superseded values.
WriteOutcome InsertValue(const ItemDefinition& item, Overlay& overlay, Ticks now,
                         const Sample& sample);
WriteOutcome ReplaceValue(const ItemDefinition& item, Overlay& overlay, Ticks now,
                          const Sample& sample, const std::wstring& user);
WriteOutcome InsertOrReplaceValue(const ItemDefinition& item, Overlay& overlay, Ticks now,
                                  const Sample& sample, const std::wstring& user);

// Deletes the samples in [from, to); false when there were none.
bool DeleteRange(const ItemDefinition& item, Overlay& overlay, Ticks now, Ticks from, Ticks to,
                 const std::wstring& user);
// Deletes the sample at t; false when there was none.
bool DeleteAt(const ItemDefinition& item, Overlay& overlay, Ticks now, Ticks t,
              const std::wstring& user);

}  // namespace hdasim
