#include "ui/document.h"

#include <algorithm>

#include "ui/mdi_child_messages.h"

namespace ui {

void Document::SetPathName(const std::wstring& path) {
  path_ = path;
  const std::size_t slash = path.find_last_of(L"\\/");
  SetTitle(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

void Document::SetTitle(const std::wstring& title) { title_ = title; }

void Document::AddView(View* view) {
  if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void Document::RemoveView(View* view) { std::erase(views_, view); }

void Document::UpdateAllViews(View* sender, LPARAM hint) {
  // A view may go away while another one updates (a closing frame): walk a copy.
  const std::vector<View*> views = views_;
  for (View* v : views) {
    if (v != sender && std::find(views_.begin(), views_.end(), v) != views_.end()) {
      v->OnUpdate(sender, hint);
    }
  }
}

View::~View() {
  if (document_) document_->RemoveView(this);
}

void View::SetDocument(Document* document) {
  if (document_) document_->RemoveView(this);
  document_ = document;
  if (document_) document_->AddView(this);
}

bool View::OnSetFocus(HWND /*previous*/) {
  for (HWND w = GetParent(Hwnd()); w; w = GetParent(w)) {
    if (SendMessageW(w, kViewActivatedMessage, 0, reinterpret_cast<LPARAM>(this))) break;
  }
  return false;
}

}  // namespace ui
