// A document the command line cannot read ends the command with one line that names the file and
// the cause: each cause from a real file.
#include "tools/cli/core/document_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "document/varnel_doc.h"
#include "tools/cli/core/utf8.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

class DocumentFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("cli_document_file_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string Path(const char* leaf) const { return (dir_ / leaf).string(); }

  std::string Bytes(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Write(const std::string& path, const std::string& bytes) const {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // UTF-16 LE of ASCII text, with the byte-order mark.
  static std::string Utf16(const std::string& text) {
    std::string out = "\xFF\xFE";
    for (char c : text) {
      out += c;
      out += '\0';
    }
    return out;
  }

  fs::path dir_;
};

TEST_F(DocumentFile, EveryCauseIsNamedInTheLine) {
  TVarnelDoc saved;
  saved.StartTime = 1623024000000.0;
  saved.StopTime = saved.StartTime + 3600000.0;
  const std::string whole = Path("whole.xml");
  ASSERT_FALSE(saved.Save(FromUtf8(whole).Str()));
  const std::string text = Bytes(whole);
  ASSERT_GT(text.size(), 200u);

  Write(Path("ascii.xml"), "<VarnelDoc></VarnelDoc>");
  Write(Path("cut.xml"), text.substr(0, text.size() / 2 & ~std::size_t{1}));
  Write(Path("other.xml"), Utf16("<?xml version=\"1.0\"?><Settings><A>1</A></Settings>"));
  std::string noConnections = text;
  const std::string open = Utf16("<Connections>").substr(2);
  const std::string close = Utf16("</Connections>").substr(2);
  const std::size_t from = noConnections.find(open);
  const std::size_t to = noConnections.find(close);
  ASSERT_NE(from, std::string::npos);
  ASSERT_NE(to, std::string::npos);
  noConnections.erase(from, to + close.size() - from);
  Write(Path("no_connections.xml"), noConnections);

  struct Case {
    std::string file;
    const char* cause;
  };
  const Case cases[] = {
      {Path("missing.xml"), "no such file, or it cannot be opened"},
      {Path("ascii.xml"), "not a UTF-16 text file (no byte-order mark)"},
      {Path("cut.xml"), "the file is cut short (the document is never closed)"},
      {Path("other.xml"), "not a Varnel document (no VarnelDoc element)"},
      {Path("no_connections.xml"), "its Connections section is missing"},
  };
  for (const Case& c : cases) {
    TVarnelDoc doc;
    EXPECT_EQ(LoadDocument(c.file, doc), "cannot read document " + c.file + ": " + c.cause);
  }
  TVarnelDoc doc;
  EXPECT_EQ(LoadDocument(whole, doc), "");
}

}  // namespace
}  // namespace cli
