#include "text/assert_report.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "text/integer_text.h"
#include "text/source_location.h"

namespace {

std::mutex g_mutex;
std::vector<std::u16string> g_lines;

void Capture(const char16_t* line) {
  std::lock_guard<std::mutex> guard(g_mutex);
  g_lines.emplace_back(line);
}

// Starts every test with an empty capture: anything kept from earlier tests is drained first.
class AssertReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAssertSink(Capture);
    g_lines.clear();
  }
  void TearDown() override { SetAssertSink(nullptr); }
};

std::u16string Line(const char16_t* source, std::uint_least32_t line, const char16_t* message) {
  return std::u16string(u"Assert in ") + source + u" line " + IntegerText(line).Str() + u": " +
         message;
}

// Forwards its caller's place, as a helper that checks on behalf of its callers does.
void CheckOnBehalf(bool condition, SourceLocation where = SourceLocation::current()) {
  AssertReport(u"on behalf", "Helper", condition, where);
}

// Naming a source without a condition does not compile (it would be a condition that holds).
template <typename Second>
concept ReportsWith = requires(Second second) {
  AssertReport(u"m", second);
};
static_assert(ReportsWith<bool>);
static_assert(!ReportsWith<const char*>);

TEST_F(AssertReportTest, FormatsTheLineWithTheLineOfTheCheck) {
  const std::uint_least32_t line = __LINE__ + 1;
  AssertReport(u"bad index", "Axis", false);
  AssertReport(u"m", false);  // the file name stands for the source
  AssertReport(nullptr, nullptr, false);
  CheckOnBehalf(false);
  ASSERT_EQ(g_lines.size(), 4u);
  EXPECT_EQ(g_lines[0], Line(u"Axis", line, u"bad index"));
  EXPECT_EQ(g_lines[1], Line(u"assert_report_test.cpp", line + 1, u"m"));
  EXPECT_EQ(g_lines[2], Line(u"", line + 2, u""));
  EXPECT_EQ(g_lines[3], Line(u"Helper", line + 3, u"on behalf"));
}

TEST_F(AssertReportTest, HoldingConditionReportsNothing) {
  AssertReport(u"fine", "X", true);
  AssertReport(u"fine", true);
  CheckOnBehalf(true);
  EXPECT_TRUE(g_lines.empty());
}

TEST_F(AssertReportTest, KeepsReportsUntilASinkIsInstalled) {
  EXPECT_EQ(SetAssertSink(nullptr), &Capture);
  AssertReport(u"first", "A", false);
  AssertReport(u"second", "A", false);
  EXPECT_TRUE(g_lines.empty());
  EXPECT_EQ(SetAssertSink(Capture), nullptr);
  ASSERT_EQ(g_lines.size(), 2u);
  EXPECT_TRUE(g_lines[0].ends_with(u": first"));
  EXPECT_TRUE(g_lines[1].ends_with(u": second"));
  AssertReport(u"third", "A", false);
  EXPECT_TRUE(g_lines.back().ends_with(u": third"));
}

TEST_F(AssertReportTest, KeepsABoundedNumberAndCountsTheRest) {
  SetAssertSink(nullptr);
  for (std::uint32_t i = 0; i < kMaxKeptAssertReports + 5; ++i) {
    AssertReport(IntegerText(i).Str(), "A", false);
  }
  SetAssertSink(Capture);
  ASSERT_EQ(g_lines.size(), kMaxKeptAssertReports + 1);
  EXPECT_TRUE(g_lines.front().ends_with(u": 0"));
  EXPECT_TRUE(g_lines[kMaxKeptAssertReports - 1].ends_with(u": 999"));
  EXPECT_EQ(g_lines.back(), u"5 further assert reports were not kept");
}

TEST_F(AssertReportTest, ConcurrentReportsAllArrive) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 250; ++i) AssertReport(u"concurrent", "T", false);
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(g_lines.size(), 1000u);
}

}  // namespace
