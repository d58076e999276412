// Browsing, item handles, and the attribute and aggregate lists of a session with the simulator.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "opc/opc_constants.h"
#include "tests/ambrel/ambrel_test_support.h"

namespace ambrel_test {
namespace {

class SimulatorSession : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(session_.Get(), AMBREL_NO_SESSION);
    ClearReports();
  }
  Session session_{kFullServer};
};

TEST_F(SimulatorSession, BrowseListsEveryItemOfTheLargeBranch) {
  const DWORD count = NumberOfHDAItems(session_.Get());
  ASSERT_GT(count, 5000u);
  std::set<std::string> names;
  for (DWORD i = 0; i < count; ++i) {
    char name[256] = {};
    ASSERT_EQ(GetHDAItemName(session_.Get(), i, name, sizeof name), TRUE);
    names.insert(name);
  }
  EXPECT_EQ(names.size(), count) << "duplicates";
  for (const char* id : {"Large/Item 0000", "Large/Item 4999", "Waves/Ramp 1s", "Names/Flow, inlet",
                         "Names/Tank 1.Level", "Control/Shutdown"}) {
    EXPECT_EQ(names.count(id), 1u) << id;
  }
  char name[8] = "same";
  EXPECT_EQ(GetHDAItemName(session_.Get(), count, name, sizeof name), FALSE);
  EXPECT_STREQ(name, "same");
  EXPECT_TRUE(Errors().empty());
  // A second browse gives the same list, not twice the list.
  EXPECT_EQ(NumberOfHDAItems(session_.Get()), count);
}

// Names outside ASCII come back in the ANSI code page: the prefix's is 1252, which holds them.
TEST_F(SimulatorSession, BrowsedNamesUseTheAnsiCodePage) {
  const DWORD count = NumberOfHDAItems(session_.Get());
  std::wstring wide = L"Names/Temp\u00E9rature ext\u00E9rieure";
  char expected[64] = {};
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, expected, sizeof expected, nullptr, nullptr);
  bool found = false;
  for (DWORD i = 0; i < count && !found; ++i) {
    char name[256] = {};
    GetHDAItemName(session_.Get(), i, name, sizeof name);
    found = std::strcmp(name, expected) == 0;
  }
  EXPECT_TRUE(found);
}

TEST_F(SimulatorSession, ItemNamesAreCutToTheBuffer) {
  const DWORD count = NumberOfHDAItems(session_.Get());
  ASSERT_GT(count, 0u);
  char full[256] = {};
  ASSERT_EQ(GetHDAItemName(session_.Get(), 0, full, sizeof full), TRUE);
  const DWORD length = static_cast<DWORD>(std::strlen(full));
  char cut[256];
  std::memset(cut, '#', sizeof cut);
  ASSERT_EQ(GetHDAItemName(session_.Get(), 0, cut, length), TRUE);
  EXPECT_EQ(std::string(cut), std::string(full, length - 1));
  EXPECT_EQ(cut[length], '#');
}

TEST_F(SimulatorSession, ItemHandlesComeAndGo) {
  const DWORD handle = GetHDAItemHandle(session_.Get(), "Waves/Ramp 1s", 42);
  ASSERT_NE(handle, AMBREL_NO_ITEM);
  EXPECT_EQ(ReleaseHDAItemHandle(session_.Get(), handle), TRUE);
  EXPECT_EQ(ReleaseHDAItemHandle(session_.Get(), handle), FALSE) << "released twice";
  EXPECT_TRUE(Errors().empty());
}

class UnknownItems : public SimulatorSession, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnknownItems, GiveNoHandleAndNoReport) {
  EXPECT_EQ(GetHDAItemHandle(session_.Get(), GetParam(), 1), AMBREL_NO_ITEM);
  EXPECT_TRUE(Errors().empty());
}

INSTANTIATE_TEST_SUITE_P(Ids, UnknownItems,
                         ::testing::Values("No/Such item", "", "Waves//Ramp 1s", "waves/ramp 1s"));

TEST_F(SimulatorSession, AttributeListHoldsTheStandardAttributes) {
  const DWORD count = NumberOfHDAAttributes(session_.Get());
  ASSERT_GT(count, 0u);
  std::set<DWORD> ids;
  for (DWORD i = 0; i < count; ++i) {
    DWORD id = 0;
    VARTYPE type = VT_ILLEGAL;
    char name[128] = {}, description[256] = {};
    ASSERT_EQ(GetHDAAttributeDescr(session_.Get(), i, &id, &type, name, sizeof name, description,
                                   sizeof description),
              TRUE);
    EXPECT_NE(name[0], '\0');
    ids.insert(id);
    if (id == OPCHDA_DESCRIPTION) {
      EXPECT_EQ(type, VT_BSTR);
    }
    if (id == OPCHDA_DATA_TYPE) {
      EXPECT_EQ(type, VT_I2);
    }
  }
  for (DWORD id : {OPCHDA_DATA_TYPE, OPCHDA_DESCRIPTION, OPCHDA_ENG_UNITS, OPCHDA_ITEMID}) {
    EXPECT_EQ(ids.count(id), 1u) << id;
  }
  DWORD id = 5;
  EXPECT_EQ(GetHDAAttributeDescr(session_.Get(), count, &id, nullptr, nullptr, 0, nullptr, 0),
            FALSE);
  EXPECT_EQ(id, 5u);
}

TEST_F(SimulatorSession, ADescriptionCutToItsBufferLeavesTheNameAlone) {
  ASSERT_GT(NumberOfHDAAttributes(session_.Get()), 0u);
  DWORD id = 0;
  VARTYPE type = 0;
  char name[64] = {}, description[256] = {};
  ASSERT_EQ(GetHDAAttributeDescr(session_.Get(), 0, &id, &type, name, sizeof name, description,
                                 sizeof description),
            TRUE);
  const std::string full_name = name;
  const DWORD length = static_cast<DWORD>(std::strlen(description));
  ASSERT_GT(length, 2u);
  char short_name[64];
  std::memset(short_name, '#', sizeof short_name);
  char short_description[256];
  std::memset(short_description, '#', sizeof short_description);
  ASSERT_EQ(GetHDAAttributeDescr(session_.Get(), 0, &id, &type, short_name, sizeof short_name,
                                 short_description, 3),
            TRUE);
  EXPECT_EQ(std::string(short_description), std::string(description, 2));
  EXPECT_EQ(short_description[3], '#');
  EXPECT_EQ(std::string(short_name), full_name);
}

TEST_F(SimulatorSession, AggregateListHoldsTheCommonAggregates) {
  const DWORD count = NumberOfHDAAggregates(session_.Get());
  ASSERT_GE(count, 10u);
  std::set<DWORD> ids;
  for (DWORD i = 0; i < count; ++i) {
    DWORD id = 0;
    char name[128] = {}, description[256] = {};
    ASSERT_EQ(GetHDAAggregateDescr(session_.Get(), i, &id, name, sizeof name, description,
                                   sizeof description),
              TRUE);
    ids.insert(id);
  }
  for (DWORD id : {1u, 3u, 4u, 5u, 8u, 10u, 11u, 12u, 13u, 2u}) EXPECT_EQ(ids.count(id), 1u) << id;
  EXPECT_EQ(GetHDAAggregateDescr(session_.Get(), count, nullptr, nullptr, 0, nullptr, 0), FALSE);
}

// A server without a single item: the browse finds nothing and reports nothing.
TEST(NumberOfHDAItems, EmptyServerGivesNoNamesAndNoReport) {
  Session session(kEmptyServer);
  ASSERT_NE(session.Get(), AMBREL_NO_SESSION);
  ClearReports();
  EXPECT_EQ(NumberOfHDAItems(session.Get()), 0u);
  char name[8] = "same";
  EXPECT_EQ(GetHDAItemName(session.Get(), 0, name, sizeof name), FALSE);
  EXPECT_STREQ(name, "same");
  EXPECT_EQ(GetHDAItemHandle(session.Get(), "Waves/Sine 1s", 1), AMBREL_NO_ITEM);
  EXPECT_TRUE(Errors().empty()) << Errors()[0].text;
}

struct BrowseFault {
  const char* server;
  HRESULT hr;
  const char* text;
};

class BrowseFaults : public ::testing::TestWithParam<BrowseFault> {};

// Each failed step is reported once with the server's HRESULT; the browse gives 0 and no names.
TEST_P(BrowseFaults, AreReportedAndGiveNoNames) {
  Session session(GetParam().server);
  ASSERT_NE(session.Get(), AMBREL_NO_SESSION);
  for (int round = 0; round < 2; ++round) {
    ClearReports();
    EXPECT_EQ(NumberOfHDAItems(session.Get()), 0u);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].hr, GetParam().hr);
    EXPECT_EQ(Errors()[0].text, GetParam().text);
    char name[8] = "same";
    EXPECT_EQ(GetHDAItemName(session.Get(), 0, name, sizeof name), FALSE);
    EXPECT_STREQ(name, "same");
  }
  // The session itself is sound: items of the full set still get their handles.
  Item item(session.Get(), "Waves/Sine 1s");
  EXPECT_NE(item.Get(), AMBREL_NO_ITEM);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, BrowseFaults,
    ::testing::Values(BrowseFault{kBrowseFailsServer, E_FAIL, "HDASvr::Create Browse Failed!"},
                      BrowseFault{kEnumFailsServer, E_ACCESSDENIED, "pBrowser->GetEnum Failed!"}));

}  // namespace
}  // namespace ambrel_test
