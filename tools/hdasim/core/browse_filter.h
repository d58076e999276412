// Browse filters: an attribute, a comparison and an operand; items must pass all of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/hdasim/core/attributes.h"

namespace hdasim {

enum class FilterOperator : int {
  kEqual = 1,
  kLess,
  kLessEqual,
  kGreater,
  kGreaterEqual,
  kNotEqual
};

struct BrowseFilter {
  std::uint32_t attribute = 0;
  FilterOperator op = FilterOperator::kEqual;
  Value operand;  // of the attribute's kind
};

enum class FilterCheck {
  kOk,
  kUnknownAttribute,
  kNotFilterable,  // the attribute exists, but this server does not filter on it
  kBadOperator,    // not a comparison, or one the attribute's kind does not have
};

// Texts and booleans compare for (in)equality only; texts take the wildcards "*" and "?".
FilterCheck CheckFilter(std::uint32_t attribute, int op);

// Case-insensitive for ASCII and Latin-1 letters.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view text);

// An item without a value for a filtered attribute never passes that filter.
bool PassesFilters(const ItemDefinition& item, const std::vector<BrowseFilter>& filters,
                   const std::wstring& node_name);

}  // namespace hdasim
