// The registry helpers against a key of their own under HKEY_CURRENT_USER, removed afterwards.
#include <gtest/gtest.h>

#include <string>

#include "win/registry.h"

namespace {

const std::wstring kRoot = L"Software\\Varnel\\win tests";

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(win::DeleteRegTree(HKEY_CURRENT_USER, kRoot)); }
  void TearDown() override {
    EXPECT_TRUE(win::DeleteRegTree(HKEY_CURRENT_USER, kRoot));
    EXPECT_FALSE(win::RegKeyExists(HKEY_CURRENT_USER, kRoot));
  }
};

TEST_F(Registry, StringsAndDwordsRoundTripThroughPathsAndKeys) {
  const std::wstring path = kRoot + L"\\a\\b";
  ASSERT_TRUE(win::WriteRegString(HKEY_CURRENT_USER, path, nullptr, L"default"));
  ASSERT_TRUE(win::WriteRegString(HKEY_CURRENT_USER, path, L"name", L"Grüße, \"quoted\""));
  ASSERT_TRUE(win::WriteRegDword(HKEY_CURRENT_USER, path, L"count", 0xFFFFFFFFu));
  ASSERT_TRUE(win::WriteRegString(HKEY_CURRENT_USER, path, L"empty", L""));

  EXPECT_EQ(win::ReadRegString(HKEY_CURRENT_USER, path, nullptr), L"default");
  EXPECT_EQ(win::ReadRegString(HKEY_CURRENT_USER, path, L""), L"default");
  EXPECT_EQ(win::ReadRegString(HKEY_CURRENT_USER, path, L"empty"), L"");
  EXPECT_EQ(win::ReadRegDword(HKEY_CURRENT_USER, path, L"count"), 0xFFFFFFFFu);

  const win::UniqueRegKey key = win::OpenRegKey(HKEY_CURRENT_USER, path);
  ASSERT_TRUE(key);
  EXPECT_EQ(win::ReadRegString(key.Get(), L"name"), L"Grüße, \"quoted\"");
  EXPECT_EQ(win::ReadRegDword(key.Get(), L"count"), 0xFFFFFFFFu);
  // A read-only key refuses writes.
  EXPECT_FALSE(win::WriteRegDword(key.Get(), L"count", 1));

  const win::UniqueRegKey writable = win::CreateRegKey(HKEY_CURRENT_USER, path);
  ASSERT_TRUE(writable);
  EXPECT_TRUE(win::WriteRegDword(writable.Get(), L"count", 1));
  EXPECT_EQ(win::ReadRegDword(key.Get(), L"count"), 1u);
}

TEST_F(Registry, MissingValuesKeysAndOtherTypesReadAsNothing) {
  ASSERT_TRUE(win::WriteRegString(HKEY_CURRENT_USER, kRoot, L"text", L"12"));
  ASSERT_TRUE(win::WriteRegDword(HKEY_CURRENT_USER, kRoot, L"number", 12));
  EXPECT_EQ(win::ReadRegString(HKEY_CURRENT_USER, kRoot, L"missing"), std::nullopt);
  EXPECT_EQ(win::ReadRegString(HKEY_CURRENT_USER, kRoot + L"\\missing", L"text"), std::nullopt);
  EXPECT_EQ(win::ReadRegDword(HKEY_CURRENT_USER, kRoot, L"text"), std::nullopt);
  EXPECT_EQ(win::ReadRegString(HKEY_CURRENT_USER, kRoot, L"number"), std::nullopt);
  EXPECT_FALSE(win::OpenRegKey(HKEY_CURRENT_USER, kRoot + L"\\missing"));
}

TEST_F(Registry, LongStringsAreReadWhole) {
  // Longer than any fixed buffer the programs used to read into.
  std::wstring text(5000, L'x');
  text.back() = L'!';
  ASSERT_TRUE(win::WriteRegString(HKEY_CURRENT_USER, kRoot, L"long", text));
  EXPECT_EQ(win::ReadRegString(HKEY_CURRENT_USER, kRoot, L"long"), text);
}

TEST_F(Registry, DeleteRemovesTheWholeTreeAndNothingBeside) {
  ASSERT_TRUE(win::WriteRegDword(HKEY_CURRENT_USER, kRoot + L"\\gone\\deep\\deeper", L"v", 1));
  ASSERT_TRUE(win::WriteRegDword(HKEY_CURRENT_USER, kRoot + L"\\kept", L"v", 2));
  EXPECT_TRUE(win::DeleteRegTree(HKEY_CURRENT_USER, kRoot + L"\\gone"));
  EXPECT_FALSE(win::RegKeyExists(HKEY_CURRENT_USER, kRoot + L"\\gone"));
  EXPECT_EQ(win::ReadRegDword(HKEY_CURRENT_USER, kRoot + L"\\kept", L"v"), 2u);
  // Nothing left to remove is no failure.
  EXPECT_TRUE(win::DeleteRegTree(HKEY_CURRENT_USER, kRoot + L"\\gone"));
}

}  // namespace
