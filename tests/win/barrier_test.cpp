// The barriers: each kind of exception becomes its HRESULT (or the export's failure value), and
// the report names the function, what was caught and the answer.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "tests/win/report_capture.h"
#include "win/barrier.h"
#include "win/hresult_error.h"

namespace wintest {
namespace {

HRESULT SomeComMethod(const std::function<void()>& body) {
  return win::ComBarrier([&]() -> HRESULT {
    body();
    return S_FALSE;
  });
}

BOOL SomeExport(const std::function<void()>& body) {
  return win::Barrier<BOOL>(FALSE, [&]() -> BOOL {
    body();
    return TRUE;
  });
}

struct Case {
  const char* name;
  std::function<void()> thrower;
  HRESULT expected;
  const char* reported;  // in the report besides the function name
};

const Case kCases[] = {
    {"hresult", [] { throw win::HResultError(E_ACCESSDENIED, "OpenThing"); }, E_ACCESSDENIED,
     "HResultError \"OpenThing\", answering 0x80070005"},
    {"bad_alloc", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY, "std::bad_alloc"},
    {"invalid_argument", [] { throw std::invalid_argument("no such mode"); }, E_INVALIDARG,
     "std::invalid_argument \"no such mode\""},
    {"runtime_error", [] { throw std::runtime_error("disk gone"); }, E_FAIL,
     "std::exception \"disk gone\", answering 0x80004005"},
    {"unknown", [] { throw 42; }, E_UNEXPECTED, "unknown type"},
};

TEST(ComBarrier, EachExceptionKindBecomesItsHResultAndIsReported) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ReportCapture capture;
    EXPECT_EQ(SomeComMethod(c.thrower), c.expected);
    ASSERT_EQ(capture.Reports().size(), 1u);
    const std::string& report = capture.Reports()[0];
    EXPECT_NE(report.find("SomeComMethod"), std::string::npos) << report;
    EXPECT_NE(report.find("barrier_test.cpp:"), std::string::npos) << report;
    EXPECT_NE(report.find(c.reported), std::string::npos) << report;
  }
}

TEST(ComBarrier, ABodyThatReturnsPassesItsResultAndReportsNothing) {
  ReportCapture capture;
  EXPECT_EQ(SomeComMethod([] {}), S_FALSE);
  EXPECT_EQ(SomeExport([] {}), TRUE);
  EXPECT_TRUE(capture.Reports().empty());
}

TEST(Barrier, AnExceptionBecomesTheFailureValueAndIsReported) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ReportCapture capture;
    EXPECT_EQ(SomeExport(c.thrower), FALSE);
    ASSERT_EQ(capture.Reports().size(), 1u);
    EXPECT_NE(capture.Reports()[0].find("SomeExport"), std::string::npos);
    EXPECT_NE(capture.Reports()[0].find("answering its failure value"), std::string::npos);
  }
}

}  // namespace
}  // namespace wintest
