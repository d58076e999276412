// Server discovery: the local machine through the server browser, another machine (which Wine
// cannot reach) through the local categories after one report, and the list served by index;
// then what the reports say when the prefix's registry holds a class without ProgID or lacks the
// server browser or the component categories manager.
#include <comcat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/ambrel/ambrel_test_support.h"
#include "tests/ambrel/registry_setup.h"
#include "tests/support/process_ids.h"

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
  for (const std::string& trace : Traces())
    EXPECT_EQ(trace.rfind("CLSIDFromProgID", 0), std::string::npos);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].text,
            "CoCreateInstanceEx - failed for node:NOSUCHHOST ProgID:Varnel.HdaSim.2 (80040154)\n");
}

constexpr const char* kUnknown = "UNKNOWN";
constexpr const wchar_t* kServerListKey = L"CLSID\\{13486D51-4821-11D2-A494-3CB306C10000}";
constexpr const wchar_t* kCategoriesManagerKey = L"CLSID\\{0002E005-0000-0000-C000-000000000046}";

std::size_t CountOf(const std::vector<std::string>& names, const std::string& name) {
  return static_cast<std::size_t>(std::count(names.begin(), names.end(), name));
}

// A running simulator keeps serving its server-list class whatever the registry says: wait
// until the last one has ended (it lingers a few seconds after its last client).
bool NoSimulatorRuns() {
  return PumpUntil([] { return test_support::ProcessIdsOf(L"hdasim.exe").empty(); }, 20000);
}

// After a set-up is undone, discovery is back to what it was.
void ExpectTheSimulatorListedWithoutReports() {
  ClearReports();
  EXPECT_EQ(OnlySimulator(ServerNames(NumberOfHDAServers(""))), SimulatorServers());
  EXPECT_TRUE(Errors().empty());
}

// The browser cannot tell the class's ProgID: the class is listed all the same, as "UNKNOWN",
// and nothing is reported.
TEST(DiscoveryRegistry, BrowserListsAClassWithoutProgIdAsUnknown) {
  const std::vector<std::string> before = ServerNames(NumberOfHDAServers(""));
  {
    ClassWithoutProgId orphan;
    ASSERT_TRUE(orphan.Registered());
    ClearReports();
    const std::vector<std::string> names = ServerNames(NumberOfHDAServers(""));
    EXPECT_TRUE(Errors().empty()) << Errors()[0].text;
    EXPECT_EQ(CountOf(names, kUnknown), CountOf(before, kUnknown) + 1);
    EXPECT_EQ(names.size(), before.size() + 1);
    EXPECT_EQ(OnlySimulator(names), SimulatorServers());
  }
  ExpectTheSimulatorListedWithoutReports();
}

// Without the browser, the local categories skip the class with one report of its own.
TEST(DiscoveryRegistry, FallbackSkipsAClassWithoutProgIdWithOneReport) {
  {
    ClassWithoutProgId orphan;
    ASSERT_TRUE(orphan.Registered());
    LPOLESTR none = nullptr;
    const HRESULT expected = ProgIDFromCLSID(ClassWithoutProgId::Clsid(), &none);
    CoTaskMemFree(none);
    ASSERT_TRUE(FAILED(expected));
    ClearReports();
    const std::vector<std::string> names = ServerNames(NumberOfHDAServers("NOSUCHHOST"));
    ASSERT_EQ(Errors().size(), 2u);
    EXPECT_EQ(Errors()[0].hr, 0);
    EXPECT_EQ(Errors()[0].text, "Failed to Execute OPCENUM");
    EXPECT_EQ(Errors()[1].hr, expected);
    EXPECT_EQ(Errors()[1].text, "Error from ProgIDFromCLSID");
    EXPECT_EQ(CountOf(names, kUnknown), 0u);
    EXPECT_EQ(OnlySimulator(names), SimulatorServers());
  }
  ExpectTheSimulatorListedWithoutReports();
}

// A machine without the server browser is this machine too: one report, then the local
// categories.
TEST(DiscoveryRegistry, WithoutTheServerBrowserTheLocalMachineFallsBack) {
  const std::vector<std::string> local = Sorted(ServerNames(NumberOfHDAServers("")));
  ASSERT_TRUE(NoSimulatorRuns());
  {
    HiddenClassesKey browser(kServerListKey);
    ASSERT_TRUE(browser.Hidden());
    ClearReports();
    const std::vector<std::string> names = ServerNames(NumberOfHDAServers("LOCAL"));
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].hr, 0);
    EXPECT_EQ(Errors()[0].text, "Failed to Execute OPCENUM");
    EXPECT_EQ(Sorted(names), local);
  }
  ExpectTheSimulatorListedWithoutReports();
}

// Neither the browser nor the categories manager: two reports and an empty list, which replaces
// the one before.
TEST(DiscoveryRegistry, WithoutTheCategoriesManagerTheListIsEmpty) {
  ASSERT_GT(NumberOfHDAServers(""), 0u);
  {
    HiddenClassesKey manager(kCategoriesManagerKey);
    ASSERT_TRUE(manager.Hidden());
    IUnknown* none = nullptr;
    const HRESULT expected =
        CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IUnknown, reinterpret_cast<void**>(&none));
    if (none) none->Release();
    ASSERT_TRUE(FAILED(expected));
    ClearReports();
    EXPECT_EQ(NumberOfHDAServers("NOSUCHHOST"), 0u);
    ASSERT_EQ(Errors().size(), 2u);
    EXPECT_EQ(Errors()[0].hr, 0);
    EXPECT_EQ(Errors()[0].text, "Failed to Execute OPCENUM");
    EXPECT_EQ(Errors()[1].hr, expected);
    EXPECT_EQ(Errors()[1].text,
              "Error from CoCreateInstance for CLSID_StdComponentCategoriesMgr\n");
    char name[16] = "untouched";
    EXPECT_EQ(GetHDAServerName(0, name, sizeof name), FALSE);
    EXPECT_STREQ(name, "untouched");
  }
  ExpectTheSimulatorListedWithoutReports();
}

}  // namespace
}  // namespace ambrel_test
