// THdaItem: one item of a server connection, with its server and client handles and the
// attribute values read when it was added.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/tstring.h"

class THdaItem {
 public:
  // Attribute indexes at or above this are reported; servers have fewer attributes than that.
  static constexpr std::size_t kExpectedAttributes = 32;

  THdaItem() = default;
  THdaItem(const TString& machineName, const TString& serverName, const TString& itemName);
  // Copies every field, the attribute values element by element.
  THdaItem(const THdaItem& other);
  THdaItem& operator=(const THdaItem& other);
  THdaItem(THdaItem&& other) noexcept;
  THdaItem& operator=(THdaItem&& other) noexcept;
  // Clears the attribute values.
  ~THdaItem();

  // Stores value at index, taking the VARIANT over as it is (the caller's copy is left
  // VT_EMPTY). The list grows with empty entries to reach the index; it never shrinks.
  void SetAttribute(std::size_t index, VARIANT& value);
  const std::vector<VARIANT>& Attributes() const { return attributes_; }

  TString MachineName;
  TString ServerName;
  TString ItemName;
  std::int32_t ServerHandle = -1;
  std::int32_t ClientHandle = 0;

 private:
  void ClearAttributes();

  std::vector<VARIANT> attributes_;
};
