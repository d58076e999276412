#include "graph/graph_layout.h"

namespace graph {

namespace {

int CountVisible(const TAxisMap& axes) {
  int n = 0;
  for (const auto& [id, axis] : axes) n += axis->IsHidden() ? 0 : 1;
  return n;
}

// Calls visit(axis, firstMap) for the visible axes of both maps in ascending id order, the axis
// of `first` before that of `second` at the same id.
template <typename Visit>
void InIdOrder(const TAxisMap& first, const TAxisMap& second, Visit visit) {
  auto a = first.begin(), b = second.begin();
  while (a != first.end() || b != second.end()) {
    bool takeFirst = b == second.end() || (a != first.end() && a->first <= b->first);
    const auto& entry = takeFirst ? *a++ : *b++;
    if (!entry.second->IsHidden()) visit(entry.second.get(), takeFirst);
  }
}

}  // namespace

TRect PlotArea(std::int32_t w, std::int32_t h) {
  TRect plot;
  if (w - 101 < 81) {
    plot.left = w / 2 - 10;
    plot.right = w / 2;
  } else {
    plot.left = 81;
    plot.right = w - 81;
  }
  if (h - 101 < 61) {
    plot.top = h / 2 - 10;
    plot.bottom = h / 2 + 10;
  } else {
    plot.top = 61;
    plot.bottom = h - 81;
  }
  return plot;
}

bool AnyVisible(const TAxisMap& axes) { return CountVisible(axes) > 0; }

void LayoutVertical(const TAxisMap& left, const TAxisMap& right, bool topVisible, const TRect& plot,
                    std::vector<TAxisSlot>& slots) {
  int nLeft = CountVisible(left), nRight = CountVisible(right);
  auto band = [&](bool isLeft, std::int32_t top, std::int32_t bottom) {
    return isLeft ? TRect{plot.left - kVerticalBand, top, plot.left, bottom}
                  : TRect{plot.right, top, plot.right + kVerticalBand, bottom};
  };
  if (nLeft <= 1 && nRight <= 1) {
    InIdOrder(left, right, [&](TAxis* axis, bool isLeft) {
      slots.push_back({axis, band(isLeft, plot.top, plot.bottom), !topVisible});
    });
    return;
  }
  const std::int32_t n = nLeft + nRight, h = plot.bottom - plot.top;
  std::int32_t s = 0;
  bool leftArrow = true, rightArrow = true;
  InIdOrder(left, right, [&](TAxis* axis, bool isLeft) {
    std::int32_t top = s * h / n + plot.top + 9;
    bool& arrow = isLeft ? leftArrow : rightArrow;
    slots.push_back({axis, band(isLeft, top, top + h / n - 9), arrow});
    arrow = false;
    ++s;
  });
}

void LayoutHorizontal(const TAxisMap& bottom, const TAxisMap& top, bool rightVisible,
                      const TRect& plot, std::vector<TAxisSlot>& slots) {
  int nBottom = CountVisible(bottom), nTop = CountVisible(top);
  auto band = [&](bool isBottom, std::int32_t left, std::int32_t right) {
    return isBottom ? TRect{left, plot.bottom, right, plot.bottom + kHorizontalBand}
                    : TRect{left, plot.top - kHorizontalBand, right, plot.top};
  };
  if (nBottom <= 1 && nTop <= 1) {
    InIdOrder(bottom, top, [&](TAxis* axis, bool isBottom) {
      slots.push_back({axis, band(isBottom, plot.left, plot.right), !rightVisible});
    });
    return;
  }
  const std::int32_t n = nBottom + nTop, w = plot.right - plot.left;
  std::int32_t s = 0;
  std::size_t lastBottom = slots.size(), lastTop = slots.size();
  bool sawBottom = false, sawTop = false;
  InIdOrder(bottom, top, [&](TAxis* axis, bool isBottom) {
    std::int32_t left = w * s / n + plot.left + 9;
    (isBottom ? lastBottom : lastTop) = slots.size();
    (isBottom ? sawBottom : sawTop) = true;
    slots.push_back({axis, band(isBottom, left, left + w / n - 9), false});
    ++s;
  });
  if (!rightVisible) {
    if (sawBottom) slots[lastBottom].arrow = true;
    if (sawTop) slots[lastTop].arrow = true;
  }
}

}  // namespace graph
