// A simulated value and a raw sample, without COM: the server turns them into VARIANTs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/hdasim/core/ticks.h"

namespace hdasim {

// The data types items can have; each maps to one VARTYPE.
enum class ValueKind : std::uint8_t {
  kEmpty,
  kNull,
  kI1,
  kUI1,
  kI2,
  kUI2,
  kI4,
  kUI4,
  kInt,
  kUInt,
  kR4,
  kR8,
  kBool,
  kText,
  kCy,
  kDate,
  kI8,
  kUI8,
  kR8Array,  // two elements: number and -number
};

// Integer kinds keep their exact value in `integer` (UI8 as its bit pattern, CY in units of
// 1/10000); R4, R8, DATE and the array keep `number`; text keeps `text`.
struct Value {
  ValueKind kind = ValueKind::kEmpty;
  double number = 0;
  std::int64_t integer = 0;
  std::wstring text;

  static Value Empty() { return {}; }
  static Value Number(ValueKind kind, double number);
  static Value Text(std::wstring text);
  friend bool operator==(const Value&, const Value&) = default;
};

// The number aggregates work with; nothing for text, empty, null and arrays.
std::optional<double> NumericValue(const Value& value);
bool IsNumericKind(ValueKind kind);

struct Sample {
  Ticks time = 0;
  Value value;
  std::uint32_t quality = 0;  // DA quality in the low word, HDA flags in the high word
};

// DA quality classes.
constexpr std::uint32_t kDaQualityMask = 0xFFFF;
constexpr std::uint32_t kDaGood = 0xC0;
constexpr std::uint32_t kDaUncertain = 0x40;
constexpr std::uint32_t kDaBad = 0x00;
constexpr std::uint32_t kDaSubNormal = 0x58;  // uncertain, sub-normal
inline bool IsGoodQuality(std::uint32_t quality) { return (quality & 0xC0) == 0xC0; }

}  // namespace hdasim
