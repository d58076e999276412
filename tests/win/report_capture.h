// Collects what the Windows base reports while it lives, instead of the debugger.
#pragma once

#include <string>
#include <vector>

#include "win/report.h"

namespace wintest {

class ReportCapture {
 public:
  ReportCapture() : previous_(win::SetReportSink(&Collect)) { Lines().clear(); }
  ~ReportCapture() { win::SetReportSink(previous_); }
  ReportCapture(const ReportCapture&) = delete;
  ReportCapture& operator=(const ReportCapture&) = delete;

  const std::vector<std::string>& Reports() const { return Lines(); }

 private:
  static std::vector<std::string>& Lines() {
    static std::vector<std::string> lines;
    return lines;
  }
  static void Collect(const char* text) { Lines().push_back(text); }

  win::ReportSink previous_;
};

}  // namespace wintest
