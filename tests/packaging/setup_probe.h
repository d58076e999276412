// What the setup tests look at around an install: the machine's folders, shortcuts, version
// resources and the COM classes that name files of a folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "win/handle.h"

namespace packaging_test {

// A shell folder by CSIDL (CSIDL_PROGRAM_FILES, CSIDL_COMMON_PROGRAMS, CSIDL_APPDATA, ...).
std::wstring ShellFolder(int csidl);
std::wstring ExpandEnvironment(const std::wstring& text);
bool FolderExists(const std::wstring& path);
// The names in a folder (files and folders, without "." and ".."); empty when it does not exist.
std::vector<std::wstring> FolderEntries(const std::wstring& path);
// The total size of the files in a folder and its subfolders, in bytes.
ULONGLONG FolderBytes(const std::wstring& path);

struct Shortcut {
  std::wstring target;
  std::wstring arguments;
  // As stored: environment variables are not expanded.
  std::wstring working_dir;
};
std::optional<Shortcut> ReadShortcut(const std::wstring& path);

// The file and product versions of the version resource's fixed part ("1.3.6.1").
struct FileVersions {
  std::wstring file;
  std::wstring product;
};
std::optional<FileVersions> ReadFileVersions(const std::wstring& path);

// Every CLSID under HKLM\Software\Classes whose InprocServer32 or LocalServer32 names a file in
// `folder` (compared without regard to case).
std::vector<std::wstring> ClassesServedFrom(const std::wstring& folder);

// A file's or folder's owner and permissions as security descriptor text.
std::wstring SecurityText(const std::wstring& path);
// Gives a folder the permissions of the text (the DACL part of a security descriptor's text).
bool SetFolderSecurity(const std::wstring& path, const std::wstring& text);
// Everyone, Authenticated Users, Users and Interactive, where the permissions allow them to
// change the file or folder (write, append, delete, change its permissions or owner).
std::vector<std::wstring> UsersWhoMayChange(const std::wstring& path);
// Whether the account (WinLocalSystemSid, WinBuiltinAdministratorsSid) has full control.
bool HasFullControl(const std::wstring& path, WELL_KNOWN_SID_TYPE account);

// Whether the HKLM key exists with neither values nor subkeys.
bool IsEmptyMachineKey(const std::wstring& key);

// The files Windows is to rename or delete at the next restart, one a line ("" for none).
std::wstring PendingRestartOperations();

// A program started and not waited for (a setup that shows a window); ended if it still runs.
class StartedProgram {
 public:
  explicit StartedProgram(const std::wstring& command_line);
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
  bool Started() const { return static_cast<bool>(process_); }
  // Its exit code, or -1 when it still runs after the timeout.
  long WaitExit(DWORD timeout_ms);

 private:
  win::UniqueKernelHandle process_;
};

bool SameText(const std::wstring& a, const std::wstring& b);
bool ContainsText(const std::wstring& text, const std::wstring& part);

}  // namespace packaging_test
