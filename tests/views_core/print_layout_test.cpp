#include <gtest/gtest.h>

#include <vector>

#include "views/core/print_layout.h"

namespace views {
namespace {

std::vector<int> Pages(const PrintPageOrder& order) {
  std::vector<int> pages;
  for (int p = order.first;; p += order.step) {
    pages.push_back(p);
    if (p == order.last) break;
  }
  return pages;
}

TEST(PrintPageOrder, RangesRunInTheOrderAskedAndStayInsideTheDocument) {
  const struct {
    int from, to, min, max;
    std::vector<int> pages;
  } cases[] = {
      {3, 1, 1, 5, {3, 2, 1}},
      {1, 3, 1, 5, {1, 2, 3}},
      {2, 2, 1, 5, {2}},
      {0, 9, 1, 3, {1, 2, 3}},  // clamped to the document
      {9, 0, 1, 3, {3, 2, 1}},
      {3, 1, 1, 1, {1}},  // a one-page document prints its page once
      {1, 1, 2, 0, {2}},  // a maximum below the minimum is raised to it
      {5, 7, 1, kPrintNoLastPage, {5, 6, 7}},
  };
  for (const auto& c : cases) {
    const PrintPageOrder order = OrderPrintPages(c.from, c.to, c.min, c.max);
    EXPECT_EQ(Pages(order), c.pages) << c.from << ".." << c.to << " in " << c.min << ".." << c.max;
    EXPECT_EQ(order.Count(), static_cast<int>(c.pages.size()));
  }
}

TEST(PrintPicture, WideWindowsFillThePageWidthAndTallOnesItsHeight) {
  const struct {
    int pageWidth, pageHeight, width, height;
    PrintSize expected;
  } cases[] = {
      // An A4 page at 300 dpi (portrait, then landscape) and a dialog wider than high.
      {2479, 3508, 400, 300, {2479, 1859}},  // floor(300 * 2479 / 400) = 1859.25
      {3508, 2479, 400, 300, {3305, 2479}},  // 2631 > 2479: floor(2479 * 400 / 300)
      // Tall and narrow: the page's height.
      {2479, 3508, 100, 400, {877, 3508}},
      // Exactly the page's proportions.
      {2000, 1000, 200, 100, {2000, 1000}},
      // Nothing to draw.
      {2479, 3508, 0, 300, {0, 0}},
      {0, 3508, 400, 300, {0, 0}},
  };
  for (const auto& c : cases) {
    const PrintSize size = FitPictureToPage(c.pageWidth, c.pageHeight, c.width, c.height);
    EXPECT_EQ(size.width, c.expected.width) << c.width << "x" << c.height << " on " << c.pageWidth;
    EXPECT_EQ(size.height, c.expected.height)
        << c.width << "x" << c.height << " on " << c.pageWidth;
    EXPECT_LE(size.width, c.pageWidth);
    EXPECT_LE(size.height, c.pageHeight);
  }
  // Large pictures on large pages do not overflow.
  const PrintSize big = FitPictureToPage(40000, 60000, 30000, 20000);
  EXPECT_EQ(big.width, 40000);
  EXPECT_EQ(big.height, 26666);
}

TEST(PrintGraph, TheClientAreaIsScaledByTheSmallerFactor) {
  EXPECT_EQ(GraphPageExtent(800, 400, 2479, 3508).width, 2479);   // f = 3.09875 by the width
  EXPECT_EQ(GraphPageExtent(800, 400, 2479, 3508).height, 1239);  // truncated
  EXPECT_EQ(GraphPageExtent(400, 800, 3508, 2479).width, 1239);   // f by the height
  EXPECT_EQ(GraphPageExtent(400, 800, 3508, 2479).height, 2479);
  EXPECT_EQ(GraphPageExtent(0, 800, 3508, 2479).width, 0);
}

TEST(PrintDocumentName, CutToThirtyOneCharacters) {
  const TString forty(u"0123456789012345678901234567890123456789");
  EXPECT_EQ(std::u16string(PrintDocumentName(forty).Str()), u"0123456789012345678901234567890");
  EXPECT_EQ(std::u16string(PrintDocumentName(TString(u"Varnel1")).Str()), u"Varnel1");
}

}  // namespace
}  // namespace views
