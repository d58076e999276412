#include "strings/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "strings/resource_text.h"

namespace {

// The English wording of every entry the program quotes somewhere, as quoted, with the French
// where it is quoted too (nullptr otherwise).
struct Quoted {
  int id;
  const char16_t* english;
  const char16_t* french;
};

const Quoted kQuoted[] = {
    {103, u"This is not a valid measurement.", nullptr},
    {119, u"The measurement must be between %1 and %2.", nullptr},
    {169, u"\"", nullptr},
    {170, u"in", nullptr},
    {171, u"inch", nullptr},
    {172, u"inches", nullptr},
    {173, u"cm", nullptr},
    {174, u"pt", nullptr},
    {175, u"pi", nullptr},
    {901, u"Varnel configuration:", nullptr},
    {902, u"General", u"Général"},
    {903, u"Description :", nullptr},
    {904, u"Refresh rate:", nullptr},
    {905, u"View milliseconds", nullptr},
    {1204, u"Unlock the server connection", nullptr},
    {1205, u"Lock the server connexion", nullptr},
    {1206, u"Request the previous period", nullptr},
    {1207, u"Refresh grid and graph", nullptr},
    {1208, u"Request the next period", nullptr},
    {1209, u"Request the current (last) period", nullptr},
    {1211, u"Dislay the last 10 seconds", nullptr},
    {1219, u"Dislay the last 7 days", nullptr},
    {1220, u"Display minute per minute", nullptr},
    {1221, u"Display by 5 minutes steps", nullptr},
    {1224, u"Display by one hour steps", nullptr},
    {1225, u"Display day by day", nullptr},
    {1226, u"Display week per week", nullptr},
    {1227, u"Display month per month", nullptr},
    {1228, u"Display year per year", nullptr},
    {1229, u"Display a custom defined period", nullptr},
    {1741, u"OPC HDA Server", nullptr},
    {1742, u"Server Name:", nullptr},
    {1743, u"Machine Name:", nullptr},
    {1744, u"Reconnect at startup", nullptr},
    {1747, u"Enter Machine Name or IP Address:", nullptr},
    {1761, u"Filter:", nullptr},
    {1795, u"General", nullptr},
    {1796, u"Waves", nullptr},
    {1797, u"Axis", nullptr},
    {1850, u"Varnel file (*.xml)", nullptr},
    {1851, u"All Files (*.*)", nullptr},
    {1882, u"Legend", nullptr},
    {1920, u"Properties:", nullptr},
    {1921, u"Hidden", nullptr},
    {1922, u"Style:", nullptr},
    {1923, u"Marker:", nullptr},
    {1924, u"Line width:", nullptr},
    {1925, u"Line color", nullptr},
    {1926, u"Fill color", nullptr},
    {1927, u"Marker size:", nullptr},
    {1928, u"X Axis:", nullptr},
    {1929, u"Y Axis:", nullptr},
    {1930, u"Trending configuration", nullptr},
    {1931, u"Lines:", nullptr},
    {1932, u"Markers:", nullptr},
    {1933, u"No Line", nullptr},
    {1934, u"Lines between points", nullptr},
    {1935, u"Horizontal lines", nullptr},
    {1936, u"Bars", nullptr},
    {1937, u"Lines to zero", nullptr},
    {1938, u"City scape", nullptr},
    {1939, u"City shadow", nullptr},
    {1961, u"Start time:", nullptr},
    {1962, u"Stop time:", nullptr},
    {1963, u"Choose the Start Time", nullptr},
    {1964, u"Choose the Stop Time", nullptr},
    {1970, u"Axis configuration", nullptr},
    {1971, u"Axis:", nullptr},
    {1972, u"Left", nullptr},
    {1973, u"Top", nullptr},
    {1974, u"Right", nullptr},
    {1975, u"Bottom", nullptr},
    {1976, u"General properties:", nullptr},
    {1977, u"Hidden", nullptr},
    {1978, u"Location:", nullptr},
    {1979, u"Format:", nullptr},
    {1980, u"Numerical", nullptr},
    {1981, u"Global time", nullptr},
    {1982, u"Duration (ms)", nullptr},
    {1983, u"Line width:", nullptr},
    {1985, u"Grid:", nullptr},
    {1986, u"Grid type:", nullptr},
    {1987, u"None", nullptr},
    {1988, u"Major only", nullptr},
    {1989, u"Major and minor", nullptr},
    {1992, u"Scaling:", nullptr},
    {1993, u"Autoscaling", nullptr},
    {1994, u"Min. value:", nullptr},
    {1995, u"Max. value:", nullptr},
    {2000, u"Ticks:", nullptr},
    {2001, u"Manual ticks:", nullptr},
    {2002, u"First major tick:", nullptr},
    {2003, u"Major ticks gap:", nullptr},
    {2004, u"Minor ticks gap:", nullptr},
    {2005, u"Micro ticks gap:", nullptr},
    {2011, u"This axis can not be deleted as Wave ", nullptr},
    {2012, u" is linked to it", nullptr},
    {2020, u"Background:", nullptr},
    {4863, u"Error", nullptr},
    {4864, u"Warning", nullptr},
    {4865, u"Info", nullptr},
    {4866, u"Debug", nullptr},
    {4867, u"Communication", nullptr},
    {4870, u"Other type", nullptr},
    {4871, u"Resource", nullptr},
    {4872, u"OPC", nullptr},
    {4873, u"DDE", nullptr},
    {4874, u"TCP/IP", nullptr},
    {4875, u"Serial", nullptr},
    {4876, u"Configuration", nullptr},
    {9165, u"Connection denied, the number of simultaneous servers is limited",
     u"Connection refusée, le nombre de serveurs simultanés est limité"},
    {9166, u"This server is already connected", u"Ce serveur est déjà connecté"},
    {9167, u"Browse OPC Servers", nullptr},
    {9168, u"Browse Hda Tags", nullptr},
    {9169, u"Remove OPC Tags", nullptr},
    {9170, u"Show", nullptr},
    {9171, u"Hide", nullptr},
    {11050, u"Passe le programme en français", u"Passe le programme en français"},
    {11101, u"Close", nullptr},
    {11103, u"Cancel", nullptr},
    {11104, u"OK", nullptr},
    {11105, u"Delete", nullptr},
    {11110, u"Defaults", nullptr},
    {11111, u"Add", nullptr},
    {11120, u"Color", nullptr},
    {11121, u"Screen color", nullptr},
    {11122, u"Printing color", nullptr},
    {11134, u"Yes", nullptr},
    {11135, u"No", nullptr},
    {11136, u"Error", nullptr},
    {11147, u"Search", nullptr},
    {11204, u"Warning:", nullptr},
    {11205, u"Discard changes?", u"Annuler les changements ?"},
    {11206, u"Some changes have been detected, are you sure you want to discard these changes?",
     nullptr},
    {11215, u"Can not open Help file : ", nullptr},
    {11238, u"One minutes", nullptr},
    {11239, u"Five minutes", nullptr},
    {11240, u"Ten minutes", nullptr},
    {11241, u"Thirty minutes", nullptr},
    {11242, u"One hour", nullptr},
    {11243, u"One day", nullptr},
    {11244, u"One week", nullptr},
    {11245, u"One month", nullptr},
    {11246, u"One year", nullptr},
    {11247, u"Another period", nullptr},
    {11256, u"The last ten seconds", nullptr},
    {11257, u"The last thirty seconds", nullptr},
    {11258, u"The last minute", nullptr},
    {11259, u"The last five minutes", nullptr},
    {11260, u"The last ten minutes", nullptr},
    {11261, u"The last thirty minutes", nullptr},
    {11262, u"The last hour", nullptr},
    {11263, u"The last 24 hours", nullptr},
    {11264, u"The last 7 days", nullptr},
    {11325, u"Expand", nullptr},
    {11326, u"Horizontal Expand", nullptr},
    {11327, u"Vertical Expand", nullptr},
    {11328, u"Shrink", nullptr},
    {11329, u"Horizontal Shrink", nullptr},
    {11330, u"Vertical Shrink", nullptr},
    {61504, u"on %1", nullptr},
    {61505, u"to %1", nullptr},
    {61506, u"Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||", nullptr},
    {61507, u"Print to File", nullptr},
    {61508, u"Page %u\nPages %u-%u\n", nullptr},
    {61702, u"Could not start print job.", nullptr},
};

// Entries that are one text for every language on purpose: unit names read back from what the
// user types, names that are the same everywhere, and the language prompts, each written in the
// language it switches to.
const std::set<int> kSingleText = {169,  170,  171,  172,   173,   174,   175,   4865,
                                   4872, 4873, 4874, 11050, 11051, 11052, 11054, 11104};

// Words that are rightly the same in English and in another language (2 German, 3 Spanish,
// 4 Dutch), and entries whose wording is fixed to the English one.
const std::set<std::pair<int, std::u16string>> kSameAsEnglish = {
    {3, u"General"}, {3, u"Error"},   {3, u"No"},    {3, u"Color"}, {2, u"Filter:"},
    {4, u"Filter:"}, {2, u"Format:"}, {2, u"Debug"}, {4, u"Debug"},
};
const std::set<int> kFixedToEnglish = {902};

std::vector<std::u16string> Parts(const char16_t* text) {
  std::vector<std::u16string> parts(1);
  for (const char16_t* c = text; *c != 0; ++c) {
    if (*c == kPartSeparator) {
      parts.emplace_back();
    } else {
      parts.back() += *c;
    }
  }
  return parts;
}

std::u16string Part(const char16_t* text, std::size_t index) {
  std::vector<std::u16string> parts = Parts(text);
  std::u16string part = parts[std::min(index, parts.size() - 1)];
  return part.substr(std::min(part.find_first_not_of(u'\t'), part.size()));
}

const TStringEntry* Find(int id) {
  for (const TStringEntry& e : StringTable()) {
    if (e.id == id) return &e;
  }
  return nullptr;
}

TEST(StringTable, HoldsEveryQuotedTextInEnglish) {
  for (const Quoted& q : kQuoted) {
    const TStringEntry* entry = Find(q.id);
    ASSERT_NE(entry, nullptr) << q.id;
    EXPECT_EQ(Part(entry->text, 1), q.english) << q.id;
    EXPECT_EQ(std::u16string(RString(q.id, 1)), q.english) << q.id;
    if (q.french) {
      EXPECT_EQ(std::u16string(RString(q.id, 0)), q.french) << q.id;
    }
  }
}

TEST(StringTable, IsSortedWithoutDuplicates) {
  std::span<const TStringEntry> table = StringTable();
  for (std::size_t i = 1; i < table.size(); ++i) {
    EXPECT_LT(table[i - 1].id, table[i].id) << table[i].id;
  }
}

TEST(StringTable, EveryEntryHasFivePartsOrIsOneTextOnPurpose) {
  for (const TStringEntry& e : StringTable()) {
    std::size_t parts = Parts(e.text).size();
    if (kSingleText.count(e.id)) {
      EXPECT_EQ(parts, 1u) << e.id;
    } else {
      EXPECT_EQ(parts, 5u) << e.id;
    }
  }
}

TEST(StringTable, FollowingPartsStartWithATab) {
  for (const TStringEntry& e : StringTable()) {
    std::vector<std::u16string> parts = Parts(e.text);
    for (std::size_t i = 1; i < parts.size(); ++i) {
      EXPECT_TRUE(!parts[i].empty() && parts[i][0] == u'\t') << e.id << " part " << i;
    }
  }
}

TEST(StringTable, OtherLanguagesAreTranslated) {
  for (const TStringEntry& e : StringTable()) {
    if (kSingleText.count(e.id) || kFixedToEnglish.count(e.id)) continue;
    std::u16string english = Part(e.text, 1);
    for (int language : {2, 3, 4}) {
      std::u16string text = Part(e.text, static_cast<std::size_t>(language));
      EXPECT_FALSE(text.empty()) << e.id << " language " << language;
      if (text == english) {
        EXPECT_TRUE(kSameAsEnglish.count({language, text}))
            << e.id << " language " << language << " is the English text";
      }
    }
  }
}

TEST(StringTable, NoPartIsCutByTheLookup) {
  for (const TStringEntry& e : StringTable()) {
    std::vector<std::u16string> parts = Parts(e.text);
    for (std::size_t i = 0; i < parts.size(); ++i) {
      EXPECT_LE(Part(e.text, i).size(), kMaxResultUnits) << e.id << " part " << i;
    }
  }
}

}  // namespace
