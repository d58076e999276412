#include "win/variant.h"

#include <oleauto.h>

#include <memory>
#include <utility>

#include "win/hresult_error.h"

namespace win {

Variant::Variant() noexcept { VariantInit(&value_); }

Variant::Variant(const wchar_t* text) : Variant() {
  BSTR copy = SysAllocString(text ? text : L"");
  if (!copy) throw HResultError(E_OUTOFMEMORY, "SysAllocString");
  value_.vt = VT_BSTR;
  value_.bstrVal = copy;
}

Variant::Variant(LONG value) noexcept : Variant() {
  value_.vt = VT_I4;
  value_.lVal = value;
}

Variant::Variant(double value) noexcept : Variant() {
  value_.vt = VT_R8;
  value_.dblVal = value;
}

Variant Variant::Adopt(VARIANT& raw) noexcept {
  Variant owner;
  owner.value_ = raw;
  VariantInit(&raw);
  return owner;
}

Variant::Variant(const Variant& other) : Variant() {
  ThrowIfFailed(VariantCopy(&value_, const_cast<VARIANT*>(&other.value_)), "VariantCopy");
}

Variant& Variant::operator=(const Variant& other) {
  if (this != std::addressof(other)) {
    Variant copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != std::addressof(other)) {
    Reset();
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

Variant::~Variant() { Reset(); }

VARIANT* Variant::Out() noexcept {
  Reset();
  return &value_;
}

VARIANT Variant::Release() noexcept {
  const VARIANT held = value_;
  VariantInit(&value_);
  return held;
}

void Variant::Reset() noexcept {
  VariantClear(&value_);
  VariantInit(&value_);
}

}  // namespace win
