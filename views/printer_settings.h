// The application's current printer: the device, driver and port names and the device mode that
// print jobs, the print preview and the page set-up start from. The print and page set-up dialogs
// take copies of its handles and hand back the printer the user chose.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "win/handle.h"

namespace views {

// "VarnelPrinterChanged": sent to every view window when the printer selection changed.
UINT PrinterChangedMessage();

class PrinterSelection {
 public:
  // The printer of that name becomes the current one; false (and nothing changes) when the system
  // has no such printer.
  bool SelectByName(const std::wstring& name);
  // The system's default printer; false when there is none.
  bool SelectDefault();
  // Takes over the handles a print or page set-up dialog gave back (null ones are ignored).
  void Adopt(HGLOBAL dev_mode, HGLOBAL dev_names);
  void Clear();

  bool Empty() const { return !dev_names_; }
  // Copies for a common dialog, which frees or replaces them; null when there is no printer.
  HGLOBAL CopyDevMode() const;
  HGLOBAL CopyDevNames() const;
  std::wstring DeviceName() const;
  std::wstring PortName() const;
  // A DC of the printer with its device mode; null when there is none or it cannot be made.
  HDC CreateDc() const;
  // Sets the paper orientation and size codes of the device mode (when the driver has one).
  void SetPaper(short orientation, short paper_size);

 private:
  std::wstring Name(WORD DEVNAMES::*offset) const;

  win::UniqueGlobalMemory dev_mode_;
  win::UniqueGlobalMemory dev_names_;
};

// The process's current printer.
PrinterSelection& CurrentPrinter();

// Whether the system has a printer at all (a default one).
bool SystemHasPrinter();

}  // namespace views
