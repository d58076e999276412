#include "platform/file.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <string>

namespace {

std::u16string TempPath(const char16_t* leaf) {
  // The working directory of a test is the build tree, under Wine as natively.
  return std::u16string(u"varnel_file_test_") + leaf;
}

// A three-character file, and the first three characters of one.
void WriteThree(const std::u16string& path, const char* text) {
  platform::File f;
  ASSERT_TRUE(f.Open(path.c_str(), platform::File::Mode::Write));
  f.Write(text, 3);
}

std::string ReadThree(const std::u16string& path) {
  platform::File f;
  if (!f.Open(path.c_str(), platform::File::Mode::Read)) return "(cannot open)";
  char buf[4] = {};
  f.Read(buf, 3);
  return buf;
}

TEST(File, WriteReadSeekAndSize) {
  std::u16string path = TempPath(u"basic.bin");
  {
    platform::File f;
    ASSERT_TRUE(f.Open(path.c_str(), platform::File::Mode::Write));
    EXPECT_EQ(f.Write("0123456789", 10), 10u);
  }
  platform::File f;
  ASSERT_TRUE(f.Open(path.c_str(), platform::File::Mode::Read));
  EXPECT_EQ(f.Size(), 10);
  EXPECT_TRUE(f.Seek(4, platform::File::Origin::Begin));
  char buf[16] = {};
  EXPECT_EQ(f.Read(buf, sizeof buf), 6u);
  EXPECT_STREQ(buf, "456789");
  EXPECT_EQ(f.Tell(), 10);
  f.Close();
  EXPECT_TRUE(platform::File::Remove(path.c_str()));
  EXPECT_FALSE(platform::File::Exists(path.c_str()));
}

TEST(File, NonAsciiNamesAndRenameOverExisting) {
  std::u16string from = TempPath(u"\u00E9t\u00E9 \u0416.log");
  std::u16string to = TempPath(u"\u00E9t\u00E9 \u0416.log.bu");
  WriteThree(from, "new");
  WriteThree(to, "old");
  ASSERT_TRUE(platform::File::Rename(from.c_str(), to.c_str()));
  EXPECT_FALSE(platform::File::Exists(from.c_str()));
  EXPECT_EQ(ReadThree(to), "new");
  platform::File::Remove(to.c_str());
}

#ifdef _WIN32
// A reader that holds the target open without letting it be deleted, as std::ifstream does, for a
// moment: the replacement waits for it instead of failing (a save used to be lost that way); one
// that holds it for good still fails, after about a second.
TEST(File, RenameWaitsForAReaderOfTheTargetThatLetsGo) {
  const std::u16string from = TempPath(u"held.new");
  const std::u16string to = TempPath(u"held.xml");
  const auto held = [&] {
    return CreateFileW(reinterpret_cast<const wchar_t*>(to.c_str()), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  };
  WriteThree(from, "new");
  WriteThree(to, "old");
  HANDLE reader = held();
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  HANDLE letGo = CreateThread(
      nullptr, 0,
      [](void* handle) -> DWORD {
        Sleep(300);
        CloseHandle(static_cast<HANDLE>(handle));
        return 0;
      },
      reader, 0, nullptr);
  ASSERT_NE(letGo, nullptr);
  EXPECT_TRUE(platform::File::Rename(from.c_str(), to.c_str()));
  WaitForSingleObject(letGo, INFINITE);
  CloseHandle(letGo);
  EXPECT_FALSE(platform::File::Exists(from.c_str()));

  WriteThree(from, "two");
  reader = held();
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  const DWORD start = GetTickCount();
  EXPECT_FALSE(platform::File::Rename(from.c_str(), to.c_str()));
  EXPECT_GE(GetTickCount() - start, 800u);
  CloseHandle(reader);
  EXPECT_EQ(ReadThree(to), "new");
  platform::File::Remove(from.c_str());
  platform::File::Remove(to.c_str());
}
#endif

#ifndef _WIN32
// A name with a surrogate that has no partner (legal in a Windows name) is written with U+FFFD in
// its place, never as invalid UTF-8, and the same name finds the same file again.
TEST(File, NameWithALoneSurrogate) {
  const std::u16string path = TempPath(u"lone_") + char16_t(0xD800) + u".bin";
  {
    platform::File f;
    ASSERT_TRUE(f.Open(path.c_str(), platform::File::Mode::Write));
    EXPECT_EQ(f.Write("lone", 4), 4u);
  }
  EXPECT_TRUE(platform::File::Exists(path.c_str()));
  platform::File f;
  ASSERT_TRUE(f.Open(path.c_str(), platform::File::Mode::Read));
  char buf[8] = {};
  EXPECT_EQ(f.Read(buf, sizeof buf), 4u);
  EXPECT_STREQ(buf, "lone");
  f.Close();
  std::FILE* replaced = std::fopen("varnel_file_test_lone_\xEF\xBF\xBD.bin", "rb");
  EXPECT_NE(replaced, nullptr) << "the name on disk is not the replaced one";
  if (replaced) std::fclose(replaced);
  EXPECT_TRUE(platform::File::Remove(path.c_str()));
  EXPECT_FALSE(platform::File::Exists(path.c_str()));
}
#endif

TEST(File, MissingFileAndInjectedFaults) {
  platform::File f;
  EXPECT_FALSE(f.Open(TempPath(u"does-not-exist").c_str(), platform::File::Mode::Read));
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(f.Read(nullptr, 0), 0u);
  EXPECT_EQ(f.Size(), -1);

  platform::faults::FileFaults faults;
  faults.writeBudget = 4;
  platform::faults::SetFileFaults(&faults);
  std::u16string path = TempPath(u"faults.bin");
  ASSERT_TRUE(f.Open(path.c_str(), platform::File::Mode::Write));
  EXPECT_EQ(f.Write("abcdef", 6), 4u);
  EXPECT_EQ(f.Write("gh", 2), 0u);
  f.Close();
  faults.failOpen = true;
  EXPECT_FALSE(f.Open(path.c_str(), platform::File::Mode::Read));
  platform::faults::SetFileFaults(nullptr);
  EXPECT_TRUE(f.Open(path.c_str(), platform::File::Mode::Read));
  EXPECT_EQ(f.Size(), 4);
  f.Close();
  platform::File::Remove(path.c_str());
}

TEST(File, TruncateCutsAtTheCurrentPositionAfterBufferedWrites) {
  std::u16string path = TempPath(u"truncate.bin");
  platform::File f;
  ASSERT_TRUE(f.Open(path.c_str(), platform::File::Mode::Write));
  f.Write("0123456789", 10);
  ASSERT_TRUE(f.Seek(6, platform::File::Origin::Begin));
  f.Write("ab", 2);  // still buffered when the file is cut
  EXPECT_TRUE(f.Truncate());
  EXPECT_EQ(f.Size(), 8);
  f.Close();
  ASSERT_TRUE(f.Open(path.c_str(), platform::File::Mode::Read));
  char buf[16] = {};
  EXPECT_EQ(f.Read(buf, sizeof buf), 8u);
  EXPECT_STREQ(buf, "012345ab");
  f.Close();
  EXPECT_FALSE(platform::File().Truncate());
  platform::File::Remove(path.c_str());
}

TEST(MappedFile, MapsWholeFilesCopyOnWrite) {
  const std::u16string path = TempPath(u"mapped.bin");
  WriteThree(path, "abc");
  {
    platform::MappedFile mapped;
    ASSERT_TRUE(mapped.Open(path.c_str()));
    ASSERT_EQ(mapped.Size(), 3u);
    EXPECT_EQ(std::string(mapped.Data(), 3), "abc");
    // The rest of the page reads as zeros.
    EXPECT_GE(mapped.ZeroTail(), 1u);
    EXPECT_EQ(mapped.Data()[3], 0);
    mapped.Data()[0] = 'x';
    EXPECT_EQ(ReadThree(path), "abc");
    mapped.Close();
    EXPECT_EQ(mapped.Data(), nullptr);
    EXPECT_EQ(mapped.ZeroTail(), 0u);
  }
  platform::MappedFile mapped;
  EXPECT_FALSE(mapped.Open(TempPath(u"does-not-exist").c_str()));
  platform::faults::FileFaults faults;
  faults.failOpen = true;
  platform::faults::SetFileFaults(&faults);
  EXPECT_FALSE(mapped.Open(path.c_str()));
  platform::faults::SetFileFaults(nullptr);
  {
    platform::File empty;
    ASSERT_TRUE(empty.Open(path.c_str(), platform::File::Mode::Write));
  }
  EXPECT_FALSE(mapped.Open(path.c_str()));
  EXPECT_EQ(mapped.Size(), 0u);
  platform::File::Remove(path.c_str());
}

}  // namespace
