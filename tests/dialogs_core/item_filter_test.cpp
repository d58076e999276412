#include "dialogs/core/item_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TSearchString Item(const char* name) { return TSearchString(name); }

TEST(WordFilter, EveryWordInAnyCaseAndOrderCommaAsFullStop) {
  struct Case {
    const char16_t* filter;
    const char16_t* item;
    bool listed;
  } const cases[] = {
      {u"", u"Names/Flow, inlet", true},
      {u"   ", u"Names/Flow, inlet", true},
      {u"flow", u"Names/Flow, inlet", true},
      {u"INLET  flow", u"Names/Flow, inlet", true},
      {u"flow outlet", u"Names/Flow, inlet", false},
      {u"flow. inlet", u"Names/Flow, inlet", true},
      {u"1,level", u"Names/Tank 1.Level", true},
      {u"1.level", u"Names/Tank 1,Level", true},
      {u"tank 2", u"Names/Tank 1.Level", false},
      {u"area temp", u"Plant/Area 1/Line A/Temperature", true},
      {u"TEMP  area", u"Plant/Area 1/Line A/Temperature", true},
      {u"area pressure temp", u"Plant/Area 1/Line A/Temperature", false},
      {u"temp\u00C9rature", u"Names/Temp\u00E9rature ext\u00E9rieure", true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const WordFilter filter{TString(cases[i].filter)};
    EXPECT_EQ(filter.Matches(MakeSearchKey(cases[i].item)), cases[i].listed) << "case " << i;
  }
}

class FilterItemsTest : public ::testing::Test {
 protected:
  std::vector<TSearchString> items_ = {
      Item("Plant/Area 1/Line A/Temperature"),
      Item("Plant/Area 1/Line A/Pressure"),
      Item("Plant/Area 1/Line B/Temperature"),
      Item("Plant/Area 2/Speed"),
      Item("Names/Tank 1.Level"),
      Item("Tank10"),
      Item("Tank1"),
  };
  std::vector<std::size_t> Shown(const char16_t* filter, std::vector<TString> document = {},
                                 bool* selectFirst = nullptr) {
    const FilteredItems result = FilterItems(items_, TString(filter), document);
    if (selectFirst) *selectFirst = result.selectFirst;
    return result.shown;
  }
};

TEST_F(FilterItemsTest, ListsMatchesInBrowseOrderWithoutTheDocumentsItems) {
  bool select = false;
  EXPECT_EQ(Shown(u"", {}, &select), (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(select);
  EXPECT_EQ(Shown(u"temperature AREA"), (std::vector<std::size_t>{0, 2}));
  EXPECT_EQ(Shown(u"temperature  area", {u"Plant/Area 1/Line A/Temperature"}),
            (std::vector<std::size_t>{2}));
  EXPECT_EQ(Shown(u"1,level"), (std::vector<std::size_t>{4}));
  // A name that begins another item's name hides only itself.
  EXPECT_EQ(Shown(u"tank1", {u"Tank1"}), (std::vector<std::size_t>{5}));
  // A different letter case is another item.
  EXPECT_EQ(Shown(u"tank1", {u"TANK1"}), (std::vector<std::size_t>{5, 6}));
  EXPECT_TRUE(Shown(u"nothing like it", {}, &select).empty());
  EXPECT_FALSE(select);
}

TEST_F(FilterItemsTest, SpacesOnlyListEverythingAndSelectNothing) {
  bool select = true;
  EXPECT_EQ(Shown(u"   ", {u"Tank1"}, &select), (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_FALSE(select);
}

}  // namespace
