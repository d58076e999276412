// Simulated values as VARIANTs and back.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include "tools/hdasim/core/value.h"

namespace hdasim {

// Fills an empty VARIANT; throws std::bad_alloc when a string or array cannot be allocated.
void ToVariant(const Value& value, VARIANT* out);

// Converts a client's VARIANT to a value of the given kind; false when it cannot be converted.
bool FromVariant(const VARIANT& in, ValueKind kind, Value* out);

}  // namespace hdasim
