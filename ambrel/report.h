// The two ways the library talks to its caller about what happens: errors (the error callback,
// or a modal message box while none is enabled) and step-by-step traces (the event callback, or
// nowhere).
#pragma once

#include <windows.h>

#include <string>

namespace ambrel {

void ReportError(HRESULT hr, const std::string& text);

// Hands TraceText(step, hr) to the event callback, when one is enabled.
void Trace(const char* step, HRESULT hr);

}  // namespace ambrel
