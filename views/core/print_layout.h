// The arithmetic of printing, without a device: the order of the pages of a range, the size of a
// window's picture on a page, the scale of the graph on a page, and the texts of the printing
// dialog.
#pragma once

#include <cstdint>

#include "text/tstring.h"

namespace views {

// A maximum page of 0xFFFF means the document does not know where it ends.
inline constexpr int kPrintNoLastPage = 0xFFFF;

// Pages first, first + step, ... last; step is -1 when the range was asked backwards.
struct PrintPageOrder {
  int first = 1;
  int last = 1;
  int step = 1;
  int Count() const { return (last - first) * step + 1; }
};

// From and to, each clamped to [minPage, maxPage] (maxPage raised to minPage when below it); the
// pages run from `from` to `to` inclusive, backwards when to < from.
PrintPageOrder OrderPrintPages(int from, int to, int minPage, int maxPage);

struct PrintSize {
  int width = 0;
  int height = 0;
};

// A picture of w x h on a page of W x H device pixels, at the page's top left: as wide as the page
// (floor(h * W / w) high) unless that is higher than the page, then as high as the page
// (floor(H * w / h) wide). Nothing for an empty picture or page.
PrintSize FitPictureToPage(int pageWidth, int pageHeight, int pictureWidth, int pictureHeight);

// The graph drawn for a client area of cw x ch on a page of pw x ph: the viewport's extent, the
// client size times f = min(ph / ch, pw / cw), each truncated. Nothing for an empty area.
PrintSize GraphPageExtent(int clientWidth, int clientHeight, int pageWidth, int pageHeight);

// The printing dialog shows at most 31 characters of the document's name.
inline constexpr std::uint32_t kPrintDocumentNameLength = 31;
TString PrintDocumentName(const TString& windowText);

}  // namespace views
