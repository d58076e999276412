#include "tools/hdasim/server/browser.h"

#include "tools/hdasim/server/enum_string.h"
#include "tools/hdasim/server/simulation.h"
#include "tools/hdasim/server/task_memory.h"
#include "win/barrier.h"

namespace hdasim {
namespace {

std::wstring Join(const std::wstring& branch, std::wstring_view name) {
  if (branch.empty()) return std::wstring(name);
  return branch + kBranchSeparator + std::wstring(name);
}

}  // namespace

HRESULT Browser::GetEnum(OPCHDA_BROWSETYPE dwBrowseType, LPENUMSTRING* ppIEnumString) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!ppIEnumString) return E_POINTER;
    *ppIEnumString = nullptr;
    if (enum_fault_ != S_OK) return enum_fault_;
    const Catalog& catalog = catalog_;
    const std::wstring& node = Simulation::Instance().NodeName();
    const Branch& here = catalog.BranchAt(branch_);
    auto names = std::make_shared<std::vector<std::wstring>>();
    switch (dwBrowseType) {
      case OPCHDA_BRANCH:
        for (int child : here.branches) names->push_back(catalog.BranchAt(child).name);
        break;
      case OPCHDA_LEAF:
      case OPCHDA_ITEMS:
        // Every item is a leaf: no branch is an item as well.
        for (int item : here.items)
          if (PassesFilters(catalog.Item(item), filters_, node))
            names->emplace_back(catalog.Item(item).ShortName());
        break;
      case OPCHDA_FLAT: {
        const std::wstring prefix = here.path.empty() ? L"" : here.path + kBranchSeparator;
        for (const ItemDefinition& item : catalog.Items())
          if (item.id.compare(0, prefix.size(), prefix) == 0 && PassesFilters(item, filters_, node))
            names->push_back(item.id);
        break;
      }
      default:
        return E_INVALIDARG;
    }
    const bool empty = names->empty();
    *ppIEnumString = new StringEnumerator(std::move(names));
    return empty ? S_FALSE : S_OK;
  });
}

HRESULT Browser::ChangeBrowsePosition(OPCHDA_BROWSEDIRECTION dwBrowseDirection, LPCWSTR szString) {
  return win::ComBarrier([&]() -> HRESULT {
    const Catalog& catalog = catalog_;
    const std::wstring_view text = szString ? szString : L"";
    switch (dwBrowseDirection) {
      case OPCHDA_BROWSE_UP:
        if (branch_ == Catalog::kRoot) return E_FAIL;
        branch_ = catalog.BranchAt(branch_).parent;
        return S_OK;
      case OPCHDA_BROWSE_DOWN: {
        if (text.empty() || text.find(kBranchSeparator) != std::wstring_view::npos)
          return E_INVALIDARG;
        std::optional<int> child = catalog.FindBranch(Join(catalog.BranchAt(branch_).path, text));
        if (!child) return E_INVALIDARG;
        branch_ = *child;
        return S_OK;
      }
      case OPCHDA_BROWSE_DIRECT: {
        std::optional<int> target = catalog.FindBranch(text);
        if (!target) return E_INVALIDARG;
        branch_ = *target;
        return S_OK;
      }
      default:
        return E_INVALIDARG;
    }
  });
}

HRESULT Browser::GetItemID(LPCWSTR szNode, LPWSTR* pszItemID) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!pszItemID) return E_POINTER;
    *pszItemID = nullptr;
    if (!szNode || !*szNode) return E_INVALIDARG;
    const Catalog& catalog = catalog_;
    const std::wstring id = Join(catalog.BranchAt(branch_).path, szNode);
    if (!catalog.FindItem(id)) return E_INVALIDARG;
    *pszItemID = TaskString(id);
    return S_OK;
  });
}

HRESULT Browser::GetBranchPosition(LPWSTR* pszBranchPos) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!pszBranchPos) return E_POINTER;
    *pszBranchPos = TaskString(catalog_.BranchAt(branch_).path);
    return S_OK;
  });
}

}  // namespace hdasim
