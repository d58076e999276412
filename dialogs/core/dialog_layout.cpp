#include "dialogs/core/dialog_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/assert_report.h"

namespace {

constexpr std::int32_t kModeUnit = 1000;
constexpr std::int32_t kIndexUnit = 1000;
constexpr std::int32_t kSecondIndexUnit = 1000000;

enum class Side { Near, Far };

struct EdgeRule {
  int mode;
  std::int32_t a;
  std::int32_t b;
};

EdgeRule Decode(std::int32_t code) {
  return {code % kModeUnit, code / kSecondIndexUnit, (code / kIndexUnit) % kIndexUnit};
}

std::int32_t Clamp32(double value) {
  return static_cast<std::int32_t>(std::clamp<double>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Edge 0..3 is left, top, right, bottom: the near and far edges of its axis.
std::int32_t EdgeOf(const TRect& rect, int edge, Side side) {
  const bool horizontal = edge == 0 || edge == 2;
  if (horizontal) return side == Side::Near ? rect.left : rect.right;
  return side == Side::Near ? rect.top : rect.bottom;
}

std::int32_t& EdgeRef(TRect& rect, int edge) {
  switch (edge) {
    case 0:
      return rect.left;
    case 1:
      return rect.top;
    case 2:
      return rect.right;
    default:
      return rect.bottom;
  }
}

bool ValidIndex(std::int32_t index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

// The new position of an edge recorded at `recorded`. Returns false when a reference the rule
// needs is not in the list.
bool FollowEdge(const std::vector<TLayoutEntry>& entries, int edge, std::int32_t code,
                std::int32_t recorded, std::int32_t& position) {
  const EdgeRule rule = Decode(code);
  const bool proportional = rule.mode >= kLayoutNearNear && rule.mode <= kLayoutFarFar;
  if (!ValidIndex(rule.a, entries.size()) ||
      (proportional && !ValidIndex(rule.b, entries.size()))) {
    AssertReport(u"Layout code refers to an entry that does not exist", false);
    return false;
  }
  const TLayoutEntry& a = entries[static_cast<std::size_t>(rule.a)];
  if (!proportional) {
    const Side side = rule.mode == kLayoutKeepFar ? Side::Far : Side::Near;
    const double moved =
        static_cast<double>(EdgeOf(a.current, edge, side)) - EdgeOf(a.recorded, edge, side);
    position = Clamp32(recorded + moved);
    return true;
  }
  const TLayoutEntry& b = entries[static_cast<std::size_t>(rule.b)];
  const Side sideA =
      rule.mode == kLayoutNearNear || rule.mode == kLayoutNearFar ? Side::Near : Side::Far;
  const Side sideB =
      rule.mode == kLayoutNearNear || rule.mode == kLayoutFarNear ? Side::Near : Side::Far;
  const double recordedA = EdgeOf(a.recorded, edge, sideA);
  const double recordedB = EdgeOf(b.recorded, edge, sideB);
  const double ratio =
      recordedA == recordedB ? 0.0 : (recorded - recordedA) / (recordedB - recordedA);
  const double newA = EdgeOf(a.current, edge, sideA);
  const double newB = EdgeOf(b.current, edge, sideB);
  position = Clamp32(std::floor(newA + ratio * (newB - newA)));
  return true;
}

bool IsEmpty(const TRect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

}  // namespace

void ComputeLayout(std::vector<TLayoutEntry>& entries, const TRect& new_client) {
  if (entries.empty() || IsEmpty(entries.front().recorded)) return;
  entries.front().current = new_client;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    TRect computed = entries[i].recorded;
    for (int edge = 0; edge < 4; ++edge) {
      std::int32_t position = 0;
      if (FollowEdge(entries, edge, entries[i].codes[edge], EdgeRef(computed, edge), position)) {
        EdgeRef(computed, edge) = position;
      }
    }
    entries[i].current = computed;
  }
}
