// TGridDoc: the application message log. Entries are collected in Pending, written once a second
// to the log file in the start directory (a ring of limited size) and then moved to Shown, which
// keeps the most recent ones for display.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app_context/log_sink.h"
#include "document/log_entry.h"
#include "text/tstring.h"

class TGridDoc final : public ILogSink {
 public:
  static constexpr std::uint32_t kPendingRoom = 1000;
  static constexpr std::uint32_t kShownRoom = 11000;
  static constexpr std::uint32_t kMaxShownBeforeTrim = 9999;
  static constexpr std::uint32_t kMinShownTrim = 1000;
  static constexpr std::uint32_t kPendingReleaseAbove = 2000;
  static constexpr std::uint32_t kMaxLineUnits = 1024;
  static constexpr int kMaxTabsReplaced = 5;
  // Entries kept for a log file that could not be written, written first next time.
  static constexpr std::uint32_t kMaxUnwritten = 10000;
  // TraceSize of an unlimited file; the limit is otherwise TraceSize x 1 000 000 bytes.
  static constexpr int kUnlimitedTraceSize = 1000;
  static constexpr std::int64_t kBytesPerTraceUnit = 1000000;
  static constexpr std::int64_t kFirstEntryPosition = 2;  // right after the byte-order mark

  // The log file is startDirectory + separator + "Varnel.log". Installs the assertion sink, so
  // the assertion reports kept so far and every later one become Error entries of this log.
  explicit TGridDoc(const TString& startDirectory);
  ~TGridDoc() override;
  TGridDoc(const TGridDoc&) = delete;
  TGridDoc& operator=(const TGridDoc&) = delete;

  // Appends to Pending with Level clamped to 0..4, Type to 0..7 and up to five leading tabs
  // replaced by three spaces each. The first entry fixes the level and type names in the language
  // current then.
  void AddEntry(TLogEntry entry);
  // A message of several lines (separated by CR LF) becomes one entry per line of at most 1024
  // units: the first with the given time, the others with Time 0.
  void AddMessage(int type, int level, const TString& text, double time) override;

  // Keeps the previous run's log file as LogFileName + ".bu".
  void BackupLogFile();
  // Writes the entries not yet written to the log file (see the .cpp for the ring). traceSize is
  // in millions of bytes; 1000 means no limit, 0 or less means no file. Returns false when the
  // file could not be opened or written; the entries not written are then kept for the next call.
  bool WritePending(int traceSize);
  // Moves Pending to Shown, trimming the oldest entries of Shown.
  void MovePending();
  void ClearShown();

  const TString& LogFileName() const { return logFileName_; }
  std::int64_t WritePosition() const { return writePosition_; }
  const std::vector<TLogEntry>& Pending() const { return pending_; }
  const std::vector<TLogEntry>& Shown() const { return shown_; }
  std::uint32_t UnwrittenCount() const;
  // Empty until the first entry.
  const TString& LevelName(int level) const;
  const TString& TypeName(int type) const;

 private:
  void BuildNames();
  void KeepUnwritten(std::vector<TLogEntry>::const_iterator first,
                     std::vector<TLogEntry>::const_iterator last);

  TString logFileName_;
  std::int64_t writePosition_ = 0;
  std::vector<TLogEntry> pending_;
  std::vector<TLogEntry> shown_;
  // Entries already moved out of Pending whose writing failed, oldest first.
  std::vector<TLogEntry> unwritten_;
  // Pending entries already written (or given up because there is no file).
  std::size_t pendingWritten_ = 0;
  std::array<TString, kLevelCount> levelNames_;
  std::array<TString, kTypeCount> typeNames_;
  bool namesPending_ = true;
};
