#include "hda/hda_item.h"

#include <oleauto.h>

#include <utility>

#include "text/assert_report.h"

THdaItem::THdaItem(const TString& machineName, const TString& serverName, const TString& itemName)
    : MachineName(machineName), ServerName(serverName), ItemName(itemName) {}

THdaItem::THdaItem(const THdaItem& other)
    : MachineName(other.MachineName),
      ServerName(other.ServerName),
      ItemName(other.ItemName),
      ServerHandle(other.ServerHandle),
      ClientHandle(other.ClientHandle),
      attributes_(other.attributes_.size()) {
  for (std::size_t i = 0; i < attributes_.size(); ++i) {
    VariantInit(&attributes_[i]);
    // A value that cannot be copied (out of memory) stays empty, as an unread attribute does.
    VariantCopy(&attributes_[i], const_cast<VARIANT*>(&other.attributes_[i]));
  }
}

THdaItem& THdaItem::operator=(const THdaItem& other) {
  if (this != &other) {
    THdaItem copy(other);
    *this = std::move(copy);
  }
  return *this;
}

THdaItem::THdaItem(THdaItem&& other) noexcept
    : MachineName(std::move(other.MachineName)),
      ServerName(std::move(other.ServerName)),
      ItemName(std::move(other.ItemName)),
      ServerHandle(other.ServerHandle),
      ClientHandle(other.ClientHandle),
      attributes_(std::move(other.attributes_)) {
  other.attributes_.clear();
}

THdaItem& THdaItem::operator=(THdaItem&& other) noexcept {
  if (this != &other) {
    ClearAttributes();
    MachineName = std::move(other.MachineName);
    ServerName = std::move(other.ServerName);
    ItemName = std::move(other.ItemName);
    ServerHandle = other.ServerHandle;
    ClientHandle = other.ClientHandle;
    attributes_ = std::move(other.attributes_);
    other.attributes_.clear();
  }
  return *this;
}

THdaItem::~THdaItem() { ClearAttributes(); }

void THdaItem::SetAttribute(std::size_t index, VARIANT& value) {
  AssertReport(u"idx too big in THdaItem::SetAttribute()", "HdaClient",
               index < kExpectedAttributes);
  if (index >= attributes_.size()) {
    const std::size_t old = attributes_.size();
    attributes_.resize(index + 1);
    for (std::size_t i = old; i < attributes_.size(); ++i) VariantInit(&attributes_[i]);
  }
  VariantClear(&attributes_[index]);
  attributes_[index] = value;
  VariantInit(&value);
}

void THdaItem::ClearAttributes() {
  for (VARIANT& v : attributes_) VariantClear(&v);
  attributes_.clear();
}
