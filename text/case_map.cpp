#include "text/case_map.h"

namespace {

// Blocks where upper and lower case alternate: the upper case at even or odd code points.
struct AlternatingRange {
  char16_t first;
  char16_t last;
  bool upperIsEven;
};
constexpr AlternatingRange kAlternating[] = {
    {0x0100, 0x012F, true},   // Latin Extended-A: A-macron .. i-ogonek
    {0x0132, 0x0137, true},   // IJ .. k-cedilla (dotted I and dotless i are apart)
    {0x0139, 0x0148, false},  // L-acute .. n-caron
    {0x014A, 0x0177, true},   // Eng .. y-circumflex
    {0x0179, 0x017E, false},  // Z-acute .. z-caron
    {0x0370, 0x0373, true},   // Greek Heta, archaic Sampi
    {0x0376, 0x0377, true},   // Greek Pamphylian Digamma
    {0x03D8, 0x03EF, true},   // archaic Greek letters and Coptic
    {0x03F7, 0x03F8, false},  // Sho
    {0x03FA, 0x03FB, true},   // San
    {0x0460, 0x0481, true},   // Cyrillic Omega .. Koppa
    {0x048A, 0x04BF, true},   // Short I with tail .. Abkhasian Che with descender
    {0x04C1, 0x04CE, false},  // Zhe with breve .. Em with tail
    {0x04D0, 0x052F, true},   // A with breve .. El with descender (and the supplement)
};

// Lower-case letters whose upper case lies elsewhere.
struct Pair {
  char16_t lower;
  char16_t upper;
};
constexpr Pair kSingles[] = {
    {0x00B5, 0x039C},                                      // micro sign -> Greek Mu
    {0x00FF, 0x0178},                                      // y-diaeresis
    {0x0131, 0x0049},                                      // dotless i
    {0x017F, 0x0053},                                      // long s
    {0x037B, 0x03FD}, {0x037C, 0x03FE}, {0x037D, 0x03FF},  // reversed lunate sigmas
    {0x03AC, 0x0386},                                      // alpha with tonos
    {0x03AD, 0x0388}, {0x03AE, 0x0389}, {0x03AF, 0x038A}, {0x03C2, 0x03A3},  // final sigma
    {0x03CC, 0x038C}, {0x03CD, 0x038E}, {0x03CE, 0x038F}, {0x03D0, 0x0392},
    {0x03D1, 0x0398}, {0x03D5, 0x03A6}, {0x03D6, 0x03A0}, {0x03D7, 0x03CF},  // kai
    {0x03F0, 0x039A}, {0x03F1, 0x03A1}, {0x03F2, 0x03F9}, {0x03F3, 0x037F},
    {0x03F5, 0x0395}, {0x04CF, 0x04C0},  // palochka
};

}  // namespace

char16_t UpperCaseOf(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
  // Latin-1 letters (not the division sign), Greek alpha..omega (not final sigma), Cyrillic a..ya.
  if ((c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) || (c >= 0x03B1 && c <= 0x03CB && c != 0x03C2) ||
      (c >= 0x0430 && c <= 0x044F)) {
    return static_cast<char16_t>(c - 0x20);
  }
  if (c >= 0x0450 && c <= 0x045F) return static_cast<char16_t>(c - 0x50);  // Cyrillic io .. dzhe
  for (const AlternatingRange& r : kAlternating) {
    if (c >= r.first && c <= r.last) {
      const bool isEven = (c & 1) == 0;
      return isEven == r.upperIsEven ? c : static_cast<char16_t>(c - 1);
    }
  }
  for (const Pair& p : kSingles) {
    if (p.lower == c) return p.upper;
  }
  return c;
}
