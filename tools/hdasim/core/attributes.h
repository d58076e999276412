// Item attributes: the standard set plus one of our own, and each item's values for them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/hdasim/core/catalog.h"

namespace hdasim {

constexpr std::uint32_t kAttrSamplePeriod = 0x80000001;  // ours: seconds between samples

struct AttributeInfo {
  std::uint32_t id;
  const wchar_t* name;
  const wchar_t* description;
  ValueKind type;
};

const std::vector<AttributeInfo>& ItemAttributes();
const AttributeInfo* FindAttribute(std::uint32_t id);

// The value of an attribute for an item; nothing when the attribute does not apply to it (the
// numeric range of a text item, the sample times of an item without generated history).
std::optional<Value> AttributeValue(const ItemDefinition& item, std::uint32_t id,
                                    const std::wstring& node_name);

// The VARTYPE an item's values have (VT_ARRAY | VT_R8 for the array item).
std::uint16_t VarTypeOf(ValueKind kind);

}  // namespace hdasim
