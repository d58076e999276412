// A document window inside the MDI frame: it shows one document through its views and passes
// what it does not handle to DefMDIChildProc.
#pragma once

#include "ui/commands.h"
#include "ui/document.h"
#include "ui/window.h"

namespace ui {

class DocManager;

// What a document window needs of the frame that holds it.
class MdiChildHost {
 public:
  virtual HWND MdiClient() const = 0;
  virtual DocManager& Documents() const = 0;
  // A document window came to the top or went away.
  virtual void OnChildActivated() = 0;

 protected:
  ~MdiChildHost() = default;
};

class MdiChild : public Window, public CommandTarget {
 public:
  // Children are made with new and delete themselves when their window is destroyed.
  static constexpr wchar_t kClassName[] = L"VarnelMdiChild";

  // Creates the window in the frame's MDI client for the document; the views are made by
  // OnCreateViews. Maximised when the active child is.
  bool CreateIn(MdiChildHost& frame, Document& document, HICON icon);

  Document* GetDocument() const { return document_; }
  View* ActiveView() const { return active_view_; }
  void SetActiveView(View* view) { active_view_ = view; }
  MdiChildHost* Frame() const { return frame_; }
  void Activate();

 protected:
  // Creates the views of the document inside this window.
  virtual bool OnCreateViews(const CREATESTRUCTW& create) = 0;
  LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnCreate(const CREATESTRUCTW& create) override;
  bool OnClose() override;
  // The child owns itself: it tells the document manager, which closes the document, and goes.
  void OnFinalMessage() override;

 private:
  MdiChildHost* frame_ = nullptr;
  Document* document_ = nullptr;
  View* active_view_ = nullptr;
};

}  // namespace ui
