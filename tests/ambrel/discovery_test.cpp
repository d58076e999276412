// Server discovery: the local machine through the server browser, another machine (which Wine
// cannot reach) through the local categories after one report, and the list served by index.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/ambrel/ambrel_test_support.h"

namespace ambrel_test {
namespace {

std::vector<std::string> ServerNames(DWORD count) {
  std::vector<std::string> names;
  for (DWORD i = 0; i < count; ++i) {
    char name[256] = {};
    EXPECT_EQ(GetHDAServerName(i, name, sizeof name), TRUE);
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> SimulatorServers() {
  std::vector<std::string> names;
  for (int i = 1; i <= kSimulatorClasses; ++i) {
    names.push_back("Varnel.HdaSim." + std::to_string(i));
  }
  return Sorted(names);
}

// Only the simulator's classes: the prefix may hold other servers of the category.
std::vector<std::string> OnlySimulator(const std::vector<std::string>& names) {
  std::vector<std::string> ours;
  for (const std::string& name : names) {
    if (name.rfind("Varnel.HdaSim.", 0) == 0) ours.push_back(name);
  }
  return Sorted(ours);
}

class LocalNames : public ::testing::TestWithParam<const char*> {};

TEST_P(LocalNames, ListTheLocalServersWithoutReports) {
  ClearReports();
  const DWORD count = NumberOfHDAServers(GetParam());
  EXPECT_TRUE(Errors().empty()) << (Errors().empty() ? "" : Errors()[0].text);
  EXPECT_EQ(OnlySimulator(ServerNames(count)), SimulatorServers());
}

INSTANTIATE_TEST_SUITE_P(Spellings, LocalNames, ::testing::Values("", "local", "Local", "LOCAL"));

TEST(NumberOfHDAServers, RemoteMachineFallsBackToTheLocalCategoryAfterOneReport) {
  const std::vector<std::string> local = Sorted(ServerNames(NumberOfHDAServers("")));
  ClearReports();
  const DWORD count = NumberOfHDAServers("NOSUCHHOST");
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].hr, 0);
  EXPECT_EQ(Errors()[0].text, "Failed to Execute OPCENUM");
  const std::vector<std::string> fallback = Sorted(ServerNames(count));
  EXPECT_EQ(OnlySimulator(fallback), SimulatorServers());
  EXPECT_EQ(fallback, local);
}

TEST(NumberOfHDAServers, ASecondEnumerationReplacesTheFirst) {
  const DWORD first = NumberOfHDAServers("");
  ASSERT_GE(first, 11u);
  EXPECT_EQ(NumberOfHDAServers("local"), first);
  char name[256] = "untouched";
  EXPECT_EQ(GetHDAServerName(first, name, sizeof name), FALSE);
  EXPECT_STREQ(name, "untouched");
}

struct NameCopy {
  DWORD length_delta;  // buffer length = name length + this
  bool cut;
};

class ServerNameBuffers : public ::testing::TestWithParam<NameCopy> {};

TEST_P(ServerNameBuffers, CutAndTerminate) {
  const DWORD count = NumberOfHDAServers("");
  ASSERT_GT(count, 0u);
  char full[256] = {};
  ASSERT_EQ(GetHDAServerName(0, full, sizeof full), TRUE);
  ASSERT_GT(std::strlen(full), 1u);
  const DWORD length = static_cast<DWORD>(std::strlen(full)) + GetParam().length_delta;
  std::vector<char> buffer(length + 4, '#');
  EXPECT_EQ(GetHDAServerName(0, buffer.data(), length), TRUE);
  const std::string expected = GetParam().cut ? std::string(full, length - 1) : std::string(full);
  EXPECT_EQ(std::string(buffer.data()), expected);
  EXPECT_EQ(buffer[length], '#') << "wrote past the buffer";
}

INSTANTIATE_TEST_SUITE_P(Lengths, ServerNameBuffers,
                         ::testing::Values(NameCopy{1, false},  // room for the zero
                                           NameCopy{0, true},   // one byte too short
                                           NameCopy{2, false}));

TEST(GetHDAServerName, LengthOneGivesAnEmptyText) {
  ASSERT_GT(NumberOfHDAServers(""), 0u);
  char buffer[2] = {'#', '#'};
  EXPECT_EQ(GetHDAServerName(0, buffer, 1), TRUE);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], '#');
}

// Connecting by name to another machine takes the CLSID from the list of the last enumeration;
// Wine then fails the remote activation.
TEST(ConnectHDA, RemoteUsesTheListedClassAndReportsTheFailedActivation) {
  NumberOfHDAServers("");
  ClearReports();
  EXPECT_EQ(ConnectHDA("NOSUCHHOST", "Varnel.HdaSim.2"), AMBREL_NO_SESSION);
  for (const std::string& trace : Traces()) EXPECT_EQ(trace.rfind("CLSIDFromProgID", 0), std::string::npos);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].text,
            "CoCreateInstanceEx - failed for node:NOSUCHHOST ProgID:Varnel.HdaSim.2 (80040154)\n");
}

}  // namespace
}  // namespace ambrel_test
