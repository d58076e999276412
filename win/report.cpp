#include "win/report.h"

#include <windows.h>

#include <atomic>

namespace win {
namespace {

void ToDebugger(const char* text) {
  OutputDebugStringA(text);
  OutputDebugStringA("\n");
}

std::atomic<ReportSink> g_sink{&ToDebugger};

}  // namespace

ReportSink SetReportSink(ReportSink sink) { return g_sink.exchange(sink ? sink : &ToDebugger); }

void Report(const char* text) noexcept {
  try {
    g_sink.load()(text ? text : "");
  } catch (...) {
    // A sink that throws loses its line; the caller is usually a barrier itself.
  }
}

}  // namespace win
