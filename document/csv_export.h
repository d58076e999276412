// An export of waves into a CSV file, a step at a time so that a window can show its progress and
// stop it between steps: the header, then the rows of every wave's values merged by time
// (csv_merge.h). The file is written under a temporary name in the target's folder and takes
// the target's name only when complete, so a failed or cancelled export leaves no partial file
// and an existing target untouched.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/csv_merge.h"
#include "document/wave_stream.h"
#include "platform/file.h"
#include "text/tstring.h"

struct TCsvColumn {
  TString name;  // the header's cell
  std::unique_ptr<IWaveStream> stream;
};

enum class TCsvExportState {
  Running,
  Written,      // the target holds the whole export
  WriteFailed,  // the file could not be made, written or given its name
  ReadFailed,   // a wave's stream failed (its server was lost)
  Cancelled,
};

class TCsvExport {
 public:
  // `start` and `stop` bound the period, for the progress only.
  TCsvExport(const TString& target, std::vector<TCsvColumn> columns, double start, double stop);
  // Removes the temporary file of an export that did not finish.
  ~TCsvExport();
  TCsvExport(const TCsvExport&) = delete;
  TCsvExport& operator=(const TCsvExport&) = delete;

  // One step: the first makes the temporary file and writes the header; each later one reads one
  // piece of the wave furthest behind and writes the rows it completes; the last gives the file
  // the target's name. Returns the state after the step.
  TCsvExportState Step();
  // Runs the steps to the end.
  TCsvExportState Run();
  // Stops an export that is running: its temporary file is removed.
  void Cancel();

  TCsvExportState State() const { return state_; }
  // 0..1000: how much of the period every wave has been read through.
  int Permille() const;
  std::uint64_t Rows() const { return merge_.Rows(); }
  std::uint64_t Values() const { return merge_.Values(); }
  // The temporary file's name: the target's with ".part" added.
  const TString& TemporaryName() const { return temporary_; }

 private:
  TCsvExportState Fail(TCsvExportState state);
  bool Write(const std::string& text);

  TString target_;
  TString temporary_;
  std::vector<TCsvColumn> columns_;
  double start_;
  double stop_;
  TCsvMerge merge_;
  platform::File file_;
  bool started_ = false;
  TCsvExportState state_ = TCsvExportState::Running;
  TWave piece_;
  std::string rows_;
};
