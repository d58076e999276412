#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/file.h"
#include "xml/xml_doc.h"
#include "xml/xml_file.h"
#include "xml/xml_tree.h"
#include "xml_test_support.h"

namespace {

using xml_test::ReadBytes;
using xml_test::TempPath;

void Fill(TXmlDoc& doc, const char16_t* value) {
  auto* root = new TXmlNode(u"Root");
  root->AddChild(new TXmlChild(u"Value", value));
  doc.SetRoot(root);
}

std::u16string Temporary(const TempPath& path) { return std::u16string(path.c_str()) + u".tmp"; }

TEST(XmlSaveFile, ReplacesTheFile) {
  TempPath path(u"save.xml");
  TXmlDoc first;
  Fill(first, u"a much longer first value");
  ASSERT_FALSE(XmlSaveFile(first, path.c_str(), 16000));
  TXmlDoc second;
  Fill(second, u"b");
  ASSERT_FALSE(XmlSaveFile(second, path.c_str(), 16000));
  TString text;
  second.FillString(text, true);
  EXPECT_EQ(ReadBytes(path.c_str()),
            "\xFF\xFE" + xml_test::Utf16Le(std::u16string(text.Str(), text.Length())));
  EXPECT_FALSE(platform::File::Exists(Temporary(path).c_str()));
}

// Whatever goes wrong, the previous file stays as it was and no temporary file is left.
TEST(XmlSaveFile, FailuresKeepThePreviousFile) {
  TempPath path(u"kept.xml");
  TXmlDoc previous;
  Fill(previous, u"previous");
  ASSERT_FALSE(XmlSaveFile(previous, path.c_str(), 16000));
  const std::string before = ReadBytes(path.c_str());
  struct Case {
    const char* name;
    bool failOpen;
    long writeBudget;
  } const cases[] = {{"cannot create", true, -1},
                     {"nothing written", false, 0},
                     {"cut after the mark", false, 2},
                     {"cut in the text", false, 40}};
  for (const Case& c : cases) {
    TXmlDoc doc;
    Fill(doc, u"replacement");
    platform::faults::FileFaults faults;
    faults.failOpen = c.failOpen;
    faults.writeBudget = c.writeBudget;
    bool failed = false;
    {
      xml_test::ScopedFileFaults scoped(faults);
      failed = XmlSaveFile(doc, path.c_str(), 16000);
    }
    EXPECT_TRUE(failed) << c.name;
    EXPECT_EQ(ReadBytes(path.c_str()), before) << c.name;
    EXPECT_FALSE(platform::File::Exists(Temporary(path).c_str())) << c.name;
  }
}

// A directory in the file's place cannot be replaced.
TEST(XmlSaveFile, ReplacingFailsAndCleansUp) {
  TempPath path(u"directory.xml");
  const std::filesystem::path directory(std::u16string(path.c_str()));
  std::filesystem::create_directory(directory);
  TXmlDoc doc;
  Fill(doc, u"value");
  EXPECT_TRUE(XmlSaveFile(doc, path.c_str(), 16000));
  EXPECT_TRUE(std::filesystem::is_directory(directory));
  EXPECT_FALSE(platform::File::Exists(Temporary(path).c_str()));
  std::filesystem::remove(directory);
}

}  // namespace
