#include "ambrel/report.h"

#include <cstdio>

#include "ambrel/state.h"

namespace ambrel {

void ReportError(HRESULT hr, const std::string& text) {
  AmbrelState* state = TheState();
  if (state && state->error_callback_enabled) {
    // Enabled with a null pointer: the caller wants no boxes, and a call would crash.
    if (state->error_callback) state->error_callback(hr, text.c_str());
    return;
  }
  MessageBoxA(nullptr, text.c_str(), "Ambrel", MB_OK);
}

std::string TraceText(const char* step, HRESULT hr) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%08lx", static_cast<unsigned long>(hr));
  std::string text = std::string(step) + " HRESULT = 0x" + hex;
  if (text.size() > kTraceLimit) text.resize(kTraceLimit);
  return text;
}

void Trace(const char* step, HRESULT hr) {
  AmbrelState* state = TheState();
  if (!state || !state->event_callback_enabled || !state->event_callback) return;
  char buffer[kTraceLimit + 1];
  const std::string text = TraceText(step, hr);
  text.copy(buffer, kTraceLimit);
  buffer[text.size()] = '\0';
  state->event_callback(buffer);
}

}  // namespace ambrel
