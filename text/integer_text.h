// Whole numbers as decimal text, independent of the C library's locale: the one conversion every
// log line, element name and message uses.
#pragma once

#include <cstdint>

#include "text/tstring.h"

// Appends the digits of `value`, after a '-' when it is negative.
void AppendInteger(TString& text, std::int64_t value);

TString IntegerText(std::int64_t value);
