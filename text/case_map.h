// Upper-casing of single UTF-16 units, the same on every platform and in every locale.
#pragma once

// The simple (one unit to one unit) upper-case mapping for Basic Latin, Latin-1, Latin
// Extended-A, Greek and Coptic, and Cyrillic with its supplement; other units stay as they are.
char16_t UpperCaseOf(char16_t c);
