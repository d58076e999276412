#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "opc/opc.h"
#include "win/handle.h"

namespace {

using RegisterFn = HRESULT(WINAPI*)();

const std::vector<IID>& AllInterfaces() {
  static const std::vector<IID> iids = {IID_IOPCHDA_Server,
                                        IID_IOPCHDA_Browser,
                                        IID_IOPCHDA_SyncRead,
                                        IID_IOPCHDA_SyncUpdate,
                                        IID_IOPCHDA_SyncAnnotations,
                                        IID_IOPCHDA_AsyncRead,
                                        IID_IOPCHDA_AsyncUpdate,
                                        IID_IOPCHDA_AsyncAnnotations,
                                        IID_IOPCHDA_Playback,
                                        IID_IOPCHDA_DataCallback,
                                        IID_IOPCCommon,
                                        IID_IOPCShutdown,
                                        IID_IOPCServerList,
                                        IID_IOPCServerList2,
                                        IID_IOPCEnumGUID};
  return iids;
}

std::wstring GuidText(const GUID& g) {
  wchar_t text[40] = {};
  StringFromGUID2(g, text, 40);
  return text;
}

std::wstring ReadDefault(const std::wstring& path) {
  wchar_t value[256] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS)
    return {};
  return value;
}

void WriteDefault(const std::wstring& path, const std::wstring& value) {
  win::UniqueRegKey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

class ProxyStubRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    dll_ = LoadLibraryW(L"VarnelOpcPs.dll");
    ASSERT_NE(dll_, nullptr);
    reg_ = reinterpret_cast<RegisterFn>(
        reinterpret_cast<void*>(GetProcAddress(dll_, "DllRegisterServer")));
    unreg_ = reinterpret_cast<RegisterFn>(
        reinterpret_cast<void*>(GetProcAddress(dll_, "DllUnregisterServer")));
    ASSERT_NE(reg_, nullptr);
    ASSERT_NE(unreg_, nullptr);
  }
  void TearDown() override {
    // Leave the prefix as the fixture set it up: our proxy/stub registered.
    if (reg_) reg_();
    if (dll_) FreeLibrary(dll_);
  }
  HMODULE dll_ = nullptr;
  RegisterFn reg_ = nullptr;
  RegisterFn unreg_ = nullptr;
};

TEST_F(ProxyStubRegistration, RegistersEveryInterfaceAndUnregistersThem) {
  const std::wstring ours = GuidText(CLSID_VarnelOpcPSFactory);
  ASSERT_EQ(reg_(), S_OK);
  EXPECT_FALSE(ReadDefault(L"CLSID\\" + ours + L"\\InprocServer32").empty());
  for (const IID& iid : AllInterfaces()) {
    const std::wstring base = L"Interface\\" + GuidText(iid);
    EXPECT_EQ(ReadDefault(base + L"\\ProxyStubClsid32"), ours) << GuidText(iid);
    EXPECT_FALSE(ReadDefault(base).empty());
  }
  EXPECT_EQ(ReadDefault(L"Interface\\" + GuidText(IID_IOPCHDA_Server) + L"\\NumMethods"), L"10");
  EXPECT_EQ(ReadDefault(L"Interface\\" + GuidText(IID_IOPCShutdown) + L"\\NumMethods"), L"4");

  ASSERT_EQ(unreg_(), S_OK);
  EXPECT_TRUE(ReadDefault(L"CLSID\\" + ours + L"\\InprocServer32").empty());
  for (const IID& iid : AllInterfaces())
    EXPECT_TRUE(ReadDefault(L"Interface\\" + GuidText(iid) + L"\\ProxyStubClsid32").empty());
}

TEST_F(ProxyStubRegistration, LeavesAnotherVendorsProxyStubAlone) {
  const std::wstring foreign = L"{0A0B0C0D-1111-2222-3333-444455556666}";
  const std::wstring itf = L"Interface\\" + GuidText(IID_IOPCHDA_SyncRead);
  ASSERT_EQ(unreg_(), S_OK);
  WriteDefault(L"CLSID\\" + foreign + L"\\InprocServer32", L"C:\\vendor\\their_ps.dll");
  WriteDefault(itf + L"\\ProxyStubClsid32", foreign);

  ASSERT_EQ(reg_(), S_OK);
  EXPECT_EQ(ReadDefault(itf + L"\\ProxyStubClsid32"), foreign);
  EXPECT_EQ(ReadDefault(L"Interface\\" + GuidText(IID_IOPCHDA_Server) + L"\\ProxyStubClsid32"),
            GuidText(CLSID_VarnelOpcPSFactory));

  // Unregistering ours keeps theirs.
  ASSERT_EQ(unreg_(), S_OK);
  EXPECT_EQ(ReadDefault(itf + L"\\ProxyStubClsid32"), foreign);

  RegDeleteTreeW(HKEY_CLASSES_ROOT, itf.c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + foreign).c_str());
}

TEST(OpcConstants, GuidsAsPublished) {
  EXPECT_EQ(GuidText(CATID_OPCHDAServer10), L"{7DE5B060-E089-11D2-A5E6-000086339399}");
  EXPECT_EQ(GuidText(CLSID_OpcServerList), L"{13486D51-4821-11D2-A494-3CB306C10000}");
  EXPECT_EQ(GuidText(IID_IOPCServerList2), L"{9DD0B56C-AD9E-43EE-8305-487F3188BF7A}");
  EXPECT_EQ(GuidText(IID_IOPCHDA_DataCallback), L"{1F1217B9-DEE0-11D2-A5E5-000086339399}");
  EXPECT_EQ(GuidText(IID_IOPCShutdown), L"{F31DFDE1-07B6-11D2-B2D8-0060083BA1FB}");
  EXPECT_EQ(GuidText(IID_IOPCEnumGUID), L"{55C382C8-21C7-4E88-96C1-BECFB1E3F483}");
}

}  // namespace
