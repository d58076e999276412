// The cells of an exported CSV file (RFC 4180, UTF-8): fields quoted where they must be, time
// stamps in ISO 8601 local time with the zone's offset, numbers in the invariant form whatever
// the user's locale, so that a spreadsheet anywhere reads the same values back.
#pragma once

#include <string>
#include <string_view>

#include "text/tstring.h"

// The field as written: quoted when it holds a comma, a quote, CR or LF, or starts or ends with
// a space (a spreadsheet would trim it), its quotes doubled.
std::string CsvField(std::string_view text);
// A text value: its UTF-8, as a field.
std::string CsvTextCell(const TString& text);
// The shortest decimal that reads back as the same double ("0.1", "1e+21"; zero as "0", never
// "-0"); values that are not
// numbers as .NET's invariant culture writes them: "NaN", "Infinity", "-Infinity".
std::string CsvNumberCell(double value);
// "2024-03-31T03:00:00.000+02:00": the local time the program shows for the time stamp
// (milliseconds since 1970 UTC) with the offset in force at that instant.
std::string CsvTimeCell(double timeStamp);
