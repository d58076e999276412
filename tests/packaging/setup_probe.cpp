#include "tests/packaging/setup_probe.h"

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwctype>
#include <memory>

#include "win/com_ptr.h"
#include "win/handle.h"
#include "win/registry.h"

namespace packaging_test {

namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW data{};
  win::UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find) return;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") visit(name, data);
  } while (FindNextFileW(find.Get(), &data));
}

}  // namespace

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

std::wstring ExpandEnvironment(const std::wstring& text) {
  const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  std::wstring expanded(size, L'\0');
  ExpandEnvironmentStringsW(text.c_str(), expanded.data(), size);
  expanded.resize(size ? size - 1 : 0);
  return expanded;
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> FolderEntries(const std::wstring& path) {
  std::vector<std::wstring> names;
  ForEachEntry(path,
               [&](const std::wstring& name, const WIN32_FIND_DATAW&) { names.push_back(name); });
  return names;
}

ULONGLONG FolderBytes(const std::wstring& path) {
  ULONGLONG bytes = 0;
  ForEachEntry(path, [&](const std::wstring& name, const WIN32_FIND_DATAW& data) {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      bytes += FolderBytes(path + L"\\" + name);
    else
      bytes += (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  });
  return bytes;
}

std::optional<Shortcut> ReadShortcut(const std::wstring& path) {
  win::ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return std::nullopt;
  win::ComPtr<IPersistFile> file;
  if (FAILED(link.As(IID_IPersistFile, std::addressof(file))) ||
      FAILED(file->Load(path.c_str(), STGM_READ)))
    return std::nullopt;
  wchar_t target[MAX_PATH] = {};
  wchar_t arguments[MAX_PATH] = {};
  wchar_t working_dir[MAX_PATH] = {};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) ||
      FAILED(link->GetArguments(arguments, MAX_PATH)) ||
      FAILED(link->GetWorkingDirectory(working_dir, MAX_PATH)))
    return std::nullopt;
  return Shortcut{target, arguments, working_dir};
}

std::optional<FileVersions> ReadFileVersions(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::string block(size, '\0');
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
      length < sizeof(VS_FIXEDFILEINFO))
    return std::nullopt;
  const auto text = [](DWORD high, DWORD low) {
    return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." +
           std::to_wstring(HIWORD(low)) + L"." + std::to_wstring(LOWORD(low));
  };
  return FileVersions{text(fixed->dwFileVersionMS, fixed->dwFileVersionLS),
                      text(fixed->dwProductVersionMS, fixed->dwProductVersionLS)};
}

std::vector<std::wstring> ClassesServedFrom(const std::wstring& folder) {
  std::vector<std::wstring> found;
  const std::wstring classes = L"Software\\Classes\\CLSID";
  win::UniqueRegKey root = win::OpenRegKey(HKEY_LOCAL_MACHINE, classes);
  if (!root) return found;
  const std::wstring prefix = Lower(folder + L"\\");
  for (DWORD index = 0;; ++index) {
    wchar_t name[64] = {};
    DWORD length = 64;
    const LSTATUS status =
        RegEnumKeyExW(root.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    for (const wchar_t* server : {L"InprocServer32", L"LocalServer32"}) {
      const auto path =
          win::ReadRegString(HKEY_LOCAL_MACHINE, classes + L"\\" + name + L"\\" + server, nullptr);
      if (!path) continue;
      std::wstring file = Lower(*path);
      if (!file.empty() && file.front() == L'"') file.erase(0, 1);
      if (file.compare(0, prefix.size(), prefix) == 0) found.push_back(name);
    }
  }
  return found;
}

namespace {

struct Permissions {
  win::UniqueLocalMemory descriptor;
  PACL dacl = nullptr;
};

std::optional<Permissions> ReadPermissions(const std::wstring& path) {
  Permissions read;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                            DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, nullptr,
                            nullptr, &read.dacl, nullptr, &descriptor) != ERROR_SUCCESS)
    return std::nullopt;
  read.descriptor.Reset(descriptor);
  return read;
}

bool IsAccount(PSID sid, WELL_KNOWN_SID_TYPE account) {
  BYTE wanted[SECURITY_MAX_SID_SIZE] = {};
  DWORD size = sizeof(wanted);
  return CreateWellKnownSid(account, nullptr, wanted, &size) && EqualSid(sid, wanted);
}

// Calls visit(sid, mask) for each allowing entry of the DACL.
template <typename Visit>
void ForEachAllowed(PACL dacl, Visit visit) {
  if (!dacl) return;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) continue;
    const auto* header = static_cast<ACE_HEADER*>(ace);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
      continue;
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    visit(static_cast<PSID>(&allowed->SidStart), allowed->Mask);
  }
}

}  // namespace

std::wstring SecurityText(const std::wstring& path) {
  const auto read = ReadPermissions(path);
  if (!read) return L"(unreadable)";
  LPWSTR text = nullptr;
  if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(
          read->descriptor.Get(), SDDL_REVISION_1,
          DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, &text, nullptr))
    return L"(not convertible)";
  win::UniqueLocalMemory owned(text);
  return text;
}

bool SetFolderSecurity(const std::wstring& path, const std::wstring& text) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    return false;
  win::UniqueLocalMemory owned(descriptor);
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  if (!GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted)) return false;
  return SetNamedSecurityInfoW(const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT,
                               DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                               nullptr) == ERROR_SUCCESS;
}

std::vector<std::wstring> UsersWhoMayChange(const std::wstring& path) {
  constexpr DWORD kChanges = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                             FILE_WRITE_ATTRIBUTES | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                             WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
  const std::pair<WELL_KNOWN_SID_TYPE, const wchar_t*> users[] = {
      {WinWorldSid, L"Everyone"},
      {WinAuthenticatedUserSid, L"Authenticated Users"},
      {WinBuiltinUsersSid, L"Users"},
      {WinInteractiveSid, L"Interactive"}};
  std::vector<std::wstring> found;
  const auto read = ReadPermissions(path);
  if (!read) return {L"(unreadable)"};
  ForEachAllowed(read->dacl, [&](PSID sid, ACCESS_MASK mask) {
    for (const auto& [account, name] : users)
      if ((mask & kChanges) && IsAccount(sid, account)) found.push_back(name);
  });
  return found;
}

bool HasFullControl(const std::wstring& path, WELL_KNOWN_SID_TYPE account) {
  bool full = false;
  const auto read = ReadPermissions(path);
  if (!read) return false;
  ForEachAllowed(read->dacl, [&](PSID sid, ACCESS_MASK mask) {
    if (IsAccount(sid, account) &&
        ((mask & FILE_ALL_ACCESS) == FILE_ALL_ACCESS || (mask & GENERIC_ALL)))
      full = true;
  });
  return full;
}

bool IsEmptyMachineKey(const std::wstring& key) {
  win::UniqueRegKey opened = win::OpenRegKey(HKEY_LOCAL_MACHINE, key);
  if (!opened) return false;
  DWORD subkeys = 0, values = 0;
  if (RegQueryInfoKeyW(opened.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return subkeys == 0 && values == 0;
}

std::wstring PendingRestartOperations() {
  const wchar_t* key = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ,
                   nullptr, nullptr, &bytes) != ERROR_SUCCESS)
    return {};
  std::wstring list(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ,
                   nullptr, list.data(), &bytes) != ERROR_SUCCESS)
    return {};
  std::wstring lines;
  for (size_t at = 0; at < list.size();) {
    const size_t end = list.find(L'\0', at);
    const std::wstring name =
        list.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at);
    if (!name.empty()) lines += name + L"\n";
    if (end == std::wstring::npos) break;
    at = end + 1;
  }
  return lines;
}

StartedProgram::StartedProgram(const std::wstring& command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring line = command_line;
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &info)) {
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
  }
}

StartedProgram::~StartedProgram() {
  if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT)
    TerminateProcess(process_.Get(), 1);
}

long StartedProgram::WaitExit(DWORD timeout_ms) {
  if (!process_ || WaitForSingleObject(process_.Get(), timeout_ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  return static_cast<long>(code);
}

bool SameText(const std::wstring& a, const std::wstring& b) { return Lower(a) == Lower(b); }

bool ContainsText(const std::wstring& text, const std::wstring& part) {
  return Lower(text).find(Lower(part)) != std::wstring::npos;
}

}  // namespace packaging_test
