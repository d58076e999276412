#include "app/export_command.h"

#include <string>

#include "app/main_frame.h"
#include "strings/command_ids.h"
#include "app_context/main_frame_text.h"
#include "dialogs/export_dialog.h"
#include "document/csv_export.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "hda/wave_export.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "text/integer_text.h"
#include "ui/doc_manager.h"
#include "ui/text_args.h"
#include "views/varnel_document.h"

namespace app {

namespace {

std::wstring Text(int id) { return platform::W(RString(id)); }

// "CSV files (*.csv)", "*.csv", "All Files (*.*)", "*.*", each ended by a zero, then one more.
std::wstring CsvFilter() {
  return ui::FileFilter(Text(IDS_EXPORT_FILTER), L"*.csv", Text(IDS_FILTER_ALL_FILES));
}

// The document's file name with ".csv" for its extension, or its title for a new document.
std::wstring ProposedName(const views::VarnelDocument& document) {
  std::wstring name = document.PathName().empty() ? document.Title() : document.PathName();
  const std::size_t slash = name.find_last_of(L"\\/");
  const std::size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) name.resize(dot);
  return name + L".csv";
}

TString Tstr(const std::wstring& text) { return TString(platform::U16(text.c_str())); }

void ShowFailure(HWND owner, int text_id, const std::wstring& path) {
  MessageBoxW(owner, ui::ReplaceArgument(Text(text_id), L"%1", path).c_str(), L"Varnel",
              MB_OK | MB_ICONEXCLAMATION);
}

void ExportActiveDocument(TMainFrame& frame) {
  views::VarnelDocument* document = frame.ActiveDocument();
  if (!document) return;
  const std::wstring path = ui::AskFileName(
      frame.Hwnd(), ui::FileDialogArgs{.filter = CsvFilter, .default_ext = L"csv", .normalize = {}},
      ProposedName(*document), true, Text(IDS_EXPORT_FILE_TITLE));
  if (path.empty()) return;
  const TVarnelDoc& doc = document->Doc();
  const TString target = Tstr(path);
  LogMessage(kTypeOther, kLevelInfo, u"Export of ", Tstr(document->Title()).Str(), u" to ",
             target.Str(), u" started");
  TCsvExport run(target, hda::ExportColumns(frame.Connections(), doc, frame), doc.StartTime,
                 doc.StopTime);
  dialogs::TExportDialog dialog(frame.Hwnd(), run, target);
  switch (dialog.Run()) {
    case TCsvExportState::Written:
      LogMessage(kTypeOther, kLevelInfo, TString(u"Export to ", target.Str(), u" written: ").Str(),
                 IntegerText(static_cast<std::int64_t>(run.Rows())).Str(), u" rows, ",
                 IntegerText(static_cast<std::int64_t>(run.Values())).Str(), u" values");
      break;
    case TCsvExportState::Cancelled:
      LogMessage(kTypeOther, kLevelInfo, u"Export to ", target.Str(), u" cancelled");
      break;
    case TCsvExportState::ReadFailed:
      LogMessage(kTypeOther, kLevelError, u"Export to ", target.Str(),
                 u" stopped: a server stopped answering");
      ShowFailure(frame.Hwnd(), IDS_EXPORT_SERVER_LOST, path);
      break;
    case TCsvExportState::WriteFailed:
    case TCsvExportState::Running:
      LogMessage(kTypeOther, kLevelError, u"Export to ", target.Str(),
                 u" failed: the file could not be written");
      ShowFailure(frame.Hwnd(), IDS_FAILED_TO_EXPORT, path);
      break;
  }
}

}  // namespace

void AddExportCommand(TMainFrame& frame) {
  frame.Commands().Add(
      ID_FILE_EXPORT, [&frame](UINT) { ExportActiveDocument(frame); },
      [&frame](ui::CommandState& s) { s.enabled = frame.ActiveDocument() != nullptr; });
}

}  // namespace app
