#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "text/tstring.h"
#include "text_test_support.h"

namespace {

using text_test::Text;

// A file in the working directory (the build tree, natively and under Wine), removed afterwards.
class TempFile {
 public:
  TempFile(const char16_t* name, const std::string& bytes) : path_(name) {
    platform::File f;
    EXPECT_TRUE(f.Open(path_.c_str(), platform::File::Mode::Write));
    EXPECT_EQ(f.Write(bytes.data(), bytes.size()), bytes.size());
  }
  ~TempFile() { platform::File::Remove(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  platform::File Open() const {
    platform::File f;
    EXPECT_TRUE(f.Open(path_.c_str(), platform::File::Mode::Read));
    return f;
  }

 private:
  std::u16string path_;
};

std::string Utf16Le(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

TEST(LoadFromFile, Contents) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
  } const cases[] = {
      {"with BOM", Utf16Le(u"\uFEFF<a>\u00E9</a>"), u"\uFEFF<a>\u00E9</a>"},
      {"without BOM", Utf16Le(u"plain"), u"plain"},
      {"odd byte count", Utf16Le(u"ab") + "c", u"ab"},
      {"empty", "", u""},
  };
  for (const Case& c : cases) {
    TempFile file(u"varnel_load_test.bin", c.bytes);
    platform::File f = file.Open();
    TString s(u"replaced");
    EXPECT_TRUE(s.LoadFromFile(f)) << c.name;
    EXPECT_EQ(Text(s), c.text) << c.name;
  }
}

TEST(LoadFromFile, ReadsFromTheCurrentPosition) {
  TempFile file(u"varnel_load_rest.bin", Utf16Le(u"skip|rest"));
  platform::File f = file.Open();
  ASSERT_TRUE(f.Seek(10, platform::File::Origin::Begin));
  TString s;
  EXPECT_TRUE(s.LoadFromFile(f));
  EXPECT_EQ(Text(s), u"rest");
}

TEST(LoadFromFile, LimitsASmallBufferTo1200000Units) {
  const std::u16string big(1200010, u'z');
  TempFile file(u"varnel_load_big.bin", Utf16Le(big));
  {
    platform::File f = file.Open();
    TString s;
    EXPECT_FALSE(s.LoadFromFile(f));  // not at the end
    EXPECT_EQ(s.Length(), 1200000u);
  }
  {
    platform::File f = file.Open();
    TString s(1300000u);  // room reserved beforehand: no limit
    EXPECT_TRUE(s.LoadFromFile(f));
    EXPECT_EQ(s.Length(), big.size());
  }
}

TEST(LoadFromFile, FailuresLeaveTheTextAlone) {
  TString s(u"unchanged");
  platform::File closed;
  EXPECT_FALSE(s.LoadFromFile(closed));
  EXPECT_EQ(Text(s), u"unchanged");

  TempFile file(u"varnel_load_fail.bin", Utf16Le(u"a text longer than the sixteen units"));
  platform::File f = file.Open();
  text_test::ScopedAllocationFailures failures(1);
  EXPECT_FALSE(s.LoadFromFile(f));
  EXPECT_EQ(Text(s), u"unchanged");
}

}  // namespace
