// hdasim.exe /RegServer and /UnregServer: what they write and remove, and that another program's
// server-list registration is left alone.
#include <windows.h>

#include <comcat.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/hdasim/hda_client.h"
#include "win/handle.h"

namespace hdatest {
namespace {

const wchar_t kServerListKey[] = L"CLSID\\{13486D51-4821-11D2-A494-3CB306C10000}";
const wchar_t kFirstClassKey[] = L"CLSID\\{768A967F-4B06-40D9-8B7F-10AC32E17056}";
const CATID kHdaCategory = {
    0x7DE5B060, 0xE089, 0x11D2, {0xA5, 0xE6, 0x00, 0x00, 0x86, 0x33, 0x93, 0x99}};

std::wstring ServerPath() {
  std::wstring path = SelfPath();
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"hdasim.exe";
}

// Runs hdasim.exe with the arguments and gives its exit code (-1 if it did not finish).
DWORD RunServer(const std::wstring& arguments) {
  std::wstring command = L"\"" + ServerPath() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return static_cast<DWORD>(-1);
  win::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) return static_cast<DWORD>(-1);
  DWORD code = 0;
  GetExitCodeProcess(process.Get(), &code);
  return code;
}

std::wstring Text(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t value[512] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return {};
  return value;
}

bool SetText(const std::wstring& key, const std::wstring& value) {
  win::UniqueRegKey handle;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS)
    return false;
  return RegSetValueExW(handle.Get(), nullptr, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

int ClassesInCategory() {
  ComPtr<ICatInformation> categories;
  if (FAILED(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                              IID_ICatInformation, reinterpret_cast<void**>(&categories))))
    return -1;
  CATID category = kHdaCategory;
  ComPtr<IEnumGUID> classes;
  if (FAILED(categories->EnumClassesOfCategories(1, &category, 0, nullptr, &classes))) return -1;
  int count = 0;
  GUID guid;
  ULONG fetched = 0;
  while (classes->Next(1, &guid, &fetched) == S_OK) ++count;
  return count;
}

class Registration : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WaitForNoServer(20000)); }
  // Whatever happened, the prefix is left as the fixture made it.
  void TearDown() override {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kServerListKey);
    EXPECT_EQ(RunServer(L"/RegServer"), 0u);
  }
};

TEST_F(Registration, UnregisterRemovesWhatRegisterWrote) {
  ASSERT_EQ(RunServer(L"/UnregServer"), 0u);
  CLSID clsid{};
  EXPECT_TRUE(FAILED(CLSIDFromProgID(L"Varnel.HdaSim.1", &clsid)));
  EXPECT_TRUE(Text(kFirstClassKey).empty());
  EXPECT_TRUE(Text(std::wstring(kServerListKey) + L"\\LocalServer32").empty());
  EXPECT_EQ(ClassesInCategory(), 0);

  ASSERT_EQ(RunServer(L"-regserver"), 0u);  // either switch character, any letter case
  EXPECT_EQ(Text(kFirstClassKey), L"Varnel HDA Simulation Server 1");
  EXPECT_EQ(Text(std::wstring(kFirstClassKey) + L"\\LocalServer32"), L"\"" + ServerPath() + L"\"");
  EXPECT_EQ(Text(std::wstring(kFirstClassKey) + L"\\VersionIndependentProgID"), L"Varnel.HdaSim");
  EXPECT_EQ(Text(L"Varnel.HdaSim\\CurVer"), L"Varnel.HdaSim.1");
  EXPECT_EQ(Text(kFirstClassKey, L"AppID"), Text(L"AppID\\hdasim.exe", L"AppID"));
  EXPECT_FALSE(Text(kFirstClassKey, L"AppID").empty());
  EXPECT_EQ(Text(std::wstring(kServerListKey) + L"\\LocalServer32"), L"\"" + ServerPath() + L"\"");
  EXPECT_EQ(ClassesInCategory(), kClassCount);
  EXPECT_EQ(RunServer(L"/nonsense"), 2u);
}

TEST_F(Registration, AnotherServerListStaysInPlace) {
  ASSERT_EQ(RunServer(L"/UnregServer"), 0u);
  const std::wstring theirs = L"\"C:\\Program Files\\Vendor\\OpcEnum.exe\" /service";
  ASSERT_TRUE(SetText(std::wstring(kServerListKey) + L"\\LocalServer32", theirs));
  ASSERT_EQ(RunServer(L"/RegServer"), 0u);
  EXPECT_EQ(Text(std::wstring(kServerListKey) + L"\\LocalServer32"), theirs);
  EXPECT_EQ(ClassesInCategory(), kClassCount);  // our HDA classes are registered all the same
  ASSERT_EQ(RunServer(L"/UnregServer"), 0u);
  EXPECT_EQ(Text(std::wstring(kServerListKey) + L"\\LocalServer32"), theirs);
}

}  // namespace
}  // namespace hdatest
