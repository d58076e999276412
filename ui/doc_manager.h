// The document manager: makes, opens, saves and closes documents through one document
// template, asks before a modified document is closed, and keeps the recent-file list.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "strings/command_ids.h"
#include "ui/commands.h"
#include "ui/document.h"
#include "ui/recent_files.h"

namespace ui {

struct DocTemplate {
  std::function<std::unique_ptr<Document>()> make_document;
  // Opens the document's window with its views; false when it could not be made.
  std::function<bool(Document&)> open_frame;
  // Closes every window of the document (the manager then forgets it).
  std::function<void(Document&)> close_frames;
  // Brings the document's window to the top.
  std::function<void(Document&)> activate;
};

struct FileDialogArgs {
  // "Text\0pattern\0...\0\0" as the common dialog takes it, made each time a dialog opens (its
  // texts follow the program's language of that moment).
  std::function<std::wstring()> filter;
  std::wstring default_ext;  // without the dot
  // The name the dialog proposes and the name it returns pass through this (e.g. the extension).
  std::function<std::wstring(const std::wstring&)> normalize;
};

// A filter of two entries for FileDialogArgs: the files of one pattern, then all files ("*.*").
std::wstring FileFilter(const std::wstring& files, const wchar_t* pattern,
                        const std::wstring& all_files);

// The common file dialog: a name to open or to save under (asking before an existing file is
// replaced), with the dialog's own title when `title` is given; empty when cancelled.
std::wstring AskFileName(HWND owner, const FileDialogArgs& dialog, const std::wstring& proposed,
                         bool save, const std::wstring& title = L"");

// Framework texts, by string-table number.
struct DocManagerTexts {
  std::function<std::wstring(UINT id)> text;
  UINT ask_to_save = 0;     // "Save changes to %1?"
  UINT failed_to_open = 0;  // "...%1..."
  UINT failed_to_save = 0;
};

class DocManager : public CommandTarget {
 public:
  DocManager(DocTemplate doc_template, FileDialogArgs dialog, DocManagerTexts texts,
             RecentFiles recent);

  void SetOwner(HWND owner) { owner_ = owner; }
  // The document whose window is active, given by the frame.
  void SetActiveDocumentSource(std::function<Document*()> source) { active_ = std::move(source); }

  Document* NewDocument();
  // Opens the file, or brings its window to the top when it is open already. Null on failure.
  Document* OpenDocument(const std::wstring& path);
  // Saves the document under its path, asking for one when it has none; false when not saved.
  bool SaveDocument(Document& document, bool ask_for_name);
  // Asks about a modified document: true when it may be closed (saved or discarded).
  bool CanCloseDocument(Document& document);
  // The same for every document; false as soon as one answer is Cancel.
  bool CanCloseAll();
  // A document's window went away: the document is closed.
  void OnFrameDestroyed(Document& document);

  const std::vector<std::unique_ptr<Document>>& Documents() const { return documents_; }
  RecentFiles& Recent() { return recent_; }

 private:
  std::wstring AskFileName(const std::wstring& proposed, bool save) const;
  void ShowMessage(UINT text_id, const std::wstring& argument) const;
  Document* Adopt(std::unique_ptr<Document> document);

  DocTemplate template_;
  FileDialogArgs dialog_;
  DocManagerTexts texts_;
  RecentFiles recent_;
  HWND owner_ = nullptr;
  std::function<Document*()> active_;
  std::vector<std::unique_ptr<Document>> documents_;
  int untitled_count_ = 0;
};

}  // namespace ui
