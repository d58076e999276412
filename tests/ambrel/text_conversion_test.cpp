// The text rules of the library, tested on their own: widening byte by byte, cutting into
// buffers, the low-8-bit copy, message patterns and trace texts.
#include "ambrel/text_conversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace ambrel {
namespace {

TEST(WidenBytes, EveryByteBecomesTheUnitOfTheSameValue) {
  const char text[] = {'A', static_cast<char>(0xE9), static_cast<char>(0x80),
                       static_cast<char>(0xFF), 0};
  EXPECT_EQ(WidenBytes(text), std::wstring(L"A\u00E9\u0080\u00FF"));
  EXPECT_EQ(WidenBytes(""), L"");
  EXPECT_EQ(WidenBytes(nullptr), L"");
}

struct CutCase {
  const char* text;
  DWORD length;
  const char* expected;
};

class CopyToBufferCases : public ::testing::TestWithParam<CutCase> {};

TEST_P(CopyToBufferCases, CutsAndTerminates) {
  const CutCase& c = GetParam();
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  CopyToBuffer(c.text, buffer, c.length);
  EXPECT_STREQ(buffer, c.expected);
  EXPECT_EQ(buffer[c.length], '#');
}

INSTANTIATE_TEST_SUITE_P(Lengths, CopyToBufferCases,
                         ::testing::Values(CutCase{"abcdef", 7, "abcdef"},
                                           CutCase{"abcdef", 6, "abcde"}, CutCase{"abcdef", 1, ""},
                                           CutCase{"", 4, ""}, CutCase{"abcdef", 12, "abcdef"}));

TEST(CopyToBuffer, NothingForAnEmptyBuffer) {
  char buffer[2] = {'#', '#'};
  CopyToBuffer("abc", buffer, 0);
  CopyToBuffer("abc", nullptr, 5);
  EXPECT_EQ(buffer[0], '#');
}

struct Low8Case {
  const wchar_t* text;
  DWORD length;
  std::string expected;
};

class CopyLow8Cases : public ::testing::TestWithParam<Low8Case> {};

TEST_P(CopyLow8Cases, KeepsTheLowByteAndTerminatesTheLastOne) {
  const Low8Case& c = GetParam();
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  CopyLow8Bits(c.text, buffer, c.length);
  EXPECT_EQ(std::string(buffer), c.expected);
  EXPECT_EQ(buffer[c.length - 1], '\0');
  EXPECT_EQ(buffer[c.length], '#');
}

INSTANTIATE_TEST_SUITE_P(Texts, CopyLow8Cases,
                         ::testing::Values(Low8Case{L"Up", 8, "Up"}, Low8Case{L"Running", 4, "Run"},
                                           // U+0141 keeps 0x41, U+20AC keeps 0xAC.
                                           Low8Case{L"\u0141\u20AC", 8, std::string("A\xAC")},
                                           Low8Case{L"", 3, ""}));

TEST(FillPattern, PlacesTextsInOrder) {
  EXPECT_EQ(FillPattern("CLSIDFromProgID failed for %ls (%lx)\n", {"A.B", "800401f3"}),
            "CLSIDFromProgID failed for A.B (800401f3)\n");
  EXPECT_EQ(FillPattern("CoCreateInstanceEx - failed for node:%ls ProgID:%ls (%lx)\n",
                        {"HOST", "P.1", "80040154"}),
            "CoCreateInstanceEx - failed for node:HOST ProgID:P.1 (80040154)\n");
  // A text that itself holds a place marker is not filled again.
  EXPECT_EQ(FillPattern("%ls and %lx", {"%lx", "1"}), "%lx and 1");
  EXPECT_EQ(HexNoPad(static_cast<HRESULT>(0x80070005)), "80070005");
  EXPECT_EQ(HexNoPad(1), "1");
}

TEST(TraceText, EightLowerCaseDigitsAndACutAt199) {
  EXPECT_EQ(TraceText("CoCreateInstanceEx", static_cast<HRESULT>(0x80070005)),
            "CoCreateInstanceEx HRESULT = 0x80070005");
  EXPECT_EQ(TraceText("CreateInstance", 0), "CreateInstance HRESULT = 0x00000000");
  EXPECT_EQ(TraceText("X", static_cast<HRESULT>(0x8000FFFF)), "X HRESULT = 0x8000ffff");
  const std::string step(190, 's');
  const std::string text = TraceText(step, 1);
  EXPECT_EQ(text.size(), 199u);
  EXPECT_EQ(text, (step + " HRESULT = 0x00000001").substr(0, 199));
}

}  // namespace
}  // namespace ambrel
