#include "app_context/start_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::u16string Text(const TString& s) { return std::u16string(s.Str(), s.Length()); }

#ifdef _WIN32
constexpr char16_t kSeparator[] = u"\\";
#else
constexpr char16_t kSeparator[] = u"/";
#endif

// Restores the start directory and the current directory a test changes.
class StartDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    start_ = StartDirectory();
    current_ = std::filesystem::current_path();
  }
  void TearDown() override {
    std::filesystem::current_path(current_);
    SetStartDirectory(start_);
  }
  std::filesystem::path current_;

 private:
  TString start_;
};

TEST_F(StartDirectoryTest, LaterChangesOfTheCurrentDirectoryDoNotCount) {
  const std::u16string first = Text(StartDirectory());
  const std::filesystem::path elsewhere = current_ / "start_directory_test_elsewhere";
  std::filesystem::create_directories(elsewhere);
  std::filesystem::current_path(elsewhere);
  EXPECT_EQ(Text(StartDirectory()), first);
  EXPECT_EQ(Text(ReadCurrentDirectory()), elsewhere.u16string());
  std::filesystem::current_path(current_);
  std::filesystem::remove_all(elsewhere);
}

TEST_F(StartDirectoryTest, TheApplicationSetsIt) {
  SetStartDirectory(u"D:\\Plant");
  EXPECT_EQ(Text(StartDirectory()), u"D:\\Plant");
  EXPECT_EQ(Text(FileInStartDirectory(u"Varnel.log")),
            u"D:\\Plant" + std::u16string(kSeparator) + u"Varnel.log");
}

TEST_F(StartDirectoryTest, FileNamesInADirectory) {
  struct Case {
    const char16_t* directory;
    std::u16string name;
  } const cases[] = {
      {u"", u"a.xml"},
      {u"dir", u"dir" + std::u16string(kSeparator) + u"a.xml"},
      {u"C:\\", u"C:\\a.xml"},
      {u"/tmp/", u"/tmp/a.xml"},
      {u"C:\\Work\\Plant", u"C:\\Work\\Plant" + std::u16string(kSeparator) + u"a.xml"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(FileInDirectory(c.directory, u"a.xml")), c.name) << "case " << &c - cases;
  }
}

#ifndef _WIN32
// Windows limits the current directory far below the limit; POSIX lets a test go past it.
TEST_F(StartDirectoryTest, OverlongCurrentDirectoryGivesRelativeNames) {
  std::filesystem::path deep = current_ / "start_directory_test_deep";
  std::filesystem::remove_all(deep);
  const std::string level(200, 'd');
  std::filesystem::path path = deep;
  while (path.u16string().size() <= kMaxStartDirectoryUnits) path /= level;
  std::filesystem::create_directories(path);
  std::filesystem::current_path(path);
  EXPECT_TRUE(ReadCurrentDirectory().IsEmpty());
  EXPECT_EQ(Text(FileInDirectory(ReadCurrentDirectory(), u"a.xml")), u"a.xml");
  std::filesystem::current_path(current_);
  std::filesystem::remove_all(deep);
}
#endif

}  // namespace
