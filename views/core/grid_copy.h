// The clipboard text of a selection of the grid view's table.
#pragma once

#include <string>

#include "views/core/grid_range.h"
#include "views/core/grid_table.h"

namespace views {

// The selected cells as lines of tab-separated texts, each ended by CR LF. A selection that
// begins in one of the heading rows or the first data row is copied from the first data row on,
// under a line of the full headings of its columns. Empty for an empty selection; the parts of
// the selection outside the table are left out.
std::u16string GridCopyText(const GridTable& table, const TableRange& selection);

}  // namespace views
