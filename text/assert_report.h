// Non-fatal consistency checks. A failed check becomes one line,
//   "Assert in <source> line <number>: <message>",
// handed to the sink the message log installs. The line number is where the check is written.
// Execution always continues.
#pragma once

#include <cstdint>

#include "text/source_location.h"

using AssertSink = void (*)(const char16_t* line);

// Reports when `condition` is false, under the named source ("Axis", "Plot").
void AssertReport(const char16_t* message, const char* sourceName, bool condition,
                  SourceLocation where = SourceLocation::current());
// Reports when `condition` is false, under the file name (without directories) of the check.
void AssertReport(const char16_t* message, bool condition,
                  SourceLocation where = SourceLocation::current());
// A source name without a condition would turn into a condition that always holds.
void AssertReport(const char16_t* message, const char* sourceName,
                  SourceLocation where = SourceLocation::current()) = delete;

// Installs the sink (nullptr removes it) and returns the previous one. Reports made while no sink
// was installed are kept (the first kMaxKeptAssertReports, counting the rest) and handed to the new
// sink first, in the order they were made.
AssertSink SetAssertSink(AssertSink sink);

inline constexpr std::uint32_t kMaxKeptAssertReports = 1000;
