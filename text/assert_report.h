// Non-fatal consistency checks. A failed check becomes one line,
//   "Assert in <source> line <number>: <message>",
// handed to the sink the message log installs. Execution always continues.
#pragma once

#include <cstdint>

using AssertSink = void (*)(const char16_t* line);

// Reports when `condition` is false. sourceName is usually __FILE__; only its file name is kept.
void AssertReport(const char16_t* message, const char* sourceName, bool condition, int line);

// Installs the sink (nullptr removes it) and returns the previous one. Reports made while no sink
// was installed are kept (the first kMaxKeptAssertReports, counting the rest) and handed to the new
// sink first, in the order they were made.
AssertSink SetAssertSink(AssertSink sink);

inline constexpr std::uint32_t kMaxKeptAssertReports = 1000;
