#include "ambrel/report.h"

#include "ambrel/state.h"
#include "ambrel/text_conversion.h"

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
