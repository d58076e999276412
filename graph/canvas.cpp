#include "graph/canvas.h"

#include <algorithm>

namespace graph {

TFontSpec TFontSpec::Make(const char16_t* faceName, int sizeTenths, int angleTenths,
                          TColor textColor) {
  TFontSpec spec;
  int i = 0;
  for (; faceName && faceName[i] && i < kFaceUnits - 1; ++i) spec.face[i] = faceName[i];
  spec.face[i] = 0;
  spec.tenths = std::clamp(sizeTenths, kMinTenths, kMaxTenths);
  spec.angle = angleTenths;
  spec.color = textColor;
  return spec;
}

bool TFontSpec::operator==(const TFontSpec& other) const {
  if (tenths != other.tenths || angle != other.angle || color != other.color) return false;
  for (int i = 0; i < kFaceUnits; ++i) {
    if (face[i] != other.face[i]) return false;
    if (face[i] == 0) break;
  }
  return true;
}

std::uint32_t TextLength(const char16_t* text) {
  std::uint32_t n = 0;
  while (text && text[n]) ++n;
  return n;
}

}  // namespace graph
