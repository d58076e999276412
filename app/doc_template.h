// TDocManager: the document template of Varnel windows (document TVarnelDoc, frame TChildFrame,
// the graph view active) and the ".xml" file dialog.
#pragma once

#include <memory>

#include "ui/doc_manager.h"

namespace app {

class TMainFrame;

inline constexpr wchar_t kRegistryKey[] = L"Molrand Varnel HDA OPC Client";
inline constexpr std::size_t kRecentFileCount = 6;

std::unique_ptr<ui::DocManager> MakeDocManager(TMainFrame& frame);

}  // namespace app
