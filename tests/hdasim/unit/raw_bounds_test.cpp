// The standard's table of raw-read bounds, on a store holding values at 5:00, 5:02, 5:03, 5:05 and
// 5:06: every row, with and without bounds, straight on the value model.
#include "tools/hdasim/core/raw_read.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "opc/opc_codes.h"
#include "tools/hdasim/core/catalog.h"
#include "tools/hdasim/core/editing.h"

namespace hdasim {
namespace {

constexpr Ticks kNone = -1, kFirst = -2, kLast = -3;
constexpr std::uint32_t kNoCountLimit = 1000;

Ticks M(int hour, int minute) { return MakeTicks(1999, 9, 9, hour, minute); }

class RawBounds : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::optional<int> index = TheCatalog().FindItem(L"Writable/Empty R8");
    ASSERT_TRUE(index);
    item_ = &TheCatalog().Item(*index);
    const Ticks times[] = {M(5, 0), M(5, 2), M(5, 3), M(5, 5), M(5, 6)};
    for (int i = 0; i < 5; ++i) {
      const Sample sample{times[i], Value::Number(ValueKind::kR8, i), kDaGood};
      ASSERT_EQ(InsertValue(*item_, overlay_, kNow, sample), WriteOutcome::kInserted);
    }
  }

  static constexpr Ticks kNow = 0x01D0000000000000LL;  // long after 1999
  const ItemDefinition* item_ = nullptr;
  Overlay overlay_;
};

TEST_F(RawBounds, EveryRowOfTheTable) {
  struct Row {
    Ticks start, end;
    std::uint32_t n;
    std::vector<Ticks> with_bounds, without_bounds;
    bool more_with_bounds = false, more_without_bounds = false;
  };
  const Ticks m459 = M(4, 59), m457 = M(4, 57), m500 = M(5, 0), m501 = M(5, 1), m502 = M(5, 2),
              m503 = M(5, 3), m504 = M(5, 4), m505 = M(5, 5), m506 = M(5, 6), m507 = M(5, 7),
              m509 = M(5, 9);
  // The last two columns: whether more values exist than the count let through.
  const std::vector<Row> rows = {
      {m459, m459, 0, {}, {}},
      {m501, m501, 0, {}, {}},
      {m507, m507, 0, {}, {}},
      {m457, m459, 0, {kFirst, m500}, {}},
      {m501, m502, 0, {m500, m502}, {}},
      {m507, m509, 0, {m506, kLast}, {}},
      {m500, m505, 0, {m500, m502, m503, m505}, {m500, m502, m503}},
      {m501, m504, 0, {m500, m502, m503, m505}, {m502, m503}},
      {m505, m500, 0, {m505, m503, m502, m500}, {m505, m503, m502}},
      {m504, m501, 0, {m505, m503, m502, m500}, {m503, m502}},
      {m459, m505, 0, {kFirst, m500, m502, m503, m505}, {m500, m502, m503}},
      {m501, m507, 0, {m500, m502, m503, m505, m506, kLast}, {m502, m503, m505, m506}},
      {m500, m505, 3, {m500, m502, m503}, {m500, m502, m503}, true, false},
      {m501, m504, 3, {m500, m502, m503}, {m502, m503}, true, false},
      {m505, m500, 3, {m505, m503, m502}, {m505, m503, m502}, true, false},
      {m504, m501, 3, {m505, m503, m502}, {m503, m502}, true, false},
      {m459, m505, 3, {kFirst, m500, m502}, {m500, m502, m503}, true, false},
      {m501, m507, 3, {m500, m502, m503}, {m502, m503, m505}, true, true},
      {m500, kNone, 3, {m500, m502, m503}, {m500, m502, m503}, true, true},
      {m500, kNone, 6, {m500, m502, m503, m505, m506}, {m500, m502, m503, m505, m506}},
      {kNone, m506, 3, {m506, m505, m503}, {m506, m505, m503}, true, true},
      {kNone, m506, 6, {m506, m505, m503, m502, m500}, {m506, m505, m503, m502, m500}},
  };
  const ItemHistory history(*item_, &overlay_, kNow);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    const std::optional<ReadDomain> domain =
        MakeReadDomain(row.start == kNone ? std::nullopt : std::optional<Ticks>(row.start),
                       row.end == kNone ? std::nullopt : std::optional<Ticks>(row.end), row.n);
    ASSERT_TRUE(domain) << "row " << i;
    for (bool bounds : {true, false}) {
      SCOPED_TRACE(::testing::Message()
                   << "row " << i << (bounds ? " with bounds" : " without bounds"));
      const RawResult result = ReadRaw(history, *domain, bounds, row.n ? row.n : kNoCountLimit);
      std::vector<Ticks> got;
      for (const Sample& s : result.samples) {
        if ((s.quality & OPCHDA_NOBOUND) != 0) {
          EXPECT_EQ(s.value.kind, ValueKind::kEmpty);
          got.push_back(s.time == row.start ? kFirst : s.time == row.end ? kLast : s.time);
        } else {
          EXPECT_EQ(s.quality, OPCHDA_RAW | kDaGood);
          got.push_back(s.time);
        }
      }
      const std::vector<Ticks>& want = bounds ? row.with_bounds : row.without_bounds;
      EXPECT_EQ(got, want);
      const bool more = bounds ? row.more_with_bounds : row.more_without_bounds;
      EXPECT_EQ(result.status, want.empty() ? ReadStatus::kNoData
                               : more       ? ReadStatus::kMoreData
                                            : ReadStatus::kOk);
    }
  }
}

TEST_F(RawBounds, FewerThanTwoOfStartEndAndCountIsNoDomain) {
  EXPECT_FALSE(MakeReadDomain(M(5, 0), std::nullopt, 0));
  EXPECT_FALSE(MakeReadDomain(std::nullopt, M(5, 0), 0));
  EXPECT_FALSE(MakeReadDomain(std::nullopt, std::nullopt, 3));
}

}  // namespace
}  // namespace hdasim
