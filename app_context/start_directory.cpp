#include "app_context/start_directory.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/path.h"

namespace {

// Never destroyed: the log may still form names while other static objects are torn down.
TString& Directory() {
  static TString* directory = new TString(ReadCurrentDirectory());
  return *directory;
}

}  // namespace

const TString& StartDirectory() { return Directory(); }

void SetStartDirectory(const TString& dir) { Directory() = dir; }

TString ReadCurrentDirectory() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error) return TString();
  const std::u16string text = current.u16string();
  if (text.size() > kMaxStartDirectoryUnits) return TString();
  return TString(text.c_str());
}

TString FileInDirectory(const TString& directory, const char16_t* leaf) {
  TString name(directory);
  if (!name.IsEmpty()) {
    const char16_t last = name.Str()[name.Length() - 1];
    if (last != u'\\' && last != u'/') name.Append(platform::kPathSeparator);
  }
  name.Append(leaf);
  return name;
}

TString FileInStartDirectory(const char16_t* leaf) {
  return FileInDirectory(StartDirectory(), leaf);
}
