#include "text/assert_report.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

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

TEST_F(AssertReportTest, FormatsTheLine) {
  struct Case {
    const char16_t* message;
    const char* source;
    int line;
    const char16_t* expected;
  } const cases[] = {
      {u"bad index", "graph/axis.cpp", 42, u"Assert in axis.cpp line 42: bad index"},
      {u"m", "C:\\src\\doc.cpp", 7, u"Assert in doc.cpp line 7: m"},
      {u"m", "plain.cpp", -1, u"Assert in plain.cpp line -1: m"},
      {nullptr, nullptr, 0, u"Assert in  line 0: "},
  };
  for (const Case& c : cases) AssertReport(c.message, c.source, false, c.line);
  ASSERT_EQ(g_lines.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(g_lines[i], cases[i].expected);
}

TEST_F(AssertReportTest, HoldingConditionReportsNothing) {
  AssertReport(u"fine", "x.cpp", true, 1);
  EXPECT_TRUE(g_lines.empty());
}

TEST_F(AssertReportTest, KeepsReportsUntilASinkIsInstalled) {
  EXPECT_EQ(SetAssertSink(nullptr), &Capture);
  AssertReport(u"first", "a.cpp", false, 1);
  AssertReport(u"second", "a.cpp", false, 2);
  EXPECT_TRUE(g_lines.empty());
  EXPECT_EQ(SetAssertSink(Capture), nullptr);
  EXPECT_EQ(g_lines, (std::vector<std::u16string>{u"Assert in a.cpp line 1: first",
                                                  u"Assert in a.cpp line 2: second"}));
  AssertReport(u"third", "a.cpp", false, 3);
  EXPECT_EQ(g_lines.back(), u"Assert in a.cpp line 3: third");
}

TEST_F(AssertReportTest, KeepsABoundedNumberAndCountsTheRest) {
  SetAssertSink(nullptr);
  for (std::uint32_t i = 0; i < kMaxKeptAssertReports + 5; ++i) {
    AssertReport(u"early", "a.cpp", false, static_cast<int>(i));
  }
  SetAssertSink(Capture);
  ASSERT_EQ(g_lines.size(), kMaxKeptAssertReports + 1);
  EXPECT_EQ(g_lines.front(), u"Assert in a.cpp line 0: early");
  EXPECT_EQ(g_lines[kMaxKeptAssertReports - 1], u"Assert in a.cpp line 999: early");
  EXPECT_EQ(g_lines.back(), u"5 further assert reports were not kept");
}

TEST_F(AssertReportTest, ConcurrentReportsAllArrive) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 250; ++i) AssertReport(u"concurrent", "t.cpp", false, t * 1000 + i);
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(g_lines.size(), 1000u);
}

}  // namespace
