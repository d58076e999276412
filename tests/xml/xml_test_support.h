// Helpers shared by the XML tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file.h"
#include "platform/screen.h"
#include "text/assert_report.h"
#include "tests/text/text_test_support.h"
#include "text/tstring.h"

namespace xml_test {

inline std::u16string Text(const TString& s) { return std::u16string(s.Str(), s.Length()); }

// Collects the assertion lines reported while it lives.
class AssertCapture {
 public:
  AssertCapture() : previous_(SetAssertSink(&AssertCapture::Collect)) { Lines().clear(); }
  ~AssertCapture() { SetAssertSink(previous_); }
  AssertCapture(const AssertCapture&) = delete;
  AssertCapture& operator=(const AssertCapture&) = delete;

  const std::vector<std::u16string>& lines() const { return Lines(); }
  bool Saw(const std::u16string& message) const {
    for (const auto& line : Lines()) {
      if (line.ends_with(u": " + message)) return true;
    }
    return false;
  }

 private:
  static std::vector<std::u16string>& Lines() {
    static std::vector<std::u16string> lines;
    return lines;
  }
  static void Collect(const char16_t* line) { Lines().emplace_back(line); }
  AssertSink previous_;
};

using text_test::ScopedDecimalPoint;

class ScopedWorkArea {
 public:
  explicit ScopedWorkArea(platform::ScreenRect area) { platform::SetWorkAreaForTesting(area); }
  ~ScopedWorkArea() { platform::SetWorkAreaForTesting(std::nullopt); }
  ScopedWorkArea(const ScopedWorkArea&) = delete;
  ScopedWorkArea& operator=(const ScopedWorkArea&) = delete;
};

using platform::faults::ScopedFileFaults;

// A file name in the working directory (the build tree, natively and under Wine), removed when
// the object goes. The running test's name comes first, so test cases that run at the same time
// in separate processes never share a file.
class TempPath {
 public:
  explicit TempPath(const char16_t* name) : path_(CurrentTestPrefix() + name) {
    platform::File::Remove(path_.c_str());
  }
  ~TempPath() { platform::File::Remove(path_.c_str()); }
  TempPath(const TempPath&) = delete;
  TempPath& operator=(const TempPath&) = delete;

  const char16_t* c_str() const { return path_.c_str(); }

 private:
  static std::u16string CurrentTestPrefix() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::u16string prefix;
    if (!test) return prefix;
    for (const char* part : {test->test_suite_name(), ".", test->name(), "."}) {
      for (const char* c = part; *c; ++c) {
        const bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') ||
                           (*c >= '0' && *c <= '9') || *c == '.';
        prefix += plain ? static_cast<char16_t>(*c) : u'_';
      }
    }
    return prefix;
  }

  std::u16string path_;
};

inline std::string ReadBytes(const char16_t* path) {
  platform::File file;
  if (!file.Open(path, platform::File::Mode::Read)) return {};
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  return bytes;
}

inline std::string Utf16Le(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

}  // namespace xml_test
