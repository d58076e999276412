// TXmlVariant: the typed value of a leaf element, with the text it is written as.
#pragma once

#include <cstdint>

#include "text/tstring.h"

// The OLE Automation type codes a leaf can hold.
enum TXmlType : std::uint16_t {
  kXmlEmpty = 0,     // VT_EMPTY: written as a self-closing element
  kXmlDouble = 5,    // VT_R8
  kXmlString = 8,    // VT_BSTR
  kXmlBool = 11,     // VT_BOOL: accepted by the writer, made by no constructor
  kXmlLong = 22,     // VT_INT
  kXmlUnsigned = 23  // VT_UINT
};

// Only the member matching `type` is meaningful; the others stay zero and the string empty.
struct TXmlVariant {
  std::uint16_t type = kXmlEmpty;
  std::int16_t boolVal = 0;
  std::int32_t lVal = 0;
  std::uint32_t uintVal = 0;
  double dblVal = 0;
  TString bstrVal;

  TXmlVariant() = default;
  explicit TXmlVariant(double value) : type(kXmlDouble), dblVal(value) {}
  explicit TXmlVariant(std::int32_t value) : type(kXmlLong), lVal(value) {}
  explicit TXmlVariant(std::uint32_t value) : type(kXmlUnsigned), uintVal(value) {}
  explicit TXmlVariant(const TString& value) : type(kXmlString), bstrVal(value) {}

  // Appends the value's text: numbers in the file form, strings escaped. A type outside the
  // table is reported and appends nothing.
  void FillString(TString& output) const;
};

// Appends a double as "%.13lG" with the exponent digits written without leading zeros (1E+20,
// 1E-5), NaN as "1.#QNAN". The decimal separator is the current one: TXmlDoc makes it ".".
void AppendXmlDouble(double value, TString& output);
