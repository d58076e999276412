#include "app/core/manual_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file.h"

namespace {

std::u16string Text(const TString& s) { return std::u16string(s.Str(), s.Length()); }

std::vector<std::u16string> Texts(const std::vector<TString>& names) {
  std::vector<std::u16string> texts;
  for (const TString& name : names) texts.push_back(Text(name));
  return texts;
}

TEST(ManualFiles, BaseNamePerLanguage) {
  struct Case {
    int language;
    const char16_t* name;
  } const cases[] = {
      {0, u"Varnel Help FR"},       {1, u"Varnel Help UK"},       {2, u"Varnel Help GE"},
      {3, u"Varnel Help SP"},       {4, u"Varnel Help NL"},       {5, u"Varnel Help NL"},
      {9, u"Varnel Help NL"},       {INT_MAX, u"Varnel Help NL"}, {-1, u"Varnel Help FR"},
      {INT_MIN, u"Varnel Help FR"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(ManualBaseName(c.language)), c.name) << c.language;
}

TEST(ManualFiles, TwelveCandidatesInOrder) {
  const std::vector<std::u16string> expected = {
      u"C:\\Work\\Plant\\Varnel Help SP.pdf",   u"C:\\Work\\Plant\\Help\\Varnel Help SP.pdf",
      u"C:\\Work\\Varnel Help SP.pdf",          u"C:\\Work\\Help\\Varnel Help SP.pdf",
      u"C:\\Windows\\Help\\Varnel Help SP.pdf", u"C:\\Windows\\Varnel Help SP.pdf",
      u"C:\\Work\\Plant\\Varnel Help UK.pdf",   u"C:\\Work\\Plant\\Help\\Varnel Help UK.pdf",
      u"C:\\Work\\Varnel Help UK.pdf",          u"C:\\Work\\Help\\Varnel Help UK.pdf",
      u"C:\\Windows\\Help\\Varnel Help UK.pdf", u"C:\\Windows\\Varnel Help UK.pdf",
  };
  EXPECT_EQ(Texts(ManualCandidates(3, u"C:\\Work\\Plant", u"C:\\Windows")), expected);
}

TEST(ManualFiles, ParentOfTheStartDirectory) {
  struct Case {
    const char16_t* start;
    const char16_t* parentName;  // the third candidate
  } const cases[] = {
      {u"C:\\Work\\Plant", u"C:\\Work\\Varnel Help GE.pdf"},
      {u"C:\\Work\\", u"C:\\Work\\Varnel Help GE.pdf"},
      {u"C:\\", u"C:\\Varnel Help GE.pdf"},
      {u"Plant", u"\\Varnel Help GE.pdf"},  // no backslash: empty
      {u"", u"\\Varnel Help GE.pdf"},
  };
  for (const Case& c : cases) {
    const std::vector<TString> names = ManualCandidates(2, c.start, u"W");
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(Text(names[2]), c.parentName) << "case " << &c - cases;
  }
}

// With only the English manual in the Help folder of the start directory, a Spanish search
// passes the six Spanish names and finds S\Help\E.
TEST(ManualFiles, SpanishFallsThroughToTheEnglishManual) {
  const std::filesystem::path start = std::filesystem::current_path() / "manual_files_test_start";
  std::filesystem::remove_all(start);
  std::filesystem::create_directories(start / "Help");
  const std::vector<TString> names =
      ManualCandidates(3, TString(start.u16string().c_str()), u"no-such-windows-directory");
  const TString english = names[7];
  {
    platform::File file;
    ASSERT_TRUE(file.Open(english.Str(), platform::File::Mode::Write));
  }
  EXPECT_EQ(Text(FindManual(names)), Text(english));
  EXPECT_NE(Text(english).find(u"Help\\Varnel Help UK.pdf"), std::u16string::npos);
  platform::File::Remove(english.Str());
  EXPECT_TRUE(FindManual(names).IsEmpty());
  std::filesystem::remove_all(start);
}

}  // namespace
