#include "tools/hdasim/core/catalog.h"

#include <utility>

namespace hdasim {

std::vector<ItemDefinition> BuildItemTable();  // catalog_items.cpp

Ticks DefaultHistoryStart() { return MakeTicks(2000, 1, 1); }

std::wstring_view ItemDefinition::ShortName() const {
  const std::size_t slash = id.rfind(kBranchSeparator);
  return slash == std::wstring::npos ? std::wstring_view(id)
                                     : std::wstring_view(id).substr(slash + 1);
}

bool IsWellFormedItemId(std::wstring_view id) {
  if (id.empty()) return false;
  std::size_t start = 0;
  while (true) {
    const std::size_t slash = id.find(kBranchSeparator, start);
    const std::size_t end = slash == std::wstring_view::npos ? id.size() : slash;
    if (end == start) return false;
    if (slash == std::wstring_view::npos) return true;
    start = slash + 1;
  }
}

Catalog::Catalog(std::vector<ItemDefinition> items) : items_(std::move(items)) {
  branches_.push_back(Branch{});
  branch_index_.emplace(L"", kRoot);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const std::wstring& id = items_[i].id;
    item_index_.emplace(id, static_cast<int>(i));
    const std::size_t slash = id.rfind(kBranchSeparator);
    const int branch =
        slash == std::wstring::npos ? kRoot : BranchFor(std::wstring_view(id).substr(0, slash));
    branches_[static_cast<std::size_t>(branch)].items.push_back(static_cast<int>(i));
  }
}

int Catalog::BranchFor(std::wstring_view path) {
  if (auto found = branch_index_.find(std::wstring(path)); found != branch_index_.end())
    return found->second;
  const std::size_t slash = path.rfind(kBranchSeparator);
  const int parent = slash == std::wstring_view::npos ? kRoot : BranchFor(path.substr(0, slash));
  Branch branch;
  branch.name = std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
  branch.path = std::wstring(path);
  branch.parent = parent;
  const int index = static_cast<int>(branches_.size());
  branches_.push_back(std::move(branch));
  branches_[static_cast<std::size_t>(parent)].branches.push_back(index);
  branch_index_.emplace(std::wstring(path), index);
  return index;
}

std::optional<int> Catalog::FindItem(std::wstring_view id) const {
  auto found = item_index_.find(std::wstring(id));
  if (found == item_index_.end()) return std::nullopt;
  return found->second;
}

std::optional<int> Catalog::FindBranch(std::wstring_view path) const {
  auto found = branch_index_.find(std::wstring(path));
  if (found == branch_index_.end()) return std::nullopt;
  return found->second;
}

const Catalog& TheCatalog() {
  static const Catalog catalog(BuildItemTable());
  return catalog;
}

const Catalog& EmptyCatalog() {
  static const Catalog catalog{std::vector<ItemDefinition>{}};
  return catalog;
}

}  // namespace hdasim
