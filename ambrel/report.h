// The two ways the library talks to its caller about what happens: errors (the error callback,
// or a modal message box while none is enabled) and step-by-step traces (the event callback, or
// nowhere).
#pragma once

#include <windows.h>

#include <string>

namespace ambrel {

void ReportError(HRESULT hr, const std::string& text);

// "<step> HRESULT = 0x<8 lower-case hex digits>", cut to 199 characters.
std::string TraceText(const char* step, HRESULT hr);
void Trace(const char* step, HRESULT hr);

}  // namespace ambrel
