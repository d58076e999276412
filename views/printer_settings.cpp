#include "views/printer_settings.h"

#include <winspool.h>

#include <cstring>
#include <vector>

namespace views {

namespace {

HGLOBAL CopyGlobal(HGLOBAL source) {
  if (!source) return nullptr;
  const SIZE_T size = GlobalSize(source);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  const void* from = GlobalLock(source);
  void* to = GlobalLock(copy);
  if (from && to) std::memcpy(to, from, size);
  GlobalUnlock(copy);
  GlobalUnlock(source);
  return copy;
}

// DEVNAMES followed by the driver, device and port names.
HGLOBAL MakeDevNames(const std::wstring& driver, const std::wstring& device,
                     const std::wstring& port) {
  const std::size_t chars = driver.size() + device.size() + port.size() + 3;
  HGLOBAL memory =
      GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + chars * sizeof(wchar_t));
  if (!memory) return nullptr;
  auto* names = static_cast<DEVNAMES*>(GlobalLock(memory));
  auto* text = reinterpret_cast<wchar_t*>(names);
  WORD at = sizeof(DEVNAMES) / sizeof(wchar_t);
  auto put = [&](const std::wstring& s) {
    const WORD offset = at;
    std::memcpy(text + at, s.c_str(), (s.size() + 1) * sizeof(wchar_t));
    at = static_cast<WORD>(at + s.size() + 1);
    return offset;
  };
  names->wDriverOffset = put(driver);
  names->wDeviceOffset = put(device);
  names->wOutputOffset = put(port);
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

UINT PrinterChangedMessage() {
  static const UINT message = RegisterWindowMessageW(L"VarnelPrinterChanged");
  return message;
}

PrinterSelection& CurrentPrinter() {
  static PrinterSelection printer;
  return printer;
}

bool SystemHasPrinter() {
  wchar_t name[512] = {};
  DWORD size = 512;
  return GetDefaultPrinterW(name, &size) != FALSE;
}

bool PrinterSelection::SelectByName(const std::wstring& name) {
  if (name.empty()) return false;
  win::UniquePrinter printer;
  HANDLE opened = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &opened, nullptr) || !opened) return false;
  printer.Reset(opened);
  DWORD needed = 0;
  GetPrinterW(printer.Get(), 2, nullptr, 0, &needed);
  if (needed == 0) return false;
  std::vector<BYTE> info_bytes(needed);
  if (!GetPrinterW(printer.Get(), 2, info_bytes.data(), needed, &needed)) return false;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(info_bytes.data());

  const LONG mode_size = DocumentPropertiesW(
      nullptr, printer.Get(), const_cast<wchar_t*>(name.c_str()), nullptr, nullptr, 0);
  win::UniqueGlobalMemory mode;
  if (mode_size > 0) {
    mode.Reset(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(mode_size)));
    if (mode) {
      auto* dev_mode = static_cast<DEVMODEW*>(GlobalLock(mode.Get()));
      const LONG got =
          DocumentPropertiesW(nullptr, printer.Get(), const_cast<wchar_t*>(name.c_str()), dev_mode,
                              nullptr, DM_OUT_BUFFER);
      GlobalUnlock(mode.Get());
      if (got != IDOK) mode.Reset();
    }
  }
  win::UniqueGlobalMemory names(MakeDevNames(info->pDriverName ? info->pDriverName : L"WINSPOOL",
                                             name, info->pPortName ? info->pPortName : L""));
  if (!names) return false;
  dev_mode_ = std::move(mode);
  dev_names_ = std::move(names);
  return true;
}

bool PrinterSelection::SelectDefault() {
  wchar_t name[512] = {};
  DWORD size = 512;
  if (!GetDefaultPrinterW(name, &size)) return false;
  return SelectByName(name);
}

void PrinterSelection::Adopt(HGLOBAL dev_mode, HGLOBAL dev_names) {
  if (dev_names) {
    dev_names_.Reset(dev_names);
    dev_mode_.Reset(dev_mode);
  } else if (dev_mode) {
    GlobalFree(dev_mode);
  }
}

void PrinterSelection::Clear() {
  dev_mode_.Reset();
  dev_names_.Reset();
}

HGLOBAL PrinterSelection::CopyDevMode() const { return CopyGlobal(dev_mode_.Get()); }
HGLOBAL PrinterSelection::CopyDevNames() const { return CopyGlobal(dev_names_.Get()); }

std::wstring PrinterSelection::Name(WORD DEVNAMES::*offset) const {
  if (!dev_names_) return L"";
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dev_names_.Get()));
  if (!names) return L"";
  std::wstring text = reinterpret_cast<const wchar_t*>(names) + names->*offset;
  GlobalUnlock(dev_names_.Get());
  return text;
}

std::wstring PrinterSelection::DeviceName() const { return Name(&DEVNAMES::wDeviceOffset); }
std::wstring PrinterSelection::PortName() const { return Name(&DEVNAMES::wOutputOffset); }

HDC PrinterSelection::CreateDc() const {
  if (Empty()) return nullptr;
  const std::wstring device = DeviceName();
  const auto* mode =
      dev_mode_ ? static_cast<const DEVMODEW*>(GlobalLock(dev_mode_.Get())) : nullptr;
  HDC dc = CreateDCW(L"WINSPOOL", device.c_str(), nullptr, mode);
  if (dev_mode_) GlobalUnlock(dev_mode_.Get());
  return dc;
}

void PrinterSelection::SetPaper(short orientation, short paper_size) {
  if (!dev_mode_) return;
  auto* mode = static_cast<DEVMODEW*>(GlobalLock(dev_mode_.Get()));
  if (!mode) return;
  if (orientation > 0) {
    mode->dmOrientation = orientation;
    mode->dmFields |= DM_ORIENTATION;
  }
  if (paper_size > 0) {
    mode->dmPaperSize = paper_size;
    mode->dmFields |= DM_PAPERSIZE;
  }
  GlobalUnlock(dev_mode_.Get());
}

}  // namespace views
