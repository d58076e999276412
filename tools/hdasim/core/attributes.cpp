#include "tools/hdasim/core/attributes.h"

#include <cmath>

#include "opc/opc_codes.h"

namespace hdasim {
namespace {

Value Integer(ValueKind kind, std::int64_t n) {
  Value v;
  v.kind = kind;
  v.integer = n;
  return v;
}

Value Boolean(bool b) { return Integer(ValueKind::kBool, b ? -1 : 0); }
Value Real(double x) { return Value::Number(ValueKind::kR8, x); }
// A FILETIME duration in a CY, as the interval attributes carry it.
Value Duration(Ticks t) { return Integer(ValueKind::kCy, t); }

std::wstring Number(double x) {
  if (x == std::floor(x) && std::fabs(x) < 1e15) return std::to_wstring(static_cast<long long>(x));
  return FixedText(x);
}

std::wstring ShapeName(Shape shape) {
  switch (shape) {
    case Shape::kSine:
      return L"sine";
    case Shape::kRamp:
      return L"ramp";
    case Shape::kSaw:
      return L"saw";
    case Shape::kSquare:
      return L"square";
    case Shape::kTriangle:
      return L"triangle";
    case Shape::kRandomWalk:
      return L"random walk";
  }
  return L"";
}

std::wstring Equation(const ItemDefinition& item) {
  switch (item.generator) {
    case Generator::kNone:
      return L"";
    case Generator::kWave:
    case Generator::kFixedText:
      if (item.wave.shape == Shape::kRandomWalk)
        return L"random walk, seed " + std::to_wstring(item.wave.seed) + L", " +
               Number(item.wave.low) + L" .. " + Number(item.wave.high);
      return ShapeName(item.wave.shape) + L" of " +
             Number(static_cast<double>(item.wave.cycle) / kTicksPerSecond) + L" s, " +
             Number(item.wave.low) + L" .. " + Number(item.wave.high);
    case Generator::kStateText:
      return L"state texts, one per sample";
    case Generator::kClockText:
      return L"time of day";
    case Generator::kMixedText:
      return L"time of day, every third sample empty";
    case Generator::kTimeAsDate:
      return L"sample time";
    case Generator::kEmpty:
      return L"empty";
    case Generator::kNull:
      return L"null";
  }
  return L"";
}

bool Generated(const ItemDefinition& item) {
  return item.generator != Generator::kNone && item.period > 0;
}

}  // namespace

const std::vector<AttributeInfo>& ItemAttributes() {
  static const std::vector<AttributeInfo> attributes = {
      {OPCHDA_DATA_TYPE, L"Data Type", L"Data type of the item's values", ValueKind::kI2},
      {OPCHDA_DESCRIPTION, L"Description", L"What the item is", ValueKind::kText},
      {OPCHDA_ENG_UNITS, L"Eng Units", L"Engineering units", ValueKind::kText},
      {OPCHDA_STEPPED, L"Stepped", L"Whether values hold until the next one", ValueKind::kBool},
      {OPCHDA_ARCHIVING, L"Archiving", L"Whether history is being recorded", ValueKind::kBool},
      {OPCHDA_DERIVE_EQUATION, L"Derive Equation", L"Function the values come from",
       ValueKind::kText},
      {OPCHDA_NODE_NAME, L"Node Name", L"Computer the server runs on", ValueKind::kText},
      {OPCHDA_PROCESS_NAME, L"Process Name", L"Process that produces the data", ValueKind::kText},
      {OPCHDA_SOURCE_NAME, L"Source Name", L"Where the data comes from", ValueKind::kText},
      {OPCHDA_SOURCE_TYPE, L"Source Type", L"Kind of data source", ValueKind::kText},
      {OPCHDA_NORMAL_MAXIMUM, L"Normal Maximum", L"Upper end of the usual range", ValueKind::kR8},
      {OPCHDA_NORMAL_MINIMUM, L"Normal Minimum", L"Lower end of the usual range", ValueKind::kR8},
      {OPCHDA_ITEMID, L"ItemID", L"Name of the item within its branch", ValueKind::kText},
      {OPCHDA_MAX_TIME_INT, L"Max Time Interval", L"Longest time between two samples",
       ValueKind::kCy},
      {OPCHDA_MIN_TIME_INT, L"Min Time Interval", L"Shortest time between two samples",
       ValueKind::kCy},
      {OPCHDA_EXCEPTION_DEV, L"Exception Deviation", L"Change needed to record a value",
       ValueKind::kR8},
      {OPCHDA_EXCEPTION_DEV_TYPE, L"Exception Dev Type", L"0: absolute deviation", ValueKind::kI2},
      {OPCHDA_HIGH_ENTRY_LIMIT, L"High Entry Limit", L"Largest value that may be written",
       ValueKind::kR8},
      {OPCHDA_LOW_ENTRY_LIMIT, L"Low Entry Limit", L"Smallest value that may be written",
       ValueKind::kR8},
      {kAttrSamplePeriod, L"Sample Period", L"Seconds between generated samples", ValueKind::kR8},
  };
  return attributes;
}

const AttributeInfo* FindAttribute(std::uint32_t id) {
  for (const AttributeInfo& a : ItemAttributes())
    if (a.id == id) return &a;
  return nullptr;
}

std::uint16_t VarTypeOf(ValueKind kind) {
  switch (kind) {
    case ValueKind::kEmpty:
      return 0;
    case ValueKind::kNull:
      return 1;
    case ValueKind::kI2:
      return 2;
    case ValueKind::kI4:
      return 3;
    case ValueKind::kR4:
      return 4;
    case ValueKind::kR8:
      return 5;
    case ValueKind::kCy:
      return 6;
    case ValueKind::kDate:
      return 7;
    case ValueKind::kText:
      return 8;
    case ValueKind::kBool:
      return 11;
    case ValueKind::kI1:
      return 16;
    case ValueKind::kUI1:
      return 17;
    case ValueKind::kUI2:
      return 18;
    case ValueKind::kUI4:
      return 19;
    case ValueKind::kI8:
      return 20;
    case ValueKind::kUI8:
      return 21;
    case ValueKind::kInt:
      return 22;
    case ValueKind::kUInt:
      return 23;
    case ValueKind::kR8Array:
      return 0x2000 | 5;
  }
  return 0;
}

std::optional<Value> AttributeValue(const ItemDefinition& item, std::uint32_t id,
                                    const std::wstring& node_name) {
  const bool numeric = item.HasNumericRange();
  switch (id) {
    case OPCHDA_DATA_TYPE:
      return Integer(ValueKind::kI2, VarTypeOf(item.type));
    case OPCHDA_DESCRIPTION:
      return Value::Text(item.description);
    case OPCHDA_ENG_UNITS:
      return Value::Text(item.units);
    case OPCHDA_STEPPED:
      return Boolean(item.stepped);
    case OPCHDA_ARCHIVING:
      return Boolean(item.control == Control::kNone);
    case OPCHDA_DERIVE_EQUATION:
      return Value::Text(Equation(item));
    case OPCHDA_NODE_NAME:
      return Value::Text(node_name);
    case OPCHDA_PROCESS_NAME:
      return Value::Text(L"hdasim");
    case OPCHDA_SOURCE_NAME:
      return Value::Text(item.id);
    case OPCHDA_SOURCE_TYPE:
      return Value::Text(L"Simulation");
    case OPCHDA_NORMAL_MAXIMUM:
      if (numeric) return Real(item.wave.high);
      return std::nullopt;
    case OPCHDA_NORMAL_MINIMUM:
      if (numeric) return Real(item.wave.low);
      return std::nullopt;
    case OPCHDA_ITEMID:
      return Value::Text(std::wstring(item.ShortName()));
    case OPCHDA_MAX_TIME_INT:
      if (Generated(item)) return Duration(item.period + (item.gap.to - item.gap.from));
      return std::nullopt;
    case OPCHDA_MIN_TIME_INT:
      if (Generated(item)) return Duration(item.period);
      return std::nullopt;
    case OPCHDA_EXCEPTION_DEV:
      if (numeric) return Real(0);
      return std::nullopt;
    case OPCHDA_EXCEPTION_DEV_TYPE:
      if (numeric) return Integer(ValueKind::kI2, 0);
      return std::nullopt;
    case OPCHDA_HIGH_ENTRY_LIMIT:
      if (numeric && item.writable && item.control == Control::kNone) return Real(item.wave.high);
      return std::nullopt;
    case OPCHDA_LOW_ENTRY_LIMIT:
      if (numeric && item.writable && item.control == Control::kNone) return Real(item.wave.low);
      return std::nullopt;
    case kAttrSamplePeriod:
      if (Generated(item)) return Real(static_cast<double>(item.period) / kTicksPerSecond);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace hdasim
