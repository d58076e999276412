// IOPCHDA_Server and IOPCCommon through the proxy, and what each server class offers.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "tests/hdasim/hda_client.h"

namespace hdatest {
namespace {

std::wstring ProgId(int n) { return L"Varnel.HdaSim." + std::to_wstring(n); }

TEST(HdaServer, ListsTheStandardAttributesAndAggregates) {
  Session session;
  ASSERT_TRUE(session.Ok());
  DWORD count = 0;
  DWORD* ids = nullptr;
  LPWSTR *names = nullptr, *descriptions = nullptr;
  VARTYPE* types = nullptr;
  ASSERT_EQ(session.Server()->GetItemAttributes(&count, &ids, &names, &descriptions, &types), S_OK);
  std::map<DWORD, std::pair<std::wstring, VARTYPE>> attributes;
  for (DWORD i = 0; i < count; ++i) {
    attributes[ids[i]] = {names[i], types[i]};
    EXPECT_NE(descriptions[i][0], L'\0');
    CoTaskMemFree(names[i]);
    CoTaskMemFree(descriptions[i]);
  }
  CoTaskMemFree(ids);
  CoTaskMemFree(names);
  CoTaskMemFree(descriptions);
  CoTaskMemFree(types);
  const std::map<DWORD, std::pair<std::wstring, VARTYPE>> standard = {
      {0x01, {L"Data Type", VT_I2}},          {0x02, {L"Description", VT_BSTR}},
      {0x03, {L"Eng Units", VT_BSTR}},        {0x04, {L"Stepped", VT_BOOL}},
      {0x05, {L"Archiving", VT_BOOL}},        {0x06, {L"Derive Equation", VT_BSTR}},
      {0x07, {L"Node Name", VT_BSTR}},        {0x08, {L"Process Name", VT_BSTR}},
      {0x09, {L"Source Name", VT_BSTR}},      {0x0A, {L"Source Type", VT_BSTR}},
      {0x0B, {L"Normal Maximum", VT_R8}},     {0x0C, {L"Normal Minimum", VT_R8}},
      {0x0D, {L"ItemID", VT_BSTR}},           {0x0E, {L"Max Time Interval", VT_CY}},
      {0x0F, {L"Min Time Interval", VT_CY}},  {0x10, {L"Exception Deviation", VT_R8}},
      {0x11, {L"Exception Dev Type", VT_I2}}, {0x12, {L"High Entry Limit", VT_R8}},
      {0x13, {L"Low Entry Limit", VT_R8}},
  };
  for (const auto& [id, entry] : standard) {
    ASSERT_TRUE(attributes.count(id)) << id;
    EXPECT_EQ(attributes[id], entry) << id;
  }
  EXPECT_TRUE(attributes.count(0x80000001));  // our sample period

  DWORD aggregate_count = 0;
  DWORD* aggregate_ids = nullptr;
  LPWSTR *aggregate_names = nullptr, *aggregate_descriptions = nullptr;
  ASSERT_EQ(session.Server()->GetAggregates(&aggregate_count, &aggregate_ids, &aggregate_names,
                                            &aggregate_descriptions),
            S_OK);
  std::map<DWORD, std::wstring> aggregates;
  for (DWORD i = 0; i < aggregate_count; ++i) {
    aggregates[aggregate_ids[i]] = aggregate_names[i];
    CoTaskMemFree(aggregate_names[i]);
    CoTaskMemFree(aggregate_descriptions[i]);
  }
  CoTaskMemFree(aggregate_ids);
  CoTaskMemFree(aggregate_names);
  CoTaskMemFree(aggregate_descriptions);
  const std::map<DWORD, std::wstring> required = {
      {1, L"Interpolative"}, {2, L"Total"},   {3, L"Average"},  {4, L"Time Average"},
      {5, L"Count"},         {8, L"Minimum"}, {10, L"Maximum"}, {11, L"Start"},
      {12, L"End"},          {13, L"Delta"}};
  for (const auto& [id, name] : required) EXPECT_EQ(aggregates[id], name) << id;
}

TEST(HdaServer, HistorianStatus) {
  Session session;
  OPCHDA_SERVERSTATUS status{};
  FILETIME *now = nullptr, *started = nullptr;
  WORD major = 0, minor = 0, build = 0;
  DWORD max = 0;
  LPWSTR text = nullptr, vendor = nullptr;
  const Ticks before = SystemNow();
  ASSERT_EQ(session.Server()->GetHistorianStatus(&status, &now, &started, &major, &minor, &build,
                                                 &max, &text, &vendor),
            S_OK);
  EXPECT_EQ(status, OPCHDA_UP);
  ASSERT_NE(now, nullptr);
  ASSERT_NE(started, nullptr);
  EXPECT_LE(FromFileTime(*started), FromFileTime(*now));
  EXPECT_LE(std::llabs(FromFileTime(*now) - before), 10 * kSecond);
  EXPECT_EQ(max, 100000u);
  EXPECT_STREQ(text, L"Running");
  ASSERT_NE(vendor, nullptr);
  EXPECT_NE(vendor[0], L'\0');
  CoTaskMemFree(now);
  CoTaskMemFree(started);
  CoTaskMemFree(text);
  CoTaskMemFree(vendor);
}

TEST(HdaServer, ItemHandlesAndValidationReportEachItem) {
  Session session;
  struct Case {
    const wchar_t* id;
    HRESULT code;
  } cases[] = {
      {L"Waves/Sine 1s", S_OK},
      {L"", OPC_E_INVALIDITEMID},
      {L"Waves//Sine 1s", OPC_E_INVALIDITEMID},
      {L"/Waves/Sine 1s", OPC_E_INVALIDITEMID},
      {L"Waves/Sine 2s", OPC_E_UNKNOWNITEMID},
      {L"Waves", OPC_E_UNKNOWNITEMID},
      {L"waves/sine 1s", OPC_E_UNKNOWNITEMID},  // IDs are case-sensitive
      {L"Names/Tank 1.Level", S_OK},
      {L"Names/F\u00FCllstand Beh\u00E4lter", S_OK},
  };
  std::vector<LPWSTR> ids;
  std::vector<OPCHANDLE> clients;
  for (const Case& c : cases) {
    ids.push_back(const_cast<LPWSTR>(c.id));
    clients.push_back(static_cast<OPCHANDLE>(100 + clients.size()));
  }
  const DWORD n = static_cast<DWORD>(ids.size());
  OPCHANDLE* handles = nullptr;
  HRESULT* errors = nullptr;
  ASSERT_EQ(session.Server()->GetItemHandles(n, ids.data(), clients.data(), &handles, &errors),
            S_FALSE);
  std::set<OPCHANDLE> distinct;
  for (DWORD i = 0; i < n; ++i) {
    EXPECT_EQ(errors[i], cases[i].code) << i;
    if (errors[i] == S_OK) {
      EXPECT_TRUE(distinct.insert(handles[i]).second);
    } else {
      EXPECT_EQ(handles[i], 0u) << i;
    }
  }
  const OPCHANDLE good = handles[0];
  CoTaskMemFree(handles);
  CoTaskMemFree(errors);

  ASSERT_EQ(session.Server()->ValidateItemIDs(n, ids.data(), &errors), S_FALSE);
  for (DWORD i = 0; i < n; ++i) EXPECT_EQ(errors[i], cases[i].code) << i;
  CoTaskMemFree(errors);

  // A handle belongs to the server object that gave it out, until released.
  Session other(L"Varnel.HdaSim.4");
  ReadResult foreign = other.ReadRaw(HdaTime::Absolute(At(2020, 1, 1)),
                                     HdaTime::Absolute(At(2020, 1, 1, 0, 0, 3)), 0, false, {good});
  EXPECT_EQ(foreign.items[0].error, OPC_E_INVALIDHANDLE);
  OPCHANDLE release[] = {good, good};
  ASSERT_EQ(session.Server()->ReleaseItemHandles(2, release, &errors), S_FALSE);
  EXPECT_EQ(errors[0], S_OK);
  EXPECT_EQ(errors[1], OPC_E_INVALIDHANDLE);
  CoTaskMemFree(errors);
  ReadResult released =
      session.ReadRaw(HdaTime::Absolute(At(2020, 1, 1)), HdaTime::Absolute(At(2020, 1, 1, 0, 0, 3)),
                      0, false, {good});
  EXPECT_EQ(released.items[0].error, OPC_E_INVALIDHANDLE);
}

TEST(HdaServer, EmptyRequestsFailWithEveryOutputNull) {
  Session session;
  OPCHANDLE* handles = reinterpret_cast<OPCHANDLE*>(1);
  HRESULT* errors = reinterpret_cast<HRESULT*>(1);
  LPWSTR id = const_cast<LPWSTR>(L"Waves/Sine 1s");
  OPCHANDLE client = 1;
  EXPECT_EQ(session.Server()->GetItemHandles(0, &id, &client, &handles, &errors), E_INVALIDARG);
  EXPECT_EQ(handles, nullptr);
  EXPECT_EQ(errors, nullptr);
  errors = reinterpret_cast<HRESULT*>(1);
  EXPECT_EQ(session.Server()->ValidateItemIDs(0, &id, &errors), E_INVALIDARG);
  EXPECT_EQ(errors, nullptr);
}

TEST(HdaServer, CommonLocaleErrorTextsAndClientName) {
  Session session;
  auto common = Query<IOPCCommon>(session.Unknown());
  ASSERT_TRUE(common);
  LCID locale = 0;
  ASSERT_EQ(common->GetLocaleID(&locale), S_OK);
  EXPECT_EQ(locale, static_cast<LCID>(LOCALE_SYSTEM_DEFAULT));
  EXPECT_EQ(common->SetLocaleID(0x409), S_OK);
  EXPECT_EQ(common->SetLocaleID(0x407), E_INVALIDARG);
  ASSERT_EQ(common->GetLocaleID(&locale), S_OK);
  EXPECT_EQ(locale, 0x409u);
  DWORD count = 0;
  LCID* locales = nullptr;
  ASSERT_EQ(common->QueryAvailableLocaleIDs(&count, &locales), S_OK);
  ASSERT_GE(count, 1u);
  EXPECT_EQ(locales[0], 0x409u);
  CoTaskMemFree(locales);

  for (HRESULT code : {OPC_E_INVALIDHANDLE, OPC_S_MOREDATA, OPC_W_NOFILTER, E_OUTOFMEMORY}) {
    LPWSTR text = nullptr;
    ASSERT_EQ(common->GetErrorString(code, &text), S_OK) << HexCode(code);
    EXPECT_GT(std::wcslen(text), 5u);
    CoTaskMemFree(text);
  }
  LPWSTR none = reinterpret_cast<LPWSTR>(1);
  EXPECT_EQ(common->GetErrorString(static_cast<HRESULT>(0xC0BB1234), &none), E_INVALIDARG);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(common->SetClientName(L"TESTNODE hdasim_tests.exe"), S_OK);
}

// More than ten classes, so a client can be tested against its ten-connection limit; number 10
// cannot be written to, number 11 cannot announce a shutdown, number 15 creates nothing.
TEST(HdaServer, EveryClassWithItsInterfaces) {
  std::vector<ComPtr<IUnknown>> servers;
  std::set<std::wstring> clsids;
  for (int n = 1; n <= kClassCount; ++n) {
    SCOPED_TRACE(n);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(ProgId(n).c_str(), &clsid), S_OK);
    wchar_t text[40];
    StringFromGUID2(clsid, text, 40);
    clsids.insert(text);
    HRESULT hr = E_FAIL;
    ComPtr<IUnknown> server = CreateServer(ProgId(n).c_str(), &hr);
    if (n == kUncreatableClass) {
      EXPECT_EQ(hr, CLASS_E_NOTLICENSED);
      EXPECT_FALSE(server);
      continue;
    }
    ASSERT_EQ(hr, S_OK);
    EXPECT_TRUE(Query<IOPCHDA_Server>(server.Get()));
    EXPECT_TRUE(Query<IOPCHDA_SyncRead>(server.Get()));
    EXPECT_TRUE(Query<IOPCCommon>(server.Get()));
    EXPECT_EQ(static_cast<bool>(Query<IOPCHDA_SyncUpdate>(server.Get())), n != 10);
    EXPECT_EQ(static_cast<bool>(Query<IConnectionPointContainer>(server.Get())), n != 11);
    EXPECT_FALSE(Query<IOPCHDA_AsyncRead>(server.Get()));
    servers.push_back(server);
  }
  EXPECT_EQ(clsids.size(), static_cast<std::size_t>(kClassCount));
  // All of them live in one server process.
  EXPECT_EQ(ServerProcessIds().size(), 1u);
}

struct AttributeCase {
  DWORD id;
  HRESULT code;
  VARTYPE type;
  double number;
  const wchar_t* text;
};

TEST(HdaServer, ReadAttributeAnswersPerAttribute) {
  Session session;
  const OPCHANDLE sine = session.Handle(L"Waves/Sine 10s", 42);
  const AttributeCase cases[] = {
      {0x01, S_OK, VT_I2, VT_R8, nullptr},
      {0x02, S_OK, VT_BSTR, 0, L"Sine of one hour"},
      {0x03, S_OK, VT_BSTR, 0, L"%"},
      {0x04, S_OK, VT_BOOL, 0, nullptr},
      {0x05, S_OK, VT_BOOL, -1, nullptr},
      {0x0B, S_OK, VT_R8, 100, nullptr},
      {0x0C, S_OK, VT_R8, 0, nullptr},
      {0x0D, S_OK, VT_BSTR, 0, L"Sine 10s"},
      {0x0F, S_OK, VT_CY, 10 * kSecond / 10000.0, nullptr},  // FILETIME bits in the CY
      {0x12, OPC_E_INVALIDATTRID, VT_EMPTY, 0, nullptr},     // not writable: no entry limits
      {0x80000001, S_OK, VT_R8, 10, nullptr},
      {0x7777, OPC_E_INVALIDATTRID, VT_EMPTY, 0, nullptr},
  };
  std::vector<DWORD> ids;
  for (const AttributeCase& c : cases) ids.push_back(c.id);
  const Ticks at = At(2022, 2, 2, 2, 2, 2);
  HdaTime start = HdaTime::Absolute(at), end = HdaTime::Absolute(at);
  OPCHDA_ATTRIBUTE* values = nullptr;
  HRESULT* errors = nullptr;
  ASSERT_EQ(
      session.Read()->ReadAttribute(start.Get(), end.Get(), sine, static_cast<DWORD>(ids.size()),
                                    ids.data(), &values, &errors),
      S_FALSE);
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const AttributeCase& c = cases[i];
    SCOPED_TRACE(c.id);
    EXPECT_EQ(errors[i], c.code);
    EXPECT_EQ(values[i].hClient, 42u);
    EXPECT_EQ(values[i].dwAttributeID, c.id);
    if (c.code != S_OK) {
      EXPECT_EQ(values[i].dwNumValues, 0u);
      continue;
    }
    ASSERT_EQ(values[i].dwNumValues, 1u);
    const Point p = ToPoint(values[i].ftTimeStamps[0], values[i].vAttributeValues[0], 0);
    EXPECT_EQ(p.time, at);
    EXPECT_EQ(p.type, c.type);
    if (c.text) {
      EXPECT_EQ(p.text, c.text);
    } else {
      EXPECT_DOUBLE_EQ(p.number, c.number);
    }
  }
  for (std::size_t i = 0; i < ids.size(); ++i) {
    for (DWORD k = 0; k < values[i].dwNumValues; ++k) VariantClear(&values[i].vAttributeValues[k]);
    CoTaskMemFree(values[i].vAttributeValues);
    CoTaskMemFree(values[i].ftTimeStamps);
  }
  CoTaskMemFree(values);
  CoTaskMemFree(errors);

  // A text item has no numeric range; a bad handle fails the whole call.
  const OPCHANDLE text = session.Handle(L"Text/States");
  DWORD maximum = 0x0B;
  ASSERT_EQ(
      session.Read()->ReadAttribute(start.Get(), end.Get(), text, 1, &maximum, &values, &errors),
      S_FALSE);
  EXPECT_EQ(errors[0], OPC_E_INVALIDATTRID);
  CoTaskMemFree(values);
  CoTaskMemFree(errors);
  values = reinterpret_cast<OPCHDA_ATTRIBUTE*>(1);
  errors = reinterpret_cast<HRESULT*>(1);
  EXPECT_EQ(
      session.Read()->ReadAttribute(start.Get(), end.Get(), 0xBAD, 1, &maximum, &values, &errors),
      OPC_E_INVALIDHANDLE);
  EXPECT_EQ(values, nullptr);
  EXPECT_EQ(errors, nullptr);
}

TEST(HdaServer, CurrentAttributeValueIsStampedNow) {
  Session session;
  const OPCHANDLE h = session.Handle(L"Types/UI2");
  HdaTime start = HdaTime::Text(L"NOW"), end = HdaTime::Null();
  DWORD id = 0x01;
  OPCHDA_ATTRIBUTE* values = nullptr;
  HRESULT* errors = nullptr;
  const Ticks before = SystemNow();
  ASSERT_EQ(session.Read()->ReadAttribute(start.Get(), end.Get(), h, 1, &id, &values, &errors),
            S_OK);
  ASSERT_EQ(values[0].dwNumValues, 1u);
  EXPECT_EQ(V_VT(&values[0].vAttributeValues[0]), VT_I2);
  EXPECT_EQ(V_I2(&values[0].vAttributeValues[0]), VT_UI2);
  EXPECT_LE(std::llabs(FromFileTime(values[0].ftTimeStamps[0]) - before), 10 * kSecond);
  EXPECT_EQ(FromFileTime(values[0].ftTimeStamps[0]), start.Resolved());
  CoTaskMemFree(values[0].vAttributeValues);
  CoTaskMemFree(values[0].ftTimeStamps);
  CoTaskMemFree(values);
  CoTaskMemFree(errors);
}

}  // namespace
}  // namespace hdatest
