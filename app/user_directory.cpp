#include "app/user_directory.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "win/co_task_memory.h"

namespace app {

std::wstring EnterPerUserDirectory() {
  wchar_t* found = nullptr;
  const HRESULT result =
      SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &found);
  const win::CoTaskPtr<wchar_t> app_data(found);
  if (FAILED(result) || !app_data) return L"%APPDATA%";
  const std::wstring folder = std::wstring(app_data.get()) + L"\\Varnel";
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    return folder;
  if (!SetCurrentDirectoryW(folder.c_str())) return folder;
  return {};
}

}  // namespace app
