#include "xml/xml_file.h"

#include <algorithm>
#include <bit>

#include "platform/file.h"
#include "xml/xml_doc.h"

namespace {
constexpr char16_t kByteOrderMark = 0xFEFF;
constexpr std::uint32_t kSpareUnits = 8;
constexpr char16_t kTemporarySuffix[] = u".tmp";

// Writes the whole document into the file. Returns true when any of it could not be written.
bool WriteWhole(TXmlDoc& doc, const char16_t* fileName, std::uint32_t initialCapacity) {
  platform::File file;
  if (!file.Open(fileName, platform::File::Mode::Write)) return true;
  bool failed = doc.WriteTo(file, initialCapacity);
  // The mark and at most TString::kMaxLength units: a text that long has been cut.
  const std::int64_t cutSize = 2 + std::int64_t{TString::kMaxLength} * 2;
  if (file.Tell() >= cutSize) failed = true;
  if (!file.Flush()) failed = true;
  return failed;
}

}  // namespace

XmlFileStatus XmlLoadFile(const char16_t* fileName, TString& text) {
  text.Clear();
  platform::File file;
  if (!file.Open(fileName, platform::File::Mode::Read)) return XmlFileStatus::CannotOpen;
  // Room for the whole file first: LoadFromFile cuts a file that does not fit the buffer. A file
  // longer than a text can be, or one whose room could not be had, is read only in part: a
  // document or configuration read from that part would lose the rest without a word.
  const std::int64_t units = std::max<std::int64_t>(file.Size(), 0) / 2 + 1;
  text.Reserve(static_cast<std::uint32_t>(std::min<std::int64_t>(units, TString::kMaxLength)) +
               kSpareUnits);
  if (!text.LoadFromFile(file)) {
    text.Clear();
    return XmlFileStatus::CutShort;
  }
  if (text.Length() == 0 || text.Str()[0] != kByteOrderMark) {
    text.Clear();
    return XmlFileStatus::NotUnicode;
  }
  return XmlFileStatus::Read;
}

XmlFileStatus TXmlFileText::Load(const char16_t* fileName) {
  mapped_.Close();
  read_.Clear();
  text_ = empty_;
  length_ = 0;
  if (Map(fileName)) {
    if (text_[0] == kByteOrderMark) return XmlFileStatus::Read;
    mapped_.Close();
    text_ = empty_;
    length_ = 0;
    return XmlFileStatus::NotUnicode;
  }
  const XmlFileStatus status = XmlLoadFile(fileName, read_);
  if (status == XmlFileStatus::Read) {
    text_ = read_.Buffer();
    length_ = read_.Length();
  }
  return status;
}

// Maps the file when the mapping gives the text XmlLoadFile would read: whole characters in the
// machine's order, no more than a text may hold, and two zero bytes after the last one.
bool TXmlFileText::Map(const char16_t* fileName) {
  if constexpr (std::endian::native != std::endian::little) return false;
  if (!mapped_.Open(fileName)) return false;
  const std::size_t units = mapped_.Size() / 2;
  if (mapped_.Size() % 2 != 0 || units > TString::kMaxLength || mapped_.ZeroTail() < 2) {
    mapped_.Close();
    return false;
  }
  text_ = reinterpret_cast<char16_t*>(mapped_.Data());
  length_ = units;
  return true;
}

bool XmlSaveFile(TXmlDoc& doc, const char16_t* fileName, std::uint32_t initialCapacity) {
  if (fileName == nullptr) return true;
  const TString temporary(fileName, kTemporarySuffix);
  // Closed before the rename: an open file cannot replace another on Windows.
  bool failed = WriteWhole(doc, temporary.Str(), initialCapacity);
  if (!failed && !platform::File::Rename(temporary.Str(), fileName)) failed = true;
  if (failed) platform::File::Remove(temporary.Str());
  return failed;
}
