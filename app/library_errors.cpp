#include "app/library_errors.h"

#include "ambrel/ambrel.h"

namespace app {

namespace {

LibraryErrorCapture* g_capture = nullptr;

void __stdcall OnLibraryError(HRESULT hr, const char* text) {
  LibraryErrorCapture::Deliver(hr, text);
}

}  // namespace

void LibraryErrorCapture::Deliver(HRESULT hr, const char* text) {
  if (g_capture != nullptr) {
    g_capture->result_ = hr;
    g_capture->text_ = text ? text : "";
    return;
  }
  MessageBoxA(nullptr, text ? text : "", "Ambrel", MB_OK);
}

void RouteLibraryErrors() { EnableHDAErrorNotification(&OnLibraryError); }

LibraryErrorCapture::LibraryErrorCapture() : outer_(g_capture) { g_capture = this; }

LibraryErrorCapture::~LibraryErrorCapture() { g_capture = outer_; }

}  // namespace app
