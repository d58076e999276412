// TGridDoc and its file: the backup at start-up and the ring the entries are written into.
//
// The file is UTF-16LE with a byte-order mark. Each entry is written as
//   CR LF, date and time with milliseconds (or "INF"), TAB, level x 100 + type, level name,
//   type name, text
// at WritePosition, followed by the marker "\n*** NOW ***" that the next batch overwrites. When
// a batch ends beyond the size limit the file is cut there and writing starts again right after
// the byte-order mark, so the text after the newest marker is the oldest that survives.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "document/grid_doc.h"
#include "document/log_lock.h"
#include "platform/file.h"
#include "platform/lock.h"
#include "text/time_fields.h"
#include "text/time_format.h"

namespace {

constexpr unsigned char kByteOrderMark[2] = {0xFF, 0xFE};
constexpr char16_t kNowMarker[] = u"\n*** NOW ***";

void AppendUtf16Le(std::vector<unsigned char>& bytes, const char16_t* text, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    bytes.push_back(static_cast<unsigned char>(text[i] & 0xFF));
    bytes.push_back(static_cast<unsigned char>(text[i] >> 8));
  }
}

void AppendUtf16Le(std::vector<unsigned char>& bytes, const TString& text) {
  AppendUtf16Le(bytes, text.Str(), text.Length());
}

// Level x 100 + type: 0..407 once both are clamped.
TString LevelTypeNumber(std::int32_t level, std::int32_t type) {
  int value = level * 100 + type;
  char16_t digits[4] = {};
  int count = 0;
  char16_t reversed[4];
  do {
    reversed[count++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value > 0 && count < 3);
  for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
  return TString(digits);
}

}  // namespace

void TGridDoc::BackupLogFile() {
  {
    platform::File probe;
    if (!probe.Open(logFileName_.Str(), platform::File::Mode::Read)) return;
  }
  TString backup(logFileName_.Str(), u".bu");
  platform::File::Remove(backup.Str());
  platform::File::Rename(logFileName_.Str(), backup.Str());
}

bool TGridDoc::WritePending(int traceSize) {
  platform::LockGuard guard(LogLock());
  if (traceSize <= 0) {
    // No file wanted: nothing is kept back for one.
    unwritten_.clear();
    pendingWritten_ = pending_.size();
    return true;
  }
  const std::size_t kept = unwritten_.size();
  const std::size_t fresh = pending_.size() - pendingWritten_;
  if (kept + fresh == 0) return true;

  // A missing file is created; one that exists but cannot be opened (locked, read-only) is left
  // alone and the entries wait for the next call.
  platform::File file;
  bool created = false;
  if (!file.Open(logFileName_.Str(), platform::File::Mode::ReadWrite)) {
    if (platform::File::Exists(logFileName_.Str()) ||
        !file.Open(logFileName_.Str(), platform::File::Mode::Write)) {
      return false;
    }
    created = true;
  }
  std::int64_t size = file.Size();
  if (size < 0) return false;
  if (created || size < kFirstEntryPosition) {
    if (!file.Seek(0, platform::File::Origin::Begin) ||
        file.Write(kByteOrderMark, sizeof kByteOrderMark) != sizeof kByteOrderMark) {
      return false;
    }
    size = kFirstEntryPosition;
    writePosition_ = kFirstEntryPosition;
  }
  // Never past the end, never into the byte-order mark, never between the bytes of a unit.
  std::int64_t position =
      std::max(std::min(writePosition_, size), kFirstEntryPosition) & ~std::int64_t{1};

  std::vector<unsigned char> bytes;
  std::vector<std::size_t> entryEnds;
  entryEnds.reserve(kept + fresh);
  auto encode = [&](const TLogEntry& entry) {
    TTimeFields fields;
    TimeToFields(entry.Time, fields);
    AppendUtf16Le(bytes, u"\r\n", 2);
    AppendUtf16Le(bytes, TString(FormatDateTime(fields, true)));
    AppendUtf16Le(bytes, u"\t", 1);
    AppendUtf16Le(bytes, LevelTypeNumber(entry.Level, entry.Type));
    AppendUtf16Le(bytes, levelNames_[static_cast<std::size_t>(entry.Level)]);
    AppendUtf16Le(bytes, typeNames_[static_cast<std::size_t>(entry.Type)]);
    AppendUtf16Le(bytes, entry.Text);
    entryEnds.push_back(bytes.size());
  };
  for (const TLogEntry& entry : unwritten_) encode(entry);
  for (std::size_t i = pendingWritten_; i < pending_.size(); ++i) encode(pending_[i]);

  std::size_t written = 0;
  if (file.Seek(position, platform::File::Origin::Begin)) {
    written = file.Write(bytes.data(), bytes.size());
    // What the disk refused at the flush cannot be told apart: take the whole batch as unwritten.
    if (!file.Flush()) written = 0;
  }
  // Only whole entries count; a torn one is overwritten by the next batch.
  std::size_t done = static_cast<std::size_t>(
      std::upper_bound(entryEnds.begin(), entryEnds.end(), written) - entryEnds.begin());
  if (done > 0) position += static_cast<std::int64_t>(entryEnds[done - 1]);
  if (done <= kept) {
    unwritten_.erase(unwritten_.begin(), unwritten_.begin() + static_cast<std::ptrdiff_t>(done));
  } else {
    unwritten_.clear();
    pendingWritten_ += done - kept;
  }
  writePosition_ = position;
  if (done < kept + fresh) return false;

  std::vector<unsigned char> marker;
  AppendUtf16Le(marker, kNowMarker, std::size(kNowMarker) - 1);
  bool unlimited = traceSize == kUnlimitedTraceSize;
  if (unlimited || static_cast<std::int64_t>(traceSize) * kBytesPerTraceUnit >= position) {
    if (file.Seek(position, platform::File::Origin::Begin))
      file.Write(marker.data(), marker.size());
  } else {
    if (file.Seek(position, platform::File::Origin::Begin)) file.Truncate();
    if (file.Seek(kFirstEntryPosition, platform::File::Origin::Begin)) {
      file.Write(marker.data(), marker.size());
    }
    writePosition_ = kFirstEntryPosition;
  }
  return true;
}
