#include "strings/resource_text.h"

#include <gtest/gtest.h>

#include <string>

#include "strings/string_ids.h"

namespace {

// Entries a test loader serves instead of the string table.
std::u16string g_entry;

std::uint32_t LoadTestEntry(int, char16_t* buffer, std::uint32_t bufferUnits) {
  std::uint32_t count = 0;
  for (; count < g_entry.size() && count + 1 < bufferUnits; ++count) buffer[count] = g_entry[count];
  buffer[count] = 0;
  return count;
}

// A loader that neither terminates nor respects the size it is given.
std::uint32_t LoadOverlongCount(int, char16_t* buffer, std::uint32_t bufferUnits) {
  for (std::uint32_t i = 0; i < bufferUnits; ++i) buffer[i] = u'x';
  return bufferUnits + 100;
}

class ScopedLoader {
 public:
  explicit ScopedLoader(StringLoader loader) : previous_(SetStringLoaderForTesting(loader)) {}
  ~ScopedLoader() { SetStringLoaderForTesting(previous_); }
  ScopedLoader(const ScopedLoader&) = delete;
  ScopedLoader& operator=(const ScopedLoader&) = delete;

 private:
  StringLoader previous_;
};

std::u16string Lookup(const std::u16string& entry, int language) {
  g_entry = entry;
  ScopedLoader loader(LoadTestEntry);
  return RString(1, language);
}

TEST(RString, ChoosesThePartOfTheLanguage) {
  const std::u16string five = u"fr¶\ten¶\tde¶\tes¶\tnl";
  const std::u16string frEn = u"fr¶\ten";
  const std::u16string frEnDe = u"fr¶\ten¶\tde";
  struct Case {
    const std::u16string* entry;
    int language;
    const char16_t* expected;
  } const cases[] = {
      {&five, 0, u"fr"},
      {&five, 1, u"en"},
      {&five, 2, u"de"},
      {&five, 3, u"es"},
      {&five, 4, u"nl"},
      {&five, 5, u"de"},
      {&five, 9, u"de"},
      {&frEn, 2, u"en"},
      {&frEn, 3, u"en"},
      {&frEn, 4, u"en"},
      {&frEnDe, 3, u"de"},
      {&frEnDe, 4, u"de"},
      {&frEnDe, 0, u"fr"},
      {&frEn, 0, u"fr"},
      // Outside 0..9 the index is clamped like the stored setting.
      {&five, -1, u"fr"},
      {&five, -2147483647 - 1, u"fr"},
      {&five, 10, u"de"},
      {&five, 2147483647, u"de"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Lookup(*c.entry, c.language), c.expected) << "language " << c.language;
  }
}

TEST(RString, CutsPartsAndSkipsTheirStart) {
  const std::u16string long300(300, u'a');
  const std::u16string tabs300(300, u'\t');
  struct Case {
    std::u16string entry;
    int language;
    std::u16string expected;
  } const cases[] = {
      {u"", 1, u""},
      {u"single", 3, u"single"},
      {u"¶\ten", 0, u""},     // empty first part
      {u"fr¶¶\tde", 1, u""},  // a ¶ right after another gives an empty part
      {u"fr¶¶\tde", 2, u"de"},
      {u"fr¶", 1, u""},              // a trailing ¶ opens an empty last part
      {u"fr¶\r\n\t\ten", 1, u"en"},  // CR LF, then tabs
      {u"\r\n\tfr", 0, u"fr"},
      {u"fr¶\t\r\nen", 1, u"\r\nen"},  // CR LF only right at the start
      {u"fr¶\n\ten", 1, u"\n\ten"},    // LF alone is kept
      {u"fr¶\t  en", 1, u"  en"},      // spaces are kept
      {long300, 0, long300.substr(0, 256)},
      {u"fr¶\t" + long300, 1, long300.substr(0, 256)},
      // At most 256 tabs are skipped; the rest belong to the text.
      {tabs300 + u"x", 0, std::u16string(44, u'\t') + u"x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Lookup(c.entry, c.language), c.expected);
  }
}

TEST(RString, LoadBufferHoldsAtMost2559Units) {
  // The English part starts beyond the load buffer: the entry reads as French only.
  std::u16string entry(2600, u'f');
  entry += u"¶\ten";
  EXPECT_EQ(Lookup(entry, 1), std::u16string(256, u'f'));
  std::u16string fits(2550, u'f');
  fits += u"¶\ten";
  EXPECT_EQ(Lookup(fits, 1), u"en");
}

TEST(RString, SurvivesALoaderThatOverrunsItsCount) {
  ScopedLoader loader(LoadOverlongCount);
  EXPECT_EQ(std::u16string(RString(1, 0)), std::u16string(256, u'x'));
}

TEST(RString, MissingEntryIsEmpty) {
  for (int id : {-1, 0, 4, 99999}) EXPECT_EQ(std::u16string(RString(id, 1)), u"") << id;
}

TEST(RString, EntryWithoutSeparatorIsTheSameInEveryLanguage) {
  for (int language = 0; language <= 9; ++language) {
    EXPECT_EQ(std::u16string(RString(IDS_PROMPT_FRENCH, language)),
              u"Passe le programme en français");
  }
}

TEST(RString, ResultStaysValidForTenLookups) {
  const char16_t* first = RString(IDS_YES, 0);
  std::u16string firstText = first;
  const char16_t* results[9];
  for (int i = 0; i < 9; ++i) results[i] = RString(IDS_NO, 1);
  EXPECT_EQ(std::u16string(first), u"Oui");  // nine further lookups leave it alone
  for (const char16_t* r : results) EXPECT_NE(r, first);
  const char16_t* eleventh = RString(IDS_CANCEL, 2);
  EXPECT_EQ(eleventh, first);  // the eleventh reuses the first one's buffer
  EXPECT_EQ(std::u16string(first), u"Abbrechen");
  EXPECT_EQ(firstText, u"Oui");
}

}  // namespace
