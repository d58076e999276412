#include "app/doc_template.h"

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/resource.h"
#include "app_context/main_frame_text.h"
#include "document/varnel_doc.h"
#include "platform/wide.h"
#include "strings/string_ids.h"

namespace app {

namespace {

std::wstring Text(UINT id) { return platform::W(RString(static_cast<int>(id))); }

// "Varnel file (*.xml)", "*.xml", "All Files (*.*)", "*.*", each ended by a zero, then one more.
std::wstring FileFilter() {
  return ui::FileFilter(Text(IDS_FILTER_VARNEL_FILES), L"*.xml", Text(IDS_FILTER_ALL_FILES));
}

std::wstring XmlName(const std::wstring& name) {
  const TString fixed = DocumentFileName(TString(platform::U16(name.c_str())));
  return platform::W(fixed.Str());
}

void ForEachFrame(ui::Document& document, const std::function<void(TChildFrame&)>& f) {
  for (ui::View* v : std::vector<ui::View*>(document.Views())) {
    for (HWND w = v->Hwnd(); w; w = GetParent(w)) {
      if (auto* child = dynamic_cast<TChildFrame*>(ui::Window::FromHandle(w))) {
        f(*child);
        return;
      }
    }
  }
}

}  // namespace

std::unique_ptr<ui::DocManager> MakeDocManager(TMainFrame& frame) {
  ui::DocTemplate doc_template;
  doc_template.make_document = [] { return std::make_unique<views::VarnelDocument>(); };
  doc_template.open_frame = [&frame](ui::Document& document) {
    auto* child = new TChildFrame;  // deletes itself with its window
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_VARNELTYPE));
    if (!child->CreateIn(frame, document, icon)) return false;
    auto& doc = static_cast<views::VarnelDocument&>(document);
    frame.CopyConfigToViews(doc);
    child->GraphView().OnInitialUpdate();
    child->GridView().OnInitialUpdate();
    SetFocus(child->GraphView().Hwnd());
    PostMessageW(frame.Hwnd(),
                 document.PathName().empty() ? kNewDocumentMessage : kOpenedDocumentMessage, 0,
                 reinterpret_cast<LPARAM>(&doc));
    return true;
  };
  doc_template.close_frames = [&frame](ui::Document& document) {
    ForEachFrame(document, [&frame](TChildFrame& child) {
      SendMessageW(frame.MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(child.Hwnd()), 0);
    });
  };
  doc_template.activate = [](ui::Document& document) {
    ForEachFrame(document, [](TChildFrame& child) { child.Activate(); });
  };
  ui::DocManagerTexts texts{.text = Text,
                            .ask_to_save = IDS_ASK_TO_SAVE,
                            .failed_to_open = IDS_FAILED_TO_OPEN_DOCUMENT,
                            .failed_to_save = IDS_FAILED_TO_SAVE_DOCUMENT};
  return std::make_unique<ui::DocManager>(
      std::move(doc_template),
      ui::FileDialogArgs{.filter = FileFilter, .default_ext = L"xml", .normalize = XmlName},
      std::move(texts),
      ui::RecentFiles(kRegistryKey, L"Varnel", kRecentFileCount, ID_FILE_MRU_FILE1));
}

}  // namespace app
