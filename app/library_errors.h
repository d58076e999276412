// What Ambrel reports about a failed call: a box, as the library itself would show, except while a
// LibraryErrorCapture is held. Tries that run unattended (a lost server tried again every minute)
// hold one and log what they met instead of piling up boxes.
#pragma once

#include <windows.h>

#include <string>

namespace app {

// Sends the library's reports of this process through the capture below from now on.
void RouteLibraryErrors();

class LibraryErrorCapture {
 public:
  LibraryErrorCapture();
  ~LibraryErrorCapture();
  LibraryErrorCapture(const LibraryErrorCapture&) = delete;
  LibraryErrorCapture& operator=(const LibraryErrorCapture&) = delete;

  // The last report while held; S_OK and "" when there was none.
  HRESULT Result() const { return result_; }
  const std::string& Text() const { return text_; }

  // A report of the library: kept by the innermost capture held, else shown in a box.
  static void Deliver(HRESULT hr, const char* text);

 private:
  LibraryErrorCapture* outer_;
  HRESULT result_ = S_OK;
  std::string text_;
};

}  // namespace app
