// IOPCHDA_Browser: a position in the branch tree and the filters given to CreateBrowse.
#pragma once

#include <vector>

#include "opc/opc.h"
#include "tools/hdasim/core/browse_filter.h"
#include "tools/hdasim/server/server_object.h"

namespace hdasim {

class Catalog;

class Browser final : public ServerObject<IOPCHDA_Browser> {
 public:
  // `enum_fault`: not S_OK for a faulty server class, whose GetEnum always fails with it.
  Browser(const Catalog& catalog, std::vector<BrowseFilter> filters, HRESULT enum_fault)
      : catalog_(catalog), filters_(std::move(filters)), enum_fault_(enum_fault) {}

  HRESULT STDMETHODCALLTYPE GetEnum(OPCHDA_BROWSETYPE dwBrowseType,
                                    LPENUMSTRING* ppIEnumString) override;
  HRESULT STDMETHODCALLTYPE ChangeBrowsePosition(OPCHDA_BROWSEDIRECTION dwBrowseDirection,
                                                 LPCWSTR szString) override;
  HRESULT STDMETHODCALLTYPE GetItemID(LPCWSTR szNode, LPWSTR* pszItemID) override;
  HRESULT STDMETHODCALLTYPE GetBranchPosition(LPWSTR* pszBranchPos) override;

 private:
  const Catalog& catalog_;
  std::vector<BrowseFilter> filters_;
  HRESULT enum_fault_;
  int branch_ = 0;  // the root
};

}  // namespace hdasim
