// The pages of a document window's views for the print, print-direct and print-preview commands:
// the graph as one page scaled to the page, the grid as its fixed-width text pages.
#pragma once

#include <windows.h>

#include <memory>

#include "views/printable.h"

namespace views {

class TVarnelView;
class TVarnelGraphView;

// The printable pages of the view, or null for a view that prints nothing.
std::unique_ptr<Printable> ViewPages(TVarnelView& view);

// Draws the graph of the view on a page: the view's client area scaled by the smaller of the
// page's and the client's width and height ratios (isotropic mapping), in print colours.
void PrintGraphPage(TVarnelGraphView& view, HDC dc, const RECT& page);

}  // namespace views
