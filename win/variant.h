// Owns one VARIANT: cleared when it goes, deep-copied with VariantCopy (a BSTR copy is a string
// of its own), and moved without a copy (the source is left VT_EMPTY).
#pragma once

#include <windows.h>

#include <oaidl.h>

namespace win {

class Variant {
 public:
  Variant() noexcept;
  // VT_BSTR; throws HResultError when the string cannot be had.
  explicit Variant(const wchar_t* text);
  explicit Variant(LONG value) noexcept;    // VT_I4
  explicit Variant(double value) noexcept;  // VT_R8
  // Takes over what `raw` owns and leaves it VT_EMPTY.
  static Variant Adopt(VARIANT& raw) noexcept;

  // Throws HResultError when VariantCopy fails.
  Variant(const Variant& other);
  Variant& operator=(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  ~Variant();

  const VARIANT& Get() const { return value_; }
  const VARIANT* operator->() const { return &value_; }
  // For an [in] VARIANT* parameter: the value itself, still owned here.
  VARIANT* In() noexcept { return &value_; }
  // For an [out] VARIANT: clears what is held and hands out the slot.
  VARIANT* Out() noexcept;
  // Hands what is held to the caller, who clears it; this is left VT_EMPTY.
  VARIANT Release() noexcept;
  void Reset() noexcept;

 private:
  VARIANT value_;
};

}  // namespace win
