// The recent-file list: at most N paths, newest first, kept in the registry under
// HKCU\Software\<key>\<application>\Recent File List as File1..FileN, and shown in the File menu
// in place of the "Recent File" item.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

class RecentFiles {
 public:
  RecentFiles(std::wstring registry_key, std::wstring application, std::size_t capacity,
              UINT first_command);

  void Load();
  void Save() const;
  // Moves the path to the top (compared without regard to case); drops the oldest beyond N.
  void Add(const std::wstring& path);
  void Remove(const std::wstring& path);
  const std::vector<std::wstring>& Paths() const { return paths_; }
  std::size_t Capacity() const { return capacity_; }
  UINT FirstCommand() const { return first_command_; }

  // Replaces the items first_command..first_command+N-1 of the menu (or its "Recent File"
  // placeholder) by "&1 name" entries, or by the greyed placeholder when the list is empty.
  void UpdateMenu(HMENU menu, const std::wstring& placeholder) const;

 private:
  std::wstring SectionPath() const;

  std::wstring registry_key_;
  std::wstring application_;
  std::size_t capacity_;
  UINT first_command_;
  std::vector<std::wstring> paths_;
};

}  // namespace ui
