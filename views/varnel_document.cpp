#include "views/varnel_document.h"

namespace views {

namespace {
const char16_t* AsText(const std::wstring& s) { return reinterpret_cast<const char16_t*>(s.c_str()); }
}  // namespace

bool VarnelDocument::OnOpenDocument(const std::wstring& path) {
  // Load answers true when the file could not be read as a document.
  return !doc_.Load(AsText(path));
}

bool VarnelDocument::OnSaveDocument(const std::wstring& path) { return !doc_.Save(AsText(path)); }

std::wstring VarnelDocument::ProposedFileName() const {
  const TString name = DocumentFileName(TString(AsText(Title())));
  return std::wstring(reinterpret_cast<const wchar_t*>(name.Str()));
}

}  // namespace views
