#include "win/variant_vector.h"

#include <oleauto.h>

#include <memory>
#include <utility>

#include "win/hresult_error.h"

namespace win {

VariantVector::VariantVector(std::size_t count) { Resize(count); }

VariantVector::VariantVector(const VariantVector& other) {
  Resize(other.values_.size());
  try {
    for (std::size_t i = 0; i < values_.size(); ++i) {
      ThrowIfFailed(VariantCopy(&values_[i], const_cast<VARIANT*>(&other.values_[i])),
                    "VariantCopy");
    }
  } catch (...) {
    Clear();  // no destructor runs for a constructor that throws
    throw;
  }
}

VariantVector& VariantVector::operator=(const VariantVector& other) {
  if (this != std::addressof(other)) {
    VariantVector copy(other);
    *this = std::move(copy);
  }
  return *this;
}

VariantVector::VariantVector(VariantVector&& other) noexcept
    : values_(std::exchange(other.values_, {})) {}

VariantVector& VariantVector::operator=(VariantVector&& other) noexcept {
  if (this != std::addressof(other)) {
    Clear();
    values_ = std::exchange(other.values_, {});
  }
  return *this;
}

VariantVector::~VariantVector() { Clear(); }

void VariantVector::Resize(std::size_t count) {
  for (std::size_t i = count; i < values_.size(); ++i) VariantClear(&values_[i]);
  const std::size_t old = values_.size();
  values_.resize(count);
  for (std::size_t i = old; i < count; ++i) VariantInit(&values_[i]);
}

void VariantVector::Set(std::size_t index, Variant value) {
  VariantClear(&values_[index]);
  values_[index] = value.Release();
}

void VariantVector::Clear() { Resize(0); }

}  // namespace win
