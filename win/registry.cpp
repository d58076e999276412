#include "win/registry.h"

#include <cwchar>

namespace win {
namespace {

std::optional<std::wstring> ReadString(HKEY key, const wchar_t* path, const wchar_t* name) {
  // The value may grow between asking for its size and reading it: ask again then.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD bytes = 0;
    if (RegGetValueW(key, path, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
      return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegGetValueW(key, path, name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
  }
  return std::nullopt;
}

std::optional<DWORD> ReadDword(HKEY key, const wchar_t* path, const wchar_t* name) {
  DWORD value = 0;
  DWORD bytes = sizeof value;
  if (RegGetValueW(key, path, name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

}  // namespace

UniqueRegKey OpenRegKey(HKEY root, const std::wstring& path, REGSAM access) {
  UniqueRegKey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
  return key;
}

UniqueRegKey CreateRegKey(HKEY root, const std::wstring& path, REGSAM access) {
  UniqueRegKey key;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return {};
  return key;
}

bool RegKeyExists(HKEY root, const std::wstring& path) {
  return static_cast<bool>(OpenRegKey(root, path));
}

bool DeleteRegTree(HKEY root, const std::wstring& path) {
  const LSTATUS status = RegDeleteTreeW(root, path.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::optional<std::wstring> ReadRegString(HKEY key, const wchar_t* name) {
  return ReadString(key, nullptr, name);
}

std::optional<std::wstring> ReadRegString(HKEY root, const std::wstring& path,
                                          const wchar_t* name) {
  return ReadString(root, path.c_str(), name);
}

std::optional<DWORD> ReadRegDword(HKEY key, const wchar_t* name) {
  return ReadDword(key, nullptr, name);
}

std::optional<DWORD> ReadRegDword(HKEY root, const std::wstring& path, const wchar_t* name) {
  return ReadDword(root, path.c_str(), name);
}

bool WriteRegString(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool WriteRegDword(HKEY key, const wchar_t* name, DWORD value) {
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof value) == ERROR_SUCCESS;
}

bool WriteRegString(HKEY root, const std::wstring& path, const wchar_t* name,
                    const std::wstring& value) {
  const UniqueRegKey key = CreateRegKey(root, path);
  return key && WriteRegString(key.Get(), name, value);
}

bool WriteRegDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
  const UniqueRegKey key = CreateRegKey(root, path);
  return key && WriteRegDword(key.Get(), name, value);
}

}  // namespace win
