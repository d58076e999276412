#include "document/csv_export.h"

#include <algorithm>

bool THeldWaveStream::Next(TWave& piece) {
  if (given_) return false;
  given_ = true;
  piece.T = wave_.T;
  piece.Y = wave_.Y;
  piece.S = wave_.S;
  return !piece.T.empty();
}

namespace {

std::vector<TString> Names(const std::vector<TCsvColumn>& columns) {
  std::vector<TString> names;
  for (const TCsvColumn& column : columns) names.push_back(column.name);
  return names;
}

// Spreadsheets take a file that starts with the byte order mark for UTF-8.
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

}  // namespace

TCsvExport::TCsvExport(const TString& target, std::vector<TCsvColumn> columns, double start,
                       double stop)
    : target_(target),
      temporary_(target.Str(), u".part"),
      columns_(std::move(columns)),
      start_(start),
      stop_(stop),
      merge_(columns_.size()) {}

TCsvExport::~TCsvExport() {
  if (state_ == TCsvExportState::Running) Cancel();
}

bool TCsvExport::Write(const std::string& text) {
  return file_.Write(text.data(), text.size()) == text.size();
}

TCsvExportState TCsvExport::Fail(TCsvExportState state) {
  state_ = state;
  file_.Close();
  if (started_) platform::File::Remove(temporary_.Str());
  return state_;
}

TCsvExportState TCsvExport::Step() {
  if (state_ != TCsvExportState::Running) return state_;
  if (!started_) {
    if (!file_.Open(temporary_.Str(), platform::File::Mode::Write)) {
      return Fail(TCsvExportState::WriteFailed);
    }
    started_ = true;
    if (!Write(kUtf8Bom) || !Write(CsvHeaderRow(Names(columns_)))) {
      return Fail(TCsvExportState::WriteFailed);
    }
    return state_;
  }
  if (const std::optional<std::size_t> behind = merge_.Behind()) {
    TCsvColumn& column = columns_[*behind];
    piece_.T.clear();
    piece_.Y.clear();
    piece_.S.clear();
    if (column.stream->Next(piece_)) {
      merge_.Add(*behind, piece_);
    } else {
      if (column.stream->Failed()) return Fail(TCsvExportState::ReadFailed);
      merge_.Finish(*behind);
    }
    rows_.clear();
    merge_.TakeRows(rows_);
    if (!Write(rows_)) return Fail(TCsvExportState::WriteFailed);
    return state_;
  }
  const bool flushed = file_.Flush();
  file_.Close();
  if (!flushed || !platform::File::Rename(temporary_.Str(), target_.Str())) {
    return Fail(TCsvExportState::WriteFailed);
  }
  state_ = TCsvExportState::Written;
  return state_;
}

TCsvExportState TCsvExport::Run() {
  while (Step() == TCsvExportState::Running) {
  }
  return state_;
}

void TCsvExport::Cancel() {
  if (state_ == TCsvExportState::Running) Fail(TCsvExportState::Cancelled);
}

int TCsvExport::Permille() const {
  if (state_ == TCsvExportState::Written) return 1000;
  const std::optional<double> upTo = merge_.ReadUpTo();
  if (!upTo || !(stop_ > start_)) return 0;
  const double share = (*upTo - start_) / (stop_ - start_);
  return static_cast<int>(std::clamp(share, 0.0, 1.0) * 1000.0);
}
