// The registry as the programs use it: key trees under a root (HKEY_CLASSES_ROOT,
// HKEY_CURRENT_USER, ...), string and DWORD values. `name` null or "" is the key's default value.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win/handle.h"

namespace win {

// An empty key when it cannot be opened (or created).
UniqueRegKey OpenRegKey(HKEY root, const std::wstring& path, REGSAM access = KEY_READ);
UniqueRegKey CreateRegKey(HKEY root, const std::wstring& path, REGSAM access = KEY_WRITE);
bool RegKeyExists(HKEY root, const std::wstring& path);
// Removes the key and everything below it; true also when there was nothing to remove.
bool DeleteRegTree(HKEY root, const std::wstring& path);

// Nothing when the value is missing or of another type. Strings of any length.
std::optional<std::wstring> ReadRegString(HKEY key, const wchar_t* name);
std::optional<std::wstring> ReadRegString(HKEY root, const std::wstring& path, const wchar_t* name);
std::optional<DWORD> ReadRegDword(HKEY key, const wchar_t* name);
std::optional<DWORD> ReadRegDword(HKEY root, const std::wstring& path, const wchar_t* name);

bool WriteRegString(HKEY key, const wchar_t* name, const std::wstring& value);
bool WriteRegDword(HKEY key, const wchar_t* name, DWORD value);
// Creates the key (and those above it) when needed, then writes.
bool WriteRegString(HKEY root, const std::wstring& path, const wchar_t* name,
                    const std::wstring& value);
bool WriteRegDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value);

}  // namespace win
