#include "tools/hdasim/core/browse_filter.h"

#include <cwctype>

namespace hdasim {
namespace {

wchar_t Fold(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
  // Latin-1 lower-case letters, except the division sign and y with diaeresis.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 32);
  return c;
}

bool Compare(double a, FilterOperator op, double b) {
  switch (op) {
    case FilterOperator::kEqual:
      return a == b;
    case FilterOperator::kLess:
      return a < b;
    case FilterOperator::kLessEqual:
      return a <= b;
    case FilterOperator::kGreater:
      return a > b;
    case FilterOperator::kGreaterEqual:
      return a >= b;
    case FilterOperator::kNotEqual:
      return a != b;
  }
  return false;
}

}  // namespace

FilterCheck CheckFilter(std::uint32_t attribute, int op) {
  const AttributeInfo* info = FindAttribute(attribute);
  if (!info) return FilterCheck::kUnknownAttribute;
  if (op < static_cast<int>(FilterOperator::kEqual) ||
      op > static_cast<int>(FilterOperator::kNotEqual))
    return FilterCheck::kBadOperator;
  const bool equality = op == static_cast<int>(FilterOperator::kEqual) ||
                        op == static_cast<int>(FilterOperator::kNotEqual);
  switch (info->type) {
    case ValueKind::kText:
    case ValueKind::kBool:
      return equality ? FilterCheck::kOk : FilterCheck::kBadOperator;
    case ValueKind::kI2:
    case ValueKind::kR8:
      return FilterCheck::kOk;
    default:
      return FilterCheck::kNotFilterable;
  }
}

bool WildcardMatch(std::wstring_view pattern, std::wstring_view text) {
  // Greedy matching with one backtrack point: the last '*' seen.
  std::size_t p = 0, t = 0, star = std::wstring_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || Fold(pattern[p]) == Fold(text[t]))) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      resume = t;
    } else if (star != std::wstring_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

bool PassesFilters(const ItemDefinition& item, const std::vector<BrowseFilter>& filters,
                   const std::wstring& node_name) {
  for (const BrowseFilter& filter : filters) {
    const std::optional<Value> value = AttributeValue(item, filter.attribute, node_name);
    if (!value) return false;
    bool pass = false;
    if (value->kind == ValueKind::kText) {
      pass =
          WildcardMatch(filter.operand.text, value->text) == (filter.op == FilterOperator::kEqual);
    } else {
      const std::optional<double> a = NumericValue(*value), b = NumericValue(filter.operand);
      pass = a && b && Compare(*a, filter.op, *b);
    }
    if (!pass) return false;
  }
  return true;
}

}  // namespace hdasim
