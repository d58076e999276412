// The export tables of both DLLs: the 32-bit one exports the decorated stdcall names with the
// bytes of their arguments, the 64-bit one the plain names; nothing else is exported.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/ambrel/ambrel_test_support.h"
#include "tests/ambrel/pe_exports.h"

namespace ambrel_test {
namespace {

struct Export {
  const char* name;
  int x86_bytes;  // 4 per argument; a FILETIME is two words, a DATE travels by reference
};

// Written from the argument lists of ambrel.h, not from the build's own list.
const std::vector<Export>& ExpectedExports() {
  static const std::vector<Export> exports = {
      {"AmbrelRevision", 0},
      {"AmbrelCoInit", 0},
      {"NumberOfHDAServers", 4},
      {"GetHDAServerName", 3 * 4},
      {"ConnectHDA", 2 * 4},
      {"DisconnectHDA", 4},
      {"NumberOfHDAItems", 4},
      {"GetHDAItemName", 4 * 4},
      {"GetHDAItemHandle", 3 * 4},
      {"ReleaseHDAItemHandle", 2 * 4},
      {"NumberOfHDAAttributes", 4},
      {"GetHDAAttributeDescr", 8 * 4},
      {"NumberOfHDAAggregates", 4},
      {"GetHDAAggregateDescr", 7 * 4},
      {"ReadHDAItemAttributes", (3 + 2 + 2 + 3) * 4},
      {"ReadHDAItemValues", (3 + 2 + 2 + 4) * 4},
      {"ReadHDAProcessedItemValues", (3 + 2 + 2 + 2 + 4) * 4},
      {"WriteHDAItemValues", 8 * 4},
      {"GetHDASvrStatus", 12 * 4},
      {"EnableHDAErrorNotification", 4},
      {"EnableHDAShutdownNotification", 2 * 4},
      {"EnableHDAEventMsgs", 4},
      {"ReadHDAItemAttributesVB", 8 * 4},
      {"ReadHDAItemValuesVB", 9 * 4},
      {"ReadHDAProcessedItemValuesVB", 10 * 4},
      {"WriteHDAItemValuesVB", 8 * 4},
  };
  return exports;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::wstring NextToThisProgram(const wchar_t* file) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  dir.resize(dir.find_last_of(L"\\/") + 1);
  return dir + file;
}

TEST(ExportTable, X64ExportsThePlainNames) {
  const auto exports = ReadPeExports(NextToThisProgram(L"Ambrel.dll"));
  ASSERT_TRUE(exports.has_value());
  EXPECT_TRUE(exports->is_64_bit);
  EXPECT_EQ(exports->dll_name, "Ambrel.dll");
  std::vector<std::string> expected;
  for (const Export& e : ExpectedExports()) expected.push_back(e.name);
  EXPECT_EQ(Sorted(exports->names), Sorted(expected));
}

TEST(ExportTable, X64NamesResolveInTheLoadedDll) {
  HMODULE dll = GetModuleHandleW(L"Ambrel.dll");
  ASSERT_NE(dll, nullptr);
  for (const Export& e : ExpectedExports()) {
    EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(dll, e.name)), nullptr) << e.name;
  }
}

#ifdef AMBREL_X86_DLL
TEST(ExportTable, X86ExportsTheDecoratedNames) {
  const auto exports = ReadPeExports(L"" AMBREL_X86_DLL);
  ASSERT_TRUE(exports.has_value()) << "missing " AMBREL_X86_DLL;
  EXPECT_FALSE(exports->is_64_bit);
  EXPECT_EQ(exports->dll_name, "Ambrel.dll");
  std::vector<std::string> expected;
  for (const Export& e : ExpectedExports()) {
    expected.push_back("_" + std::string(e.name) + "@" + std::to_string(e.x86_bytes));
  }
  EXPECT_EQ(Sorted(exports->names), Sorted(expected));
}
#endif

}  // namespace
}  // namespace ambrel_test
