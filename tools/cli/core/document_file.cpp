#include "tools/cli/core/document_file.h"

#include "tools/cli/core/utf8.h"

namespace cli {

namespace {

std::string LoadFailureCause(const TVarnelDoc& doc) {
  using TOutcome = TVarnelDoc::TLoadOutcome;
  switch (doc.LastLoadOutcome()) {
    case TOutcome::CannotOpen:
      return "no such file, or it cannot be opened";
    case TOutcome::NotUnicode:
      return "not a UTF-16 text file (no byte-order mark)";
    case TOutcome::CannotReadAll:
      return "the file could not be read to its end";
    case TOutcome::NoDocument:
      return "not a Varnel document (no VarnelDoc element)";
    case TOutcome::Unfinished:
      return "the file is cut short (the document is never closed)";
    case TOutcome::SectionMissing:
      return "its " + ToUtf8(doc.MissingSection()) + " section is missing";
    case TOutcome::Read:
      break;
  }
  return "unknown cause";
}

}  // namespace

std::string LoadDocument(const std::string& file, TVarnelDoc& doc) {
  // A file that ends inside the document may still hold every section (it was cut in the last);
  // a command would show or step, and save, what is left of it: refused all the same.
  const bool failed = doc.Load(FromUtf8(file).Str());
  if (!failed && doc.LastLoadOutcome() != TVarnelDoc::TLoadOutcome::Unfinished) return {};
  return "cannot read document " + file + ": " + LoadFailureCause(doc);
}

}  // namespace cli
