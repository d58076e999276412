#include "views/varnel_document.h"

#include "platform/wide.h"

namespace views {

bool VarnelDocument::OnOpenDocument(const std::wstring& path) {
  // Load answers true when the file could not be read as a document.
  return !doc_.Load(platform::U16(path.c_str()));
}

bool VarnelDocument::OnSaveDocument(const std::wstring& path) {
  return !doc_.Save(platform::U16(path.c_str()));
}

std::wstring VarnelDocument::ProposedFileName() const {
  const TString name = DocumentFileName(TString(platform::U16(Title().c_str())));
  return std::wstring(platform::W(name.Str()));
}

}  // namespace views
