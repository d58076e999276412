// Texts for result codes (IOPCCommon::GetErrorString) and the locales they exist in.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace hdasim {

// Our own text for the OPC codes, the system's for the rest; empty for an unknown code.
std::wstring ErrorText(HRESULT code);

// English (United States) and the system and user defaults, which map to it.
const std::vector<LCID>& SupportedLocales();
bool IsSupportedLocale(LCID locale);

}  // namespace hdasim
