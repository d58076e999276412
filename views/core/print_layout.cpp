#include "views/core/print_layout.h"

#include <algorithm>
#include <cmath>

namespace views {

PrintPageOrder OrderPrintPages(int from, int to, int minPage, int maxPage) {
  maxPage = std::max(maxPage, minPage);
  PrintPageOrder order;
  order.first = std::clamp(from, minPage, maxPage);
  order.last = std::clamp(to, minPage, maxPage);
  order.step = order.last < order.first ? -1 : 1;
  return order;
}

PrintSize FitPictureToPage(int pageWidth, int pageHeight, int pictureWidth, int pictureHeight) {
  if (pageWidth <= 0 || pageHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return {};
  const std::int64_t fullWidthHeight = std::int64_t{pictureHeight} * pageWidth / pictureWidth;
  if (fullWidthHeight > pageHeight) {
    return {static_cast<int>(std::int64_t{pageHeight} * pictureWidth / pictureHeight), pageHeight};
  }
  return {pageWidth, static_cast<int>(fullWidthHeight)};
}

PrintSize GraphPageExtent(int clientWidth, int clientHeight, int pageWidth, int pageHeight) {
  if (clientWidth <= 0 || clientHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return {};
  const double factor = std::min(static_cast<double>(pageHeight) / clientHeight,
                                 static_cast<double>(pageWidth) / clientWidth);
  return {static_cast<int>(factor * clientWidth), static_cast<int>(factor * clientHeight)};
}

TString PrintDocumentName(const TString& windowText) {
  TString name(windowText);
  if (name.Length() > kPrintDocumentNameLength) name.SetLength(kPrintDocumentNameLength);
  return name;
}

}  // namespace views
