#include "app/manual.h"

#include <shellapi.h>

#include <string>

#include "app/core/manual_files.h"
#include "app_context/main_frame_text.h"
#include "app_context/start_directory.h"
#include "platform/wide.h"
#include "strings/string_ids.h"

namespace app {

namespace {

// Why the shell could not show the file: no program for its type, or the system's own words.
std::wstring ShellFailureText(const SHELLEXECUTEINFOW& request, DWORD error) {
  const auto shell_code = reinterpret_cast<INT_PTR>(request.hInstApp);
  if (error == ERROR_NO_ASSOCIATION || shell_code == SE_ERR_NOASSOC) {
    return platform::W(RString(IDS_HELP_WITHOUT_VIEWER));
  }
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring result = length > 0 && text ? std::wstring(text, length) : std::to_wstring(error);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r')) result.pop_back();
  return result;
}

void ShowError(HWND owner, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), platform::W(TString(RString(IDS_ERROR_CAPTION))),
              MB_OK | MB_ICONERROR);
}

}  // namespace

bool OpenUserManual(HWND owner, int language) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const TString found =
      FindManual(ManualCandidates(language, StartDirectory(), TString(platform::U16(windows))));
  if (found.Length() == 0) {
    ShowError(owner,
              platform::W(TString(RString(IDS_CANNOT_OPEN_HELP), ManualBaseName(language).Str())));
    return false;
  }
  SHELLEXECUTEINFOW request{};
  request.cbSize = sizeof(request);
  // The failure comes back to us instead of the shell's own box, so that the user reads why.
  request.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  request.hwnd = owner;
  request.lpVerb = L"open";
  request.lpFile = platform::W(found);
  request.nShow = SW_SHOWMAXIMIZED;
  if (ShellExecuteExW(&request)) return true;
  const DWORD error = GetLastError();
  ShowError(owner, std::wstring(platform::W(TString(RString(IDS_CANNOT_OPEN_HELP), found.Str()))) +
                       L"\r\n" + ShellFailureText(request, error));
  return false;
}

}  // namespace app
