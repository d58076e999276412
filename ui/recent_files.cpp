#include "ui/recent_files.h"

#include <algorithm>

#include "win/handle.h"

namespace ui {

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The file name alone, for the menu; "&" doubled so it is not taken for a mnemonic.
std::wstring MenuText(std::size_t index, const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  std::wstring escaped;
  for (wchar_t c : name) {
    escaped += c;
    if (c == L'&') escaped += L'&';
  }
  return L"&" + std::to_wstring(index + 1) + L" " + escaped;
}

}  // namespace

RecentFiles::RecentFiles(std::wstring registry_key, std::wstring application, std::size_t capacity,
                         UINT first_command)
    : registry_key_(std::move(registry_key)),
      application_(std::move(application)),
      capacity_(capacity),
      first_command_(first_command) {}

std::wstring RecentFiles::SectionPath() const {
  return L"Software\\" + registry_key_ + L"\\" + application_ + L"\\Recent File List";
}

void RecentFiles::Load() {
  paths_.clear();
  win::UniqueRegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return;
  }
  for (std::size_t i = 0; i < capacity_; ++i) {
    const std::wstring name = L"File" + std::to_wstring(i + 1);
    wchar_t value[MAX_PATH * 2] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &bytes) == ERROR_SUCCESS &&
        type == REG_SZ && value[0]) {
      paths_.emplace_back(value);
    }
  }
}

void RecentFiles::Save() const {
  win::UniqueRegKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath().c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  for (std::size_t i = 0; i < capacity_; ++i) {
    const std::wstring name = L"File" + std::to_wstring(i + 1);
    if (i < paths_.size()) {
      const std::wstring& p = paths_[i];
      RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(p.c_str()),
                     static_cast<DWORD>((p.size() + 1) * sizeof(wchar_t)));
    } else {
      RegDeleteValueW(key.Get(), name.c_str());
    }
  }
}

void RecentFiles::Add(const std::wstring& path) {
  Remove(path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > capacity_) paths_.resize(capacity_);
}

void RecentFiles::Remove(const std::wstring& path) {
  std::erase_if(paths_, [&](const std::wstring& p) { return SamePath(p, path); });
}

void RecentFiles::UpdateMenu(HMENU menu, const std::wstring& placeholder) const {
  // Where the list starts: the first item of our range.
  int position = -1;
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id >= first_command_ && id < first_command_ + capacity_) {
      position = i;
      break;
    }
  }
  if (position < 0) return;
  for (std::size_t k = 0; k < capacity_; ++k) {
    DeleteMenu(menu, static_cast<UINT>(first_command_ + k), MF_BYCOMMAND);
  }
  if (paths_.empty()) {
    InsertMenuW(menu, position, MF_BYPOSITION | MF_STRING | MF_GRAYED, first_command_,
                placeholder.c_str());
    return;
  }
  for (std::size_t k = 0; k < paths_.size(); ++k) {
    InsertMenuW(menu, position + static_cast<int>(k), MF_BYPOSITION | MF_STRING, first_command_ + k,
                MenuText(k, paths_[k]).c_str());
  }
}

}  // namespace ui
