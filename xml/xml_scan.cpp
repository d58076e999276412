#include "xml/xml_scan.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Stops at the first difference; the name holds no NUL, so a NUL in the text ends the comparison.
bool Holds(const char16_t* p, const char16_t* name, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (p[i] != name[i]) return false;
  }
  return true;
}

}  // namespace

#if defined(__SSE2__)

// Eight characters at a time: the search that finds where a document's root, its waves and each
// wave end passes every character of tens of megabytes, and the first character of the names it
// looks for is rare there. The loads are aligned to 16 bytes, so none reaches into another page:
// what is read past the NUL lies in the block of the NUL itself and never decides the result.
// The address sanitiser would take those characters for a read past the text; it is told not to
// look here.
__attribute__((no_sanitize_address)) const char16_t* XmlFindText(const char16_t* p,
                                                                 const char16_t* name,
                                                                 std::size_t length) {
  for (; (reinterpret_cast<std::uintptr_t>(p) & 15) != 0; ++p) {
    if (*p == 0 || (*p == name[0] && Holds(p, name, length))) return p;
  }
  const __m128i first = _mm_set1_epi16(static_cast<short>(name[0]));
  const __m128i nul = _mm_setzero_si128();
  for (;; p += 8) {
    const __m128i block = _mm_load_si128(reinterpret_cast<const __m128i*>(p));
    unsigned found = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi16(block, first), _mm_cmpeq_epi16(block, nul))));
    // Two mask bits per character; each candidate is checked in text order.
    while (found != 0) {
      const char16_t* q = p + __builtin_ctz(found) / 2;
      if (*q == 0 || Holds(q, name, length)) return q;
      found &= found - 1;
      found &= found - 1;
    }
  }
}

#else

const char16_t* XmlFindText(const char16_t* p, const char16_t* name, std::size_t length) {
  for (; *p != 0; ++p) {
    if (*p == name[0] && Holds(p, name, length)) break;
  }
  return p;
}

#endif
