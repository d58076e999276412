// CreateBrowse, IOPCHDA_Browser and IEnumString through the proxy.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/hdasim/hda_client.h"

namespace hdatest {
namespace {

// Every item the server has: 5000 in Large and 62 elsewhere.
constexpr std::size_t kItemCount = 5064;

struct Filter {
  DWORD attribute;
  int op;
  VARIANT value;  // owned by the test case
};

struct Browse {
  HRESULT call = E_FAIL;
  std::vector<HRESULT> errors;
  ComPtr<IOPCHDA_Browser> browser;
};

Browse CreateBrowse(Session& session, const std::vector<Filter>& filters) {
  std::vector<DWORD> ids;
  std::vector<OPCHDA_OPERATORCODES> ops;
  std::vector<VARIANT> values;
  for (const Filter& f : filters) {
    ids.push_back(f.attribute);
    ops.push_back(static_cast<OPCHDA_OPERATORCODES>(f.op));
    values.push_back(f.value);
  }
  // The arrays are reference pointers even when they are empty: they may not be null.
  DWORD no_id = 0;
  OPCHDA_OPERATORCODES no_op = OPCHDA_EQUAL;
  VARIANT no_value;
  VariantInit(&no_value);
  Browse b;
  HRESULT* errors = nullptr;
  b.call = session.Server()->CreateBrowse(
      static_cast<DWORD>(filters.size()), ids.empty() ? &no_id : ids.data(),
      ops.empty() ? &no_op : ops.data(), values.empty() ? &no_value : values.data(), &b.browser,
      &errors);
  if (errors) b.errors.assign(errors, errors + filters.size());
  CoTaskMemFree(errors);
  return b;
}

// Reads the enumerator `batch` strings per call; the desktop client asks for one at a time.
std::vector<std::wstring> Names(IOPCHDA_Browser* browser, OPCHDA_BROWSETYPE type,
                                HRESULT* result = nullptr, ULONG batch = 256) {
  ComPtr<IEnumString> names;
  const HRESULT hr = browser->GetEnum(type, &names);
  if (result) *result = hr;
  std::vector<std::wstring> out;
  if (!names) return out;
  std::vector<LPOLESTR> texts(batch);
  ULONG fetched = 0;
  HRESULT next = S_OK;
  while (next == S_OK) {
    next = names->Next(batch, texts.data(), &fetched);
    for (ULONG i = 0; i < fetched; ++i) {
      out.push_back(texts[i]);
      CoTaskMemFree(texts[i]);
    }
    if (fetched == 0) break;
  }
  return out;
}

std::wstring Position(IOPCHDA_Browser* browser) {
  LPWSTR text = nullptr;
  EXPECT_EQ(browser->GetBranchPosition(&text), S_OK);
  std::wstring position = text ? text : L"";
  CoTaskMemFree(text);
  return position;
}

VARIANT Short(SHORT n) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I2;
  V_I2(&v) = n;
  return v;
}

TEST(Browse, BranchesLeavesAndMoves) {
  Session session;
  Browse b = CreateBrowse(session, {});
  ASSERT_EQ(b.call, S_OK);
  ASSERT_TRUE(b.browser);
  IOPCHDA_Browser* browser = b.browser.Get();
  EXPECT_EQ(Names(browser, OPCHDA_BRANCH),
            (std::vector<std::wstring>{L"Waves", L"Dense", L"Types", L"Text", L"Qualities", L"Gaps",
                                       L"Names", L"Plant", L"Writable", L"Faults", L"Control",
                                       L"Large"}));
  HRESULT hr = S_OK;
  EXPECT_TRUE(Names(browser, OPCHDA_LEAF, &hr).empty());
  EXPECT_EQ(hr, S_FALSE);  // an empty enumerator, still handed out
  EXPECT_EQ(Position(browser), L"");

  EXPECT_EQ(browser->ChangeBrowsePosition(OPCHDA_BROWSE_DOWN, L"Plant"), S_OK);
  EXPECT_EQ(browser->ChangeBrowsePosition(OPCHDA_BROWSE_DOWN, L"Area 1"), S_OK);
  EXPECT_EQ(Position(browser), L"Plant/Area 1");
  EXPECT_EQ(Names(browser, OPCHDA_BRANCH), (std::vector<std::wstring>{L"Line A", L"Line B"}));
  EXPECT_EQ(Names(browser, OPCHDA_FLAT),
            (std::vector<std::wstring>{L"Plant/Area 1/Line A/Temperature",
                                       L"Plant/Area 1/Line A/Pressure",
                                       L"Plant/Area 1/Line B/Temperature"}));
  EXPECT_EQ(browser->ChangeBrowsePosition(OPCHDA_BROWSE_UP, L""), S_OK);
  EXPECT_EQ(Position(browser), L"Plant");
  EXPECT_EQ(Names(browser, OPCHDA_LEAF), (std::vector<std::wstring>{}));
  EXPECT_EQ(browser->ChangeBrowsePosition(OPCHDA_BROWSE_DOWN, L"Area 2"), S_OK);
  EXPECT_EQ(Names(browser, OPCHDA_ITEMS), (std::vector<std::wstring>{L"Speed"}));

  EXPECT_EQ(browser->ChangeBrowsePosition(OPCHDA_BROWSE_DIRECT, L"Plant/Area 2/Line C"), S_OK);
  EXPECT_EQ(Names(browser, OPCHDA_LEAF), (std::vector<std::wstring>{L"Flow"}));
  LPWSTR id = nullptr;
  ASSERT_EQ(browser->GetItemID(L"Flow", &id), S_OK);
  EXPECT_STREQ(id, L"Plant/Area 2/Line C/Flow");
  CoTaskMemFree(id);

  // Refusals leave the position where it was.
  EXPECT_EQ(browser->GetItemID(L"Pressure", &id), E_INVALIDARG);
  EXPECT_EQ(id, nullptr);
  EXPECT_EQ(browser->ChangeBrowsePosition(OPCHDA_BROWSE_DOWN, L"Nowhere"), E_INVALIDARG);
  EXPECT_EQ(browser->ChangeBrowsePosition(OPCHDA_BROWSE_DIRECT, L"Plant/Area 9"), E_INVALIDARG);
  ComPtr<IEnumString> none;
  EXPECT_EQ(browser->GetEnum(static_cast<OPCHDA_BROWSETYPE>(7), &none), E_INVALIDARG);
  EXPECT_FALSE(none);
  EXPECT_EQ(Position(browser), L"Plant/Area 2/Line C");
  EXPECT_EQ(browser->ChangeBrowsePosition(OPCHDA_BROWSE_DIRECT, L""), S_OK);
  EXPECT_EQ(browser->ChangeBrowsePosition(OPCHDA_BROWSE_UP, L""), E_FAIL);
  EXPECT_EQ(Position(browser), L"");
}

TEST(Browse, FlatBrowseAsTheClientDoesListsEveryItemOnce) {
  Session session;
  VARIANT star = Text(L"*");
  Browse b = CreateBrowse(session, {{0x0D, 1, star}});
  VariantClear(&star);
  ASSERT_EQ(b.call, S_OK);
  ASSERT_TRUE(b.browser);
  ASSERT_EQ(b.errors, std::vector<HRESULT>{S_OK});
  const std::vector<std::wstring> ids = Names(b.browser.Get(), OPCHDA_FLAT, nullptr, 1);
  ASSERT_EQ(ids.size(), kItemCount);
  EXPECT_EQ(ids.front(), L"Waves/Sine 1s");
  EXPECT_EQ(ids.back(), L"Large/Item 4999");
  EXPECT_EQ(std::set<std::wstring>(ids.begin(), ids.end()).size(), kItemCount);
  // Every one of them is a valid item ID: one call for all of them.
  std::vector<LPWSTR> pointers;
  for (const std::wstring& id : ids) pointers.push_back(const_cast<LPWSTR>(id.c_str()));
  HRESULT* errors = nullptr;
  EXPECT_EQ(session.Server()->ValidateItemIDs(static_cast<DWORD>(pointers.size()), pointers.data(),
                                              &errors),
            S_OK);
  CoTaskMemFree(errors);
}

TEST(Browse, FiltersSelectItemsAndReportWhatTheyIgnore) {
  Session session;
  struct Case {
    const char* what;
    std::vector<Filter> filters;
    std::vector<HRESULT> codes;
    std::size_t count;
    const wchar_t* one_of_them;
  };
  std::vector<Case> cases = {
      {"text items", {{0x01, OPCHDA_EQUAL, Short(VT_BSTR)}}, {S_OK}, 5, L"Writable/Empty text"},
      {"wildcard on the short name",
       {{0x0D, OPCHDA_EQUAL, Text(L"sine*")}},
       {S_OK},
       5,
       L"Dense/Sine 5ms"},
      {"wildcard, Latin-1 case folding",
       {{0x0D, OPCHDA_EQUAL, Text(L"*TEMP\u00C9RATURE*")}},
       {S_OK},
       1,
       L"Names/Temp\u00E9rature ext\u00E9rieure"},
      {"question mark", {{0x0D, OPCHDA_EQUAL, Text(L"Item 000?")}}, {S_OK}, 10, L"Large/Item 0007"},
      {"not equal",
       {{0x0D, OPCHDA_NOTEQUAL, Text(L"Item *")}},
       {S_OK},
       kItemCount - 5000,
       L"Types/I1"},
      {"numeric comparison", {{0x0B, OPCHDA_GREATER, Real(1e9)}}, {S_OK}, 5, L"Types/UI8"},
      {"units",
       {{0x03, OPCHDA_EQUAL, Text(L"\u00B0C")}},
       {S_OK},
       2,
       L"Plant/Area 1/Line B/Temperature"},
      {"two filters are both applied",
       {{0x01, OPCHDA_EQUAL, Short(VT_R8)}, {0x0D, OPCHDA_EQUAL, Text(L"*,*")}},
       {S_OK, S_OK},
       2,
       L"Names/Flow, inlet"},
      {"unknown attribute is ignored",
       {{0x7777, OPCHDA_EQUAL, Short(1)}},
       {OPC_E_UNKNOWNATTRID},
       kItemCount,
       nullptr},
      {"interval attributes are not filtered",
       {{0x0F, OPCHDA_EQUAL, Real(1)}},
       {OPC_W_NOFILTER},
       kItemCount,
       nullptr},
      {"texts have no order",
       {{0x02, OPCHDA_LESS, Text(L"x")}},
       {E_INVALIDARG},
       kItemCount,
       nullptr},
      {"no such operator", {{0x01, 9, Short(5)}}, {E_INVALIDARG}, kItemCount, nullptr},
      {"operand of the wrong type",
       {{0x01, OPCHDA_EQUAL, Text(L"five")}},
       {OPC_E_INVALIDDATATYPE},
       kItemCount,
       nullptr},
      {"bad and good filter",
       {{0x7777, OPCHDA_EQUAL, Short(1)}, {0x01, OPCHDA_EQUAL, Short(VT_BOOL)}},
       {OPC_E_UNKNOWNATTRID, S_OK},
       1,
       L"Types/BOOL"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    Browse b = CreateBrowse(session, c.filters);
    for (Filter& f : c.filters) VariantClear(&f.value);
    ASSERT_TRUE(b.browser);
    EXPECT_EQ(b.errors, c.codes);
    const bool all_ok =
        std::all_of(c.codes.begin(), c.codes.end(), [](HRESULT h) { return h == S_OK; });
    EXPECT_EQ(b.call, all_ok ? S_OK : S_FALSE);
    const std::vector<std::wstring> ids = Names(b.browser.Get(), OPCHDA_FLAT);
    EXPECT_EQ(ids.size(), c.count);
    if (c.one_of_them) {
      EXPECT_NE(std::find(ids.begin(), ids.end(), c.one_of_them), ids.end());
    }
  }
}

TEST(Browse, StringEnumeratorNextSkipResetClone) {
  Session session;
  Browse b = CreateBrowse(session, {});
  ASSERT_TRUE(b.browser);
  ASSERT_EQ(b.browser->ChangeBrowsePosition(OPCHDA_BROWSE_DIRECT, L"Gaps"), S_OK);
  ComPtr<IEnumString> names;
  ASSERT_EQ(b.browser->GetEnum(OPCHDA_LEAF, &names), S_OK);
  LPOLESTR texts[5] = {};
  ULONG fetched = 0;
  ASSERT_EQ(names->Next(2, texts, &fetched), S_OK);
  ASSERT_EQ(fetched, 2u);
  EXPECT_STREQ(texts[0], L"Last 20s of each minute 1s");
  EXPECT_STREQ(texts[1], L"10min of each hour 10s");
  for (ULONG i = 0; i < fetched; ++i) CoTaskMemFree(texts[i]);

  ComPtr<IEnumString> copy;
  ASSERT_EQ(names->Clone(&copy), S_OK);
  ASSERT_EQ(names->Next(5, texts, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u);
  EXPECT_STREQ(texts[0], L"From 2020 1s");
  CoTaskMemFree(texts[0]);
  EXPECT_EQ(names->Skip(1), S_FALSE);

  // The clone kept its own position.
  ASSERT_EQ(copy->Next(1, texts, &fetched), S_OK);
  EXPECT_STREQ(texts[0], L"From 2020 1s");
  CoTaskMemFree(texts[0]);
  ASSERT_EQ(copy->Reset(), S_OK);
  ASSERT_EQ(copy->Skip(2), S_OK);
  ASSERT_EQ(copy->Next(1, texts, &fetched), S_OK);
  EXPECT_STREQ(texts[0], L"From 2020 1s");
  CoTaskMemFree(texts[0]);
}

// Number 12 has no items at all: every browse is empty, no ID names an item.
TEST(Browse, EmptyClassHasNothingToBrowse) {
  Session session(L"Varnel.HdaSim.12");
  ASSERT_TRUE(session.Ok());
  wchar_t sine[] = L"Waves/Sine 1s";
  LPWSTR id = sine;
  Browse b = CreateBrowse(session, {{0x0D, OPCHDA_EQUAL, Text(L"*")}});
  ASSERT_EQ(b.call, S_OK);
  ASSERT_TRUE(b.browser);
  for (OPCHDA_BROWSETYPE type : {OPCHDA_FLAT, OPCHDA_BRANCH, OPCHDA_LEAF, OPCHDA_ITEMS}) {
    HRESULT hr = E_FAIL;
    EXPECT_TRUE(Names(b.browser.Get(), type, &hr).empty()) << type;
    EXPECT_EQ(hr, S_FALSE) << type;
  }
  EXPECT_EQ(b.browser->ChangeBrowsePosition(OPCHDA_BROWSE_DOWN, L"Waves"), E_INVALIDARG);
  HRESULT* errors = nullptr;
  ASSERT_EQ(session.Server()->ValidateItemIDs(1, &id, &errors), S_FALSE);
  EXPECT_EQ(errors[0], OPC_E_UNKNOWNITEMID);
  CoTaskMemFree(errors);
}

// Number 13 refuses to browse, number 14 hands out browsers that cannot enumerate.
TEST(Browse, FaultyClassesFailCreateBrowseAndGetEnum) {
  Session refusing(L"Varnel.HdaSim.13");
  ASSERT_TRUE(refusing.Ok());
  Browse none = CreateBrowse(refusing, {{0x0D, OPCHDA_EQUAL, Text(L"*")}});
  EXPECT_EQ(none.call, E_FAIL);
  EXPECT_FALSE(none.browser);
  EXPECT_TRUE(none.errors.empty()) << "a failed call returns no error array";

  Session blind(L"Varnel.HdaSim.14");
  ASSERT_TRUE(blind.Ok());
  Browse b = CreateBrowse(blind, {});
  ASSERT_EQ(b.call, S_OK);
  ASSERT_TRUE(b.browser);
  for (OPCHDA_BROWSETYPE type : {OPCHDA_FLAT, OPCHDA_BRANCH}) {
    ComPtr<IEnumString> names;
    EXPECT_EQ(b.browser->GetEnum(type, &names), E_ACCESSDENIED) << type;
    EXPECT_FALSE(names);
  }
  // Everything else of the class works: it has the full item set.
  EXPECT_EQ(b.browser->ChangeBrowsePosition(OPCHDA_BROWSE_DOWN, L"Waves"), S_OK);
  EXPECT_EQ(Position(b.browser.Get()), L"Waves");
  EXPECT_NE(blind.Handle(L"Waves/Sine 1s"), 0u);
}

}  // namespace
}  // namespace hdatest
