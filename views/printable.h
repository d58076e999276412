// What a view offers the print, print-direct and print-preview commands: its pages, drawn into
// a printer's DC or into a preview page that has the printer's metrics. The same page code serves
// the paper and the screen.
#pragma once

#include <windows.h>

namespace views {

class Printable {
 public:
  virtual ~Printable() = default;
  // Before the first page, with the DC the pages are drawn into and the page's drawing rectangle
  // (the device's printable area in logical units): the number of pages, at least 1.
  virtual int BeginPrinting(HDC dc, const RECT& page) = 0;
  // Draws page `page_number` (from 1).
  virtual void PrintPage(HDC dc, const RECT& page, int page_number) = 0;
  // After the last page: what BeginPrinting made is released.
  virtual void EndPrinting() {}
  // Whether the print commands are enabled for this view.
  virtual bool CanPrint() const { return true; }

  // Set while the framework prints or previews the view.
  bool IsPrinting() const { return printing_; }
  void SetPrinting(bool printing) { printing_ = printing; }

 private:
  bool printing_ = false;
};

}  // namespace views
