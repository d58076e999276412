// Finding the servers: the server-list class out of process, old and new interface, and the
// component categories manager.
#include <comcat.h>
#include <gtest/gtest.h>

#include <set>

#include "tests/hdasim/hda_client.h"

namespace hdatest {
namespace {

const CATID kHdaCategory = {
    0x7DE5B060, 0xE089, 0x11D2, {0xA5, 0xE6, 0x00, 0x00, 0x86, 0x33, 0x93, 0x99}};

std::wstring Text(const GUID& g) {
  wchar_t text[40];
  StringFromGUID2(g, text, 40);
  return text;
}

std::set<std::wstring> OurClasses() {
  std::set<std::wstring> classes;
  for (int n = 1; n <= kClassCount; ++n) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID((L"Varnel.HdaSim." + std::to_wstring(n)).c_str(), &clsid), S_OK);
    classes.insert(Text(clsid));
  }
  return classes;
}

template <typename Enumerator>
std::set<std::wstring> Drain(Enumerator* e) {
  std::set<std::wstring> out;
  GUID guids[4];
  ULONG fetched = 0;
  HRESULT hr;
  do {
    hr = e->Next(4, guids, &fetched);
    for (ULONG i = 0; i < fetched; ++i) out.insert(Text(guids[i]));
  } while (hr == S_OK);
  return out;
}

TEST(Discovery, ServerListEnumeratesTheCategory) {
  ComPtr<IOPCServerList2> list;
  ASSERT_EQ(CoCreateInstance(CLSID_OpcServerList, nullptr, CLSCTX_LOCAL_SERVER, IID_IOPCServerList2,
                             reinterpret_cast<void**>(&list)),
            S_OK);
  CATID category = kHdaCategory;
  // "Any required categories" (0), and the way the desktop client asks (the same category again).
  for (ULONG required : {0u, 1u}) {
    ComPtr<IOPCEnumGUID> classes;
    ASSERT_EQ(list->EnumClassesOfCategories(1, &category, required, required ? &category : nullptr,
                                            &classes),
              S_OK);
    const std::set<std::wstring> found = Drain(classes.Get());
    for (const std::wstring& ours : OurClasses()) EXPECT_TRUE(found.count(ours)) << required;

    ComPtr<IOPCEnumGUID> copy;
    ASSERT_EQ(classes->Reset(), S_OK);
    ASSERT_EQ(classes->Skip(2), S_OK);
    ASSERT_EQ(classes->Clone(&copy), S_OK);
    EXPECT_EQ(Drain(copy.Get()).size(), found.size() - 2);
  }

  struct Details {
    const wchar_t* prog_id;
    const wchar_t* user_type;
    const wchar_t* independent;
  } details[] = {
      {L"Varnel.HdaSim.1", L"Varnel HDA Simulation Server 1", L"Varnel.HdaSim"},
      {L"Varnel.HdaSim.2", L"Varnel HDA Simulation Server 2", L"Varnel.HdaSim.2"},
      {L"Varnel.HdaSim.10", L"Varnel HDA Simulation Server 10 (read only)", L"Varnel.HdaSim.10"},
      {L"Varnel.HdaSim.16", L"Varnel HDA Simulation Server 16 (capped reads)", L"Varnel.HdaSim.16"},
      {L"Varnel.HdaSim.17", L"Varnel HDA Simulation Server 17 (no processed reads)",
       L"Varnel.HdaSim.17"}};
  for (const Details& d : details) {
    CLSID clsid{};
    ASSERT_EQ(list->CLSIDFromProgID(d.prog_id, &clsid), S_OK);
    LPOLESTR prog = nullptr, user = nullptr, independent = nullptr;
    ASSERT_EQ(list->GetClassDetails(clsid, &prog, &user, &independent), S_OK);
    EXPECT_STREQ(prog, d.prog_id);
    EXPECT_STREQ(user, d.user_type);
    EXPECT_STREQ(independent, d.independent);
    CoTaskMemFree(prog);
    CoTaskMemFree(user);
    CoTaskMemFree(independent);
  }
  const CLSID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  LPOLESTR prog = nullptr, user = nullptr, independent = nullptr;
  EXPECT_EQ(list->GetClassDetails(unknown, &prog, &user, &independent), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(prog, nullptr);
  CLSID none{};
  EXPECT_TRUE(FAILED(list->CLSIDFromProgID(L"Varnel.NoSuchServer", &none)));
}

TEST(Discovery, OldServerListInterfaceWithIEnumGUID) {
  ComPtr<IOPCServerList> list;
  ASSERT_EQ(CoCreateInstance(CLSID_OpcServerList, nullptr, CLSCTX_LOCAL_SERVER, IID_IOPCServerList,
                             reinterpret_cast<void**>(&list)),
            S_OK);
  CATID category = kHdaCategory;
  ComPtr<IEnumGUID> classes;
  ASSERT_EQ(list->EnumClassesOfCategories(1, &category, 1, &category, &classes), S_OK);
  const std::set<std::wstring> found = Drain(classes.Get());
  for (const std::wstring& ours : OurClasses()) EXPECT_TRUE(found.count(ours));
  CLSID clsid{};
  ASSERT_EQ(list->CLSIDFromProgID(L"Varnel.HdaSim.3", &clsid), S_OK);
  LPOLESTR prog = nullptr, user = nullptr;
  ASSERT_EQ(list->GetClassDetails(clsid, &prog, &user), S_OK);
  EXPECT_STREQ(prog, L"Varnel.HdaSim.3");
  CoTaskMemFree(prog);
  CoTaskMemFree(user);
}

TEST(Discovery, ComponentCategoriesManagerFindsTheServers) {
  ComPtr<ICatInformation> categories;
  ASSERT_EQ(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                             IID_ICatInformation, reinterpret_cast<void**>(&categories)),
            S_OK);
  CATID category = kHdaCategory;
  ComPtr<IEnumGUID> classes;
  ASSERT_EQ(categories->EnumClassesOfCategories(1, &category, 0, nullptr, &classes), S_OK);
  const std::set<std::wstring> found = Drain(classes.Get());
  for (const std::wstring& ours : OurClasses()) EXPECT_TRUE(found.count(ours));
  LPWSTR description = nullptr;
  ASSERT_EQ(categories->GetCategoryDesc(category, 0x409, &description), S_OK);
  EXPECT_STREQ(description, L"OPC History Data Access Servers Version 1.0");
  CoTaskMemFree(description);
}

}  // namespace
}  // namespace hdatest
