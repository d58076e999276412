#include "xml/xml_file.h"

#include <algorithm>

#include "platform/file.h"

namespace {
constexpr char16_t kByteOrderMark = 0xFEFF;
constexpr std::uint32_t kSpareUnits = 8;
}  // namespace

XmlFileStatus XmlLoadFile(const char16_t* fileName, TString& text) {
  text.Clear();
  platform::File file;
  if (!file.Open(fileName, platform::File::Mode::Read)) return XmlFileStatus::CannotOpen;
  // Room for the whole file first: LoadFromFile cuts a file that does not fit the buffer.
  const std::int64_t units = std::max<std::int64_t>(file.Size(), 0) / 2 + 1;
  text.Reserve(static_cast<std::uint32_t>(std::min<std::int64_t>(units, TString::kMaxLength)) +
               kSpareUnits);
  text.LoadFromFile(file);
  if (text.Length() == 0 || text.Str()[0] != kByteOrderMark) {
    text.Clear();
    return XmlFileStatus::NotUnicode;
  }
  return XmlFileStatus::Read;
}
