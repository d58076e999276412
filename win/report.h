// Where the Windows base says what went wrong (an exception a barrier caught, an apartment that
// could not be entered): one line of text to a sink. The debugger (OutputDebugString) hears it
// unless a program or a test installs a sink of its own.
#pragma once

namespace win {

using ReportSink = void (*)(const char* text);

// Installs `sink` for the whole module (null: the debugger again) and returns the previous one.
ReportSink SetReportSink(ReportSink sink);

// Hands one line to the installed sink. Never throws.
void Report(const char* text) noexcept;

}  // namespace win
