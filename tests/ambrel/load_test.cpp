// Loading the library: a build whose task allocator cannot be had fails its load, and the
// program that tried carries on.
#include <windows.h>

#include "tests/ambrel/ambrel_test_support.h"

namespace ambrel_test {
namespace {

TEST(Load, WithoutTheTaskAllocatorTheLoadFailsAndTheHostLivesOn) {
  SetLastError(0);
  HMODULE dll = LoadLibraryW(L"AmbrelNoMalloc.dll");
  const DWORD error = GetLastError();
  EXPECT_EQ(dll, nullptr);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  if (dll) FreeLibrary(dll);
  // Nothing of the failed copy is left mapped.
  EXPECT_EQ(GetModuleHandleW(L"AmbrelNoMalloc.dll"), nullptr);
}

// The working copy can be loaded again by name and unloaded without sessions.
TEST(Load, LoadAndFreeAgain) {
  HMODULE dll = LoadLibraryW(L"Ambrel.dll");
  ASSERT_NE(dll, nullptr);
  using Revision = WORD(__stdcall*)();
  auto revision =
      reinterpret_cast<Revision>(reinterpret_cast<void*>(GetProcAddress(dll, "AmbrelRevision")));
  ASSERT_NE(revision, nullptr);
  EXPECT_EQ(revision(), 259);
  EXPECT_TRUE(FreeLibrary(dll));
}

}  // namespace
}  // namespace ambrel_test
