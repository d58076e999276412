#include "app/core/main_menus.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<int> Ids(const std::vector<MenuItemSpec>& items) {
  std::vector<int> ids;
  for (const MenuItemSpec& item : items) ids.push_back(item.id);
  return ids;
}

std::vector<std::u16string> Texts(const std::vector<MenuItemSpec>& items) {
  std::vector<std::u16string> texts;
  for (const MenuItemSpec& item : items) texts.emplace_back(item.text.Str());
  return texts;
}

// Two views (graph, then grid) per document, as document windows make them.
std::vector<ViewEntry> Documents(int count) {
  std::vector<ViewEntry> views;
  for (int i = 1; i <= count; ++i) {
    TString caption(u"Varnel");
    caption.Append(static_cast<char16_t>(u'0' + i));
    views.push_back({true, caption});
    views.push_back({false, caption});
  }
  return views;
}

TEST(MainMenus, ConnectionsUnderDisconnectAndBrowse) {
  MainMenuState state;
  state.connectionNames = {u"Varnel.HdaSim.1", u"plant7\\Varnel.HdaSim.2"};
  const DynamicMenus menus = BuildDynamicMenus(state);
  EXPECT_EQ(Ids(menus.disconnect), (std::vector<int>{9035, 9036}));
  EXPECT_EQ(Ids(menus.browse), (std::vector<int>{9053, 9054}));
  EXPECT_EQ(Texts(menus.browse),
            (std::vector<std::u16string>{u"Varnel.HdaSim.1", u"plant7\\Varnel.HdaSim.2"}));
  EXPECT_TRUE(BuildDynamicMenus(MainMenuState{}).disconnect.empty());
}

TEST(MainMenus, PeriodKindsGreyedUnlessUsableWithTheActiveKindChecked) {
  MainMenuState state;
  state.periodUsable = true;
  state.checkedPeriodCommand = 1225;
  DynamicMenus menus = BuildDynamicMenus(state);
  std::vector<int> expected;
  for (int id = 1211; id <= 1219; ++id) expected.push_back(id);
  expected.push_back(0);
  for (int id = 1220; id <= 1229; ++id) expected.push_back(id);
  EXPECT_EQ(Ids(menus.period), expected);
  EXPECT_EQ(Texts(menus.period).front(), u"The last ten seconds");
  EXPECT_EQ(Texts(menus.period)[10], u"One minutes");
  EXPECT_EQ(Texts(menus.period).back(), u"Another period");
  for (const MenuItemSpec& item : menus.period) {
    EXPECT_FALSE(item.grayed) << item.id;
    EXPECT_EQ(item.checked, item.id == 1225) << item.id;
  }
  state.periodUsable = false;
  state.language = 0;
  menus = BuildDynamicMenus(state);
  EXPECT_EQ(Texts(menus.period).front(), u"Les dix dernières secondes");
  for (const MenuItemSpec& item : menus.period) {
    EXPECT_EQ(item.grayed, !item.IsSeparator()) << item.id;
  }
}

TEST(MainMenus, WindowMenuListsGraphViewsAmongTheFirstEightViews) {
  struct Case {
    int documents;
    std::vector<int> ids;  // after Cascade and Tile; 0 the separator
  } const cases[] = {
      {0, {}},
      {1, {0, 9010}},
      {2, {0, 9010, 9011}},
      {4, {0, 9010, 9011, 9012, 9013}},
      {5, {0, 9010, 9011, 9012, 9013}},  // the fifth document's views are beyond the eighth
  };
  for (const Case& c : cases) {
    MainMenuState state;
    state.views = Documents(c.documents);
    const DynamicMenus menus = BuildDynamicMenus(state);
    EXPECT_EQ(Ids(menus.window), c.ids) << c.documents;
    EXPECT_EQ(menus.windowNames.size(), c.ids.empty() ? 0 : c.ids.size() - 1) << c.documents;
  }
  MainMenuState state;
  state.views = Documents(2);
  const DynamicMenus menus = BuildDynamicMenus(state);
  EXPECT_EQ(Texts(menus.window), (std::vector<std::u16string>{u"", u"Varnel1", u"Varnel2"}));
  // A grid view listed before its graph view does not count: only graph views are listed.
  state.views = {{false, TString(u"A")}, {true, TString(u"B")}};
  EXPECT_EQ(Texts(BuildDynamicMenus(state).window), (std::vector<std::u16string>{u"", u"B"}));
}

TEST(MainMenus, WindowCommandFindsTheViewOfItsCaption) {
  const std::vector<ViewEntry> views = Documents(3);
  const std::vector<TString> names = {u"Varnel1", u"Varnel3"};
  EXPECT_EQ(WindowMenuTarget(views, names, 0), std::optional<std::size_t>(0));
  EXPECT_EQ(WindowMenuTarget(views, names, 1), std::optional<std::size_t>(4));
  EXPECT_EQ(WindowMenuTarget(views, names, 2), std::nullopt);
  // A window renamed since the menu was built is not found.
  EXPECT_EQ(WindowMenuTarget(Documents(1), names, 1), std::nullopt);
}

TEST(MainMenus, CtrlTabStepsTwoViewsOnAndWrapsAtTheLastDocument) {
  struct Case {
    std::size_t views;
    std::optional<std::size_t> active;
    std::optional<std::size_t> next;
  } const cases[] = {
      {0, std::nullopt, std::nullopt},
      {1, 0, std::nullopt},
      {2, 0, 0},  // one document: it stays
      {4, 0, 2},  // two documents alternate, from the graph view or the grid view
      {4, 2, 0},
      {4, 1, 3},
      {4, 3, 0},
      {6, 3, 5},
      {6, 4, 0},
      {6, std::nullopt, 0},
      {6, 9, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextDocumentView(c.views, c.active), c.next)
        << c.views << " views, active " << c.active.value_or(99);
  }
}

TEST(MainMenus, RangesOfLikeCommandsShareOnePrompt) {
  struct Case {
    int command, text;
  } const cases[] = {
      {9035, 9035}, {9044, 9035}, {9045, 9045}, {9053, 9053},   {9062, 9053},   {9063, 9063},
      {9010, 9010}, {9017, 9010}, {9018, 9018}, {57616, 57616}, {57631, 57616}, {1207, 1207},
  };
  for (const Case& c : cases) EXPECT_EQ(PromptTextId(c.command), c.text) << c.command;
}

}  // namespace
