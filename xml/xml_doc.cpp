// Serialising a whole document and writing it as UTF-16LE with a byte-order mark.
#include "xml/xml_doc.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "platform/file.h"
#include "platform/locale.h"
#include "text/assert_report.h"

namespace {

constexpr std::uint32_t kMinimumCapacity = 16;
constexpr std::uint32_t kFillCapacity = 32000;
constexpr unsigned char kByteOrderMark[] = {0xFF, 0xFE};

// Writes all bytes or sets the position back to where the write began. Returns true on failure.
bool WriteOrRewind(platform::File& file, const void* bytes, std::size_t count) {
  const std::int64_t start = file.Tell();
  if (file.Write(bytes, count) == count) return false;
  if (start >= 0) file.Seek(start, platform::File::Origin::Begin);
  return true;
}

bool WriteUtf16Le(platform::File& file, const TString& text) {
  if constexpr (std::endian::native == std::endian::little) {
    return WriteOrRewind(file, text.Str(), std::size_t{text.Length()} * 2);
  } else {
    std::vector<unsigned char> bytes;
    bytes.reserve(std::size_t{text.Length()} * 2);
    for (std::uint32_t i = 0; i < text.Length(); ++i) {
      bytes.push_back(static_cast<unsigned char>(text.Str()[i] & 0xFF));
      bytes.push_back(static_cast<unsigned char>(text.Str()[i] >> 8));
    }
    return WriteOrRewind(file, bytes.data(), bytes.size());
  }
}

}  // namespace

TXmlDoc::TXmlDoc() : header_(kXmlHeader), indent_(u"\r\n") {}

TXmlDoc::~TXmlDoc() = default;

void TXmlDoc::SetHeader(const char16_t* text) { header_.Assign(text ? text : u""); }

void TXmlDoc::SetRoot(TXmlNode* node) {
  AssertReport(u"Do not set the XML Document root twice", root_ == nullptr);
  if (node == root_.get()) return;  // the same node again: resetting would delete it
  root_.reset(node);
}

bool TXmlDoc::FillString(TString& output, bool pretty) {
  platform::ScopedFileNumerics numerics;
  output.Reserve(kFillCapacity);
  output.Assign(header_.Str());
  if (root_) {
    TString indent(indent_);
    root_->FillString(indent, output, pretty);
  }
  return false;
}

bool TXmlDoc::WriteTo(platform::File& file, std::uint32_t initialCapacity) {
  TString text(std::max(initialCapacity, kMinimumCapacity));
  FillString(text, true);
  bool failed = WriteOrRewind(file, kByteOrderMark, sizeof kByteOrderMark);
  if (WriteUtf16Le(file, text)) failed = true;
  return failed;
}

bool TXmlDoc::SaveAs(const char16_t* fileName, std::uint32_t initialCapacity) {
  platform::File file;
  if (!file.Open(fileName, platform::File::Mode::Write)) return true;
  bool failed = WriteTo(file, initialCapacity);
  if (!file.Flush()) failed = true;
  return failed;
}
