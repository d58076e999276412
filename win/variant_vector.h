// Owns a row of VARIANTs side by side in memory, so that the row can go to an API that fills
// or reads a VARIANT array. Every entry is cleared when the row shrinks or goes; copies are deep
// (VariantCopy per entry), moves take the whole row and leave the source empty.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstddef>
#include <vector>

#include "win/variant.h"

namespace win {

class VariantVector {
 public:
  VariantVector() = default;
  // `count` entries, each VT_EMPTY.
  explicit VariantVector(std::size_t count);
  // Throws HResultError when an entry cannot be copied; nothing is leaked.
  VariantVector(const VariantVector& other);
  VariantVector& operator=(const VariantVector& other);
  VariantVector(VariantVector&& other) noexcept;
  VariantVector& operator=(VariantVector&& other) noexcept;
  ~VariantVector();

  std::size_t Size() const { return values_.size(); }
  bool Empty() const { return values_.empty(); }
  const VARIANT& operator[](std::size_t index) const { return values_[index]; }
  const VARIANT* begin() const { return values_.data(); }
  const VARIANT* end() const { return values_.data() + values_.size(); }
  // The row for an API that writes into it; what it writes belongs to the vector.
  VARIANT* Data() { return values_.data(); }

  // New entries are VT_EMPTY; entries cut off are cleared.
  void Resize(std::size_t count);
  // Replaces the entry at `index` (which must exist) with `value`.
  void Set(std::size_t index, Variant value);
  void Clear();

 private:
  std::vector<VARIANT> values_;
};

}  // namespace win
