// Number texts: printf-compatible formatting and strtod-like parsing, both independent of the C
// library's locale apart from the decimal separator, which is that of the current numeric locale.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t kNumberTextUnits = 256;
using NumberText = char16_t[kNumberTextUnits];

// The texts of the values that are not finite. NaN is written so that ParseNumber reads it back.
inline constexpr char16_t kInfinityText[] = u"INF";
inline constexpr char16_t kNaNText[] = u"1.#QNAN";

// Formats like printf: "%lG" above 1e13 in magnitude; "%.<decimals + 1>lG" for 5 or more decimals
// below 1 in magnitude; otherwise "%.<decimals>lf". Decimals are clamped to 0..18. Returns the
// length of the text written into destination.
std::uint32_t FormatNumber(double value, int decimals, NumberText& destination);

// Like printf "%.<decimals>lf" (decimals clamped to 0..18) up to 1e13 in magnitude; larger and
// non-finite values as FormatNumber writes them. Returns the length of the text.
std::uint32_t FormatFixed(double value, int decimals, NumberText& destination);

// FormatNumber with 3 decimals, without the trailing zeros of a fraction: 12.5, not 12.500.
std::uint32_t FormatNumberTrimmed(double value, NumberText& destination);

// Like printf "%.<significantDigits>lG" (uppercase E, at least two exponent digits). The decimal
// separator is decimalPoint, or the current locale's when it is 0. significantDigits is clamped
// to 0..200; 0 counts as 1, as in printf.
std::uint32_t FormatGeneral(double value, int significantDigits, NumberText& destination,
                            char16_t decimalPoint = 0);

// Removes the trailing zeros of the fraction of a number text, then a decimal point left last;
// "-0" becomes "0". Text without the locale's decimal point, or with an exponent, keeps its
// zeros. Returns the new length.
std::uint32_t TrimZeros(char16_t* text);

// Reads a number: "0x"/"0X" hexadecimal and "0b"/"0B" binary as unsigned 32-bit values
// (saturating), "1.#QNAN" in any case as NaN, anything else like strtod in the current numeric
// locale. Leading white space is skipped; reading stops at the first character that cannot
// belong to the number; text without a number gives 0.
double ParseNumber(const char16_t* text);
// The same with the decimal separator given: for numbers of files, read in bulk without asking
// the locale for each.
double ParseNumber(const char16_t* text, char16_t decimalPoint);
