#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/lock.h"
#include "platform/screen.h"
#include "platform/timezone.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

TEST(Clock, RealClockAgreesWithTimeAndSeamOverrides) {
  double before = static_cast<double>(std::time(nullptr)) * 1000.0;
  double now = platform::CrtNowMs();
  EXPECT_GE(now, before);
  EXPECT_LT(now, before + 5000.0);
  EXPECT_EQ(now, static_cast<double>(static_cast<long long>(now)));  // whole milliseconds

  platform::SetClockForTesting([] { return 1234.0; });
  EXPECT_EQ(platform::CrtNowMs(), 1234.0);
  platform::SetClockForTesting(nullptr);
  EXPECT_GE(platform::CrtNowMs(), before);
}

TEST(TimeZone, SeamOverrides) {
  long real = platform::MinutesWestOfUtc();
  EXPECT_GE(real, -24 * 60);
  EXPECT_LE(real, 24 * 60);
  platform::SetMinutesWestForTesting(-60);
  EXPECT_EQ(platform::MinutesWestOfUtc(), -60);
  platform::SetMinutesWestForTesting(std::nullopt);
  EXPECT_EQ(platform::MinutesWestOfUtc(), real);
}

TEST(Screen, WorkAreaIsNonEmptyAndSeamOverrides) {
  platform::ScreenRect r = platform::WorkArea();
  EXPECT_GT(r.right - r.left, 0);
  EXPECT_GT(r.bottom - r.top, 0);
  platform::SetWorkAreaForTesting(platform::ScreenRect{0, 0, 800, 600});
  EXPECT_EQ(platform::WorkArea().right, 800);
  platform::SetWorkAreaForTesting(std::nullopt);
}

TEST(Locale, DecimalPointDefaultsToCLocaleAndSeamOverrides) {
  EXPECT_EQ(platform::DecimalPoint(), u'.');
  platform::SetDecimalPointForTesting(u',');
  EXPECT_EQ(platform::DecimalPoint(), u',');
  platform::SetDecimalPointForTesting(0);
  EXPECT_EQ(platform::DecimalPoint(), u'.');
}

TEST(Lock, IsRecursive) {
  platform::Lock lock;
  platform::LockGuard outer(lock);
  platform::LockGuard inner(lock);  // would deadlock if the lock were not recursive
  SUCCEED();
}

}  // namespace
