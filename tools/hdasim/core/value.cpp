#include "tools/hdasim/core/value.h"

#include <cmath>
#include <utility>

namespace hdasim {

Value Value::Number(ValueKind kind, double number) {
  Value v;
  v.kind = kind;
  switch (kind) {
    case ValueKind::kR4:
      v.number = static_cast<float>(number);
      break;
    case ValueKind::kR8:
    case ValueKind::kDate:
    case ValueKind::kR8Array:
      v.number = number;
      break;
    case ValueKind::kBool:
      v.integer = number != 0 ? -1 : 0;
      break;
    case ValueKind::kCy:
      v.integer = std::llround(number * 10000.0);
      break;
    case ValueKind::kUI8:
      v.integer = static_cast<std::int64_t>(static_cast<std::uint64_t>(std::llround(number)));
      break;
    default:
      v.integer = std::llround(number);
      break;
  }
  return v;
}

Value Value::Text(std::wstring text) {
  Value v;
  v.kind = ValueKind::kText;
  v.text = std::move(text);
  return v;
}

bool IsNumericKind(ValueKind kind) {
  switch (kind) {
    case ValueKind::kEmpty:
    case ValueKind::kNull:
    case ValueKind::kText:
    case ValueKind::kR8Array:
      return false;
    default:
      return true;
  }
}

std::optional<double> NumericValue(const Value& value) {
  switch (value.kind) {
    case ValueKind::kEmpty:
    case ValueKind::kNull:
    case ValueKind::kText:
    case ValueKind::kR8Array:
      return std::nullopt;
    case ValueKind::kR4:
    case ValueKind::kR8:
    case ValueKind::kDate:
      return value.number;
    case ValueKind::kCy:
      return static_cast<double>(value.integer) / 10000.0;
    case ValueKind::kUI8:
      return static_cast<double>(static_cast<std::uint64_t>(value.integer));
    default:
      return static_cast<double>(value.integer);
  }
}

}  // namespace hdasim
