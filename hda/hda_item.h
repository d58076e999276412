// THdaItem: one item of a server connection, with its server and client handles and the
// attribute values read when it was added.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <cstdint>

#include "text/tstring.h"
#include "win/variant_vector.h"

class THdaItem {
 public:
  // Attribute indexes at or above this are reported; servers have fewer attributes than that.
  static constexpr std::size_t kExpectedAttributes = 32;

  THdaItem() = default;
  THdaItem(const TString& machineName, const TString& serverName, const TString& itemName);

  // Stores value at index, taking the VARIANT over as it is (the caller's copy is left
  // VT_EMPTY). The list grows with empty entries to reach the index; it never shrinks.
  void SetAttribute(std::size_t index, VARIANT& value);
  // Copies of the item copy the values deeply.
  const win::VariantVector& Attributes() const { return attributes_; }

  TString MachineName;
  TString ServerName;
  TString ItemName;
  std::int32_t ServerHandle = -1;
  std::int32_t ClientHandle = 0;

 private:
  win::VariantVector attributes_;
};
