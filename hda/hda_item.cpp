#include "hda/hda_item.h"

#include "text/assert_report.h"

THdaItem::THdaItem(const TString& machineName, const TString& serverName, const TString& itemName)
    : MachineName(machineName), ServerName(serverName), ItemName(itemName) {}

void THdaItem::SetAttribute(std::size_t index, VARIANT& value) {
  AssertReport(u"idx too big in THdaItem::SetAttribute()", "HdaClient",
               index < kExpectedAttributes);
  if (index >= attributes_.Size()) attributes_.Resize(index + 1);
  attributes_.Set(index, win::Variant::Adopt(value));
}
