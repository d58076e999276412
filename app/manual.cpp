#include "app/manual.h"

#include <shellapi.h>

#include "app_core/manual_files.h"
#include "app_core/resource_text.h"
#include "app_core/start_directory.h"
#include "app_core/string_ids.h"

namespace app {

namespace {
const wchar_t* W(const TString& s) { return reinterpret_cast<const wchar_t*>(s.Str()); }
}  // namespace

bool OpenUserManual(HWND owner, int language) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const TString found = FindManual(ManualCandidates(
      language, StartDirectory(), TString(reinterpret_cast<const char16_t*>(windows))));
  if (found.Length() > 0) {
    ShellExecuteW(owner, L"open", W(found), nullptr, nullptr, SW_SHOWMAXIMIZED);
    return true;
  }
  const TString text(RString(IDS_CANNOT_OPEN_HELP), ManualBaseName(language).Str());
  MessageBoxW(owner, W(text), W(TString(RString(IDS_ERROR_CAPTION))), MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace app
