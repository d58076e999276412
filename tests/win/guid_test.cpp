// GUIDs to registry text and back, and the texts that are no GUID.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include "win/guid.h"

namespace {

constexpr GUID kSample = {
    0x0123ABCD, 0x4567, 0x89EF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

TEST(Guid, TextIsTheRegistryFormAndReadsBack) {
  EXPECT_EQ(win::GuidText(kSample), L"{0123ABCD-4567-89EF-0123-456789ABCDEF}");
  for (const GUID& guid : {kSample, GUID_NULL, IID_IUnknown, IID_IClassFactory}) {
    const auto back = win::GuidFromText(win::GuidText(guid));
    ASSERT_TRUE(back);
    EXPECT_TRUE(IsEqualGUID(*back, guid));
  }
  const auto lower = win::GuidFromText(L"{0123abcd-4567-89ef-0123-456789abcdef}");
  ASSERT_TRUE(lower);
  EXPECT_TRUE(IsEqualGUID(*lower, kSample));
}

TEST(Guid, AnythingButThatFormIsNoGuid) {
  for (const wchar_t* text : {
           L"",
           L"0123ABCD-4567-89EF-0123-456789ABCDEF",     // no braces
           L"{0123ABCD-4567-89EF-0123-456789ABCDEF",    // no closing brace
           L"{0123ABCD-4567-89EF-0123-456789ABCDEF}x",  // trailing text
           L"{0123ABCD-4567-89EF-0123-456789ABCDEG}",   // not hex
           L"{0123ABCD+4567-89EF-0123-456789ABCDEF}",   // wrong separator
           L"{0123ABCD-4567-89EF-0123456789ABCDEF-}",   // separator moved
           L"{ 123ABCD-4567-89EF-0123-456789ABCDEF}",   // space for a digit
           L"Varnel.HdaSim.1",                          // a ProgID
       }) {
    EXPECT_FALSE(win::GuidFromText(text)) << testing::PrintToString(std::wstring(text));
  }
}

}  // namespace
