// GUIDs as the registry writes them: "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", upper-case hex.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace win {

std::wstring GuidText(const GUID& guid);
// Exactly that form (hex digits of either case); anything else, a ProgID included, is nothing.
std::optional<GUID> GuidFromText(std::wstring_view text);

}  // namespace win
