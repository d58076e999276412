#include <gtest/gtest.h>

#include <thread>

#include "platform/locale.h"

namespace {

class ForcedDecimalPoint {
 public:
  explicit ForcedDecimalPoint(char16_t point)
      : previous_(platform::SetDecimalPointForTesting(point)) {}
  ~ForcedDecimalPoint() { platform::SetDecimalPointForTesting(previous_); }
  ForcedDecimalPoint(const ForcedDecimalPoint&) = delete;
  ForcedDecimalPoint& operator=(const ForcedDecimalPoint&) = delete;

 private:
  char16_t previous_;
};

TEST(ScopedFileNumerics, ForcesThePointOnThisThreadOnlyAndNests) {
  ForcedDecimalPoint comma(u',');
  ASSERT_EQ(platform::DecimalPoint(), u',');
  {
    platform::ScopedFileNumerics outer;
    EXPECT_EQ(platform::DecimalPoint(), u'.');
    char16_t seenElsewhere = 0;
    std::thread([&seenElsewhere] { seenElsewhere = platform::DecimalPoint(); }).join();
    EXPECT_EQ(seenElsewhere, u',');
    {
      platform::ScopedFileNumerics inner;
      EXPECT_EQ(platform::DecimalPoint(), u'.');
    }
    EXPECT_EQ(platform::DecimalPoint(), u'.');  // the inner scope must not end the outer one
  }
  EXPECT_EQ(platform::DecimalPoint(), u',');
}

}  // namespace
