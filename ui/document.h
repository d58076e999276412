// Documents and views: a document knows its views only to tell them about changes through a
// numbered hint; a view shows one document and draws it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/commands.h"
#include "ui/window.h"

namespace ui {

class View;

class Document : public CommandTarget {
 public:
  Document() = default;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // A new, empty document; false cancels its creation.
  virtual bool OnNewDocument() { return true; }
  // Reads the file; false when it could not be read.
  virtual bool OnOpenDocument(const std::wstring& path) = 0;
  // Writes the file; false when it could not be written.
  virtual bool OnSaveDocument(const std::wstring& path) = 0;
  virtual bool IsModified() const = 0;
  virtual void SetModified(bool modified) = 0;
  // The name proposed by the save dialog for this document (the title by default).
  virtual std::wstring ProposedFileName() const { return title_; }

  const std::wstring& PathName() const { return path_; }
  // Sets the path and the title (the file's name without its folder).
  void SetPathName(const std::wstring& path);
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);

  const std::vector<View*>& Views() const { return views_; }
  void AddView(View* view);
  void RemoveView(View* view);
  // Calls OnUpdate of every view but the sender with the hint.
  void UpdateAllViews(View* sender, LPARAM hint);

 private:
  std::wstring path_;
  std::wstring title_;
  std::vector<View*> views_;
};

class View : public Window, public CommandTarget {
 public:
  ~View() override;

  Document* GetDocument() const { return document_; }
  // Joins the document (the frame calls this before the view's window exists).
  void SetDocument(Document* document);

  // The first showing: an update with hint 0 unless a view does more.
  virtual void OnInitialUpdate() { OnUpdate(nullptr, 0); }
  virtual void OnUpdate(View* /*sender*/, LPARAM /*hint*/) {
    InvalidateRect(Hwnd(), nullptr, FALSE);
  }

 protected:
  bool OnSetFocus(HWND previous) override;

 private:
  Document* document_ = nullptr;
};

}  // namespace ui
