// IOPCHDA_Browser: a position in the branch tree and the filters given to CreateBrowse.
#pragma once

#include <vector>

#include "opc/opc.h"
#include "tools/hdasim/core/browse_filter.h"
#include "tools/hdasim/server/com_object.h"

namespace hdasim {

class Browser final : public ComObject<IOPCHDA_Browser> {
 public:
  explicit Browser(std::vector<BrowseFilter> filters) : filters_(std::move(filters)) {}

  HRESULT STDMETHODCALLTYPE GetEnum(OPCHDA_BROWSETYPE dwBrowseType,
                                    LPENUMSTRING* ppIEnumString) override;
  HRESULT STDMETHODCALLTYPE ChangeBrowsePosition(OPCHDA_BROWSEDIRECTION dwBrowseDirection,
                                                 LPCWSTR szString) override;
  HRESULT STDMETHODCALLTYPE GetItemID(LPCWSTR szNode, LPWSTR* pszItemID) override;
  HRESULT STDMETHODCALLTYPE GetBranchPosition(LPWSTR* pszBranchPos) override;

 private:
  std::vector<BrowseFilter> filters_;
  int branch_ = 0;  // the root
};

}  // namespace hdasim
