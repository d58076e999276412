#include "ui/doc_manager.h"

#include <commdlg.h>

#include <algorithm>

#include "ui/text_args.h"

namespace ui {

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH * 2];
  const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
  return n > 0 && n < MAX_PATH * 2 ? std::wstring(full, n) : path;
}

// "%1" replaced by the argument.
std::wstring Format(const std::wstring& text, const std::wstring& argument) {
  return ReplaceArgument(text, L"%1", argument);
}

}  // namespace

DocManager::DocManager(DocTemplate doc_template, FileDialogArgs dialog, DocManagerTexts texts,
                       RecentFiles recent)
    : template_(std::move(doc_template)),
      dialog_(std::move(dialog)),
      texts_(std::move(texts)),
      recent_(std::move(recent)) {
  auto active = [this] { return active_ ? active_() : nullptr; };
  auto has_active = [active](CommandState& s) { s.enabled = active() != nullptr; };
  Commands().Add(ID_FILE_NEW, [this](UINT) { NewDocument(); });
  Commands().Add(ID_FILE_OPEN, [this](UINT) {
    const std::wstring path = AskFileName(L"", false);
    if (!path.empty()) OpenDocument(path);
  });
  Commands().Add(
      ID_FILE_SAVE,
      [this, active](UINT) {
        if (Document* d = active()) SaveDocument(*d, false);
      },
      has_active);
  Commands().Add(
      ID_FILE_SAVE_AS,
      [this, active](UINT) {
        if (Document* d = active()) SaveDocument(*d, true);
      },
      has_active);
  Commands().Add(
      ID_FILE_CLOSE,
      [this, active](UINT) {
        Document* d = active();
        if (d && CanCloseDocument(*d)) template_.close_frames(*d);
      },
      has_active);
  Commands().Add(
      ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST,
      [this](UINT id) {
        const std::size_t k = id - ID_FILE_MRU_FILE1;
        if (k < recent_.Paths().size()) OpenDocument(recent_.Paths()[k]);
      },
      [this](CommandState& s) { s.enabled = s.id - ID_FILE_MRU_FILE1 < recent_.Paths().size(); });
}

Document* DocManager::Adopt(std::unique_ptr<Document> document) {
  documents_.push_back(std::move(document));
  Document* d = documents_.back().get();
  if (!template_.open_frame(*d)) {
    // The frame may already have gone and closed the document; forget it if not.
    std::erase_if(documents_, [d](const std::unique_ptr<Document>& p) { return p.get() == d; });
    return nullptr;
  }
  return d;
}

Document* DocManager::NewDocument() {
  std::unique_ptr<Document> document = template_.make_document();
  if (!document || !document->OnNewDocument()) return nullptr;
  document->SetTitle(L"Varnel" + std::to_wstring(++untitled_count_));
  return Adopt(std::move(document));
}

Document* DocManager::OpenDocument(const std::wstring& given) {
  const std::wstring path = FullPath(given);
  for (const auto& d : documents_) {
    if (!d->PathName().empty() && SamePath(d->PathName(), path)) {
      template_.activate(*d);
      return d.get();
    }
  }
  std::unique_ptr<Document> document = template_.make_document();
  if (!document || !document->OnOpenDocument(path)) {
    ShowMessage(texts_.failed_to_open, path);
    recent_.Remove(path);
    recent_.Save();
    return nullptr;
  }
  document->SetPathName(path);
  document->SetModified(false);
  recent_.Add(path);
  recent_.Save();
  return Adopt(std::move(document));
}

bool DocManager::SaveDocument(Document& document, bool ask_for_name) {
  std::wstring path = document.PathName();
  if (ask_for_name || path.empty()) {
    path = AskFileName(path.empty() ? document.ProposedFileName() : path, true);
    if (path.empty()) return false;
  }
  if (!document.OnSaveDocument(path)) {
    ShowMessage(texts_.failed_to_save, path);
    return false;
  }
  document.SetPathName(path);
  document.SetModified(false);
  recent_.Add(path);
  recent_.Save();
  return true;
}

bool DocManager::CanCloseDocument(Document& document) {
  if (!document.IsModified()) return true;
  template_.activate(document);
  const std::wstring name = document.PathName().empty() ? document.Title() : document.PathName();
  const int answer = MessageBoxW(owner_, Format(texts_.text(texts_.ask_to_save), name).c_str(),
                                 L"Varnel", MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  if (answer == IDCANCEL) return false;
  if (answer == IDNO) return true;
  return SaveDocument(document, false);
}

bool DocManager::CanCloseAll() {
  std::vector<Document*> all;
  for (const auto& p : documents_) all.push_back(p.get());
  for (Document* d : all) {
    if (!CanCloseDocument(*d)) return false;
  }
  return true;
}

void DocManager::OnFrameDestroyed(Document& document) {
  // The views are going with the frame; they must not reach back into the document.
  for (View* v : std::vector<View*>(document.Views())) v->SetDocument(nullptr);
  std::erase_if(documents_,
                [&](const std::unique_ptr<Document>& p) { return p.get() == &document; });
}

std::wstring DocManager::AskFileName(const std::wstring& proposed, bool save) const {
  return ui::AskFileName(owner_, dialog_, proposed, save);
}

std::wstring FileFilter(const std::wstring& files, const wchar_t* pattern,
                        const std::wstring& all_files) {
  std::wstring filter = files;
  filter += L'\0';
  filter += pattern;
  filter += L'\0';
  filter += all_files;
  filter += L'\0';
  filter += L"*.*";
  filter += L'\0';
  return filter;
}

std::wstring AskFileName(HWND owner, const FileDialogArgs& dialog, const std::wstring& proposed,
                         bool save, const std::wstring& title) {
  wchar_t file[MAX_PATH * 2] = {};
  const std::wstring start =
      dialog.normalize && !proposed.empty() ? dialog.normalize(proposed) : proposed;
  start.copy(file, std::min<std::size_t>(start.size(), MAX_PATH * 2 - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  const std::wstring filter = dialog.filter ? dialog.filter() : std::wstring();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH * 2;
  ofn.lpstrDefExt = dialog.default_ext.empty() ? nullptr : dialog.default_ext.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR |
              (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
  const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return {};
  std::wstring chosen = file;
  if (save && dialog.normalize) chosen = dialog.normalize(chosen);
  return chosen;
}

void DocManager::ShowMessage(UINT text_id, const std::wstring& argument) const {
  MessageBoxW(owner_, Format(texts_.text(text_id), argument).c_str(), L"Varnel",
              MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace ui
