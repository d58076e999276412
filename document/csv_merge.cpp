#include "document/csv_merge.h"

#include <algorithm>
#include <limits>

#include "document/csv_cells.h"

TCsvMerge::TCsvMerge(std::size_t columns) : columns_(columns) {}

void TCsvMerge::Add(std::size_t column, const TWave& piece) {
  Column& c = columns_[column];
  const bool texts = !piece.S.empty();
  const std::size_t n = std::min(piece.T.size(), texts ? piece.S.size() : piece.Y.size());
  for (std::size_t i = 0; i < n; ++i) {
    c.held.push_back({piece.T[i], texts ? CsvTextCell(piece.S[i]) : CsvNumberCell(piece.Y[i])});
  }
  if (n > 0) c.reached = piece.T[n - 1];
  values_ += n;
}

void TCsvMerge::Finish(std::size_t column) { columns_[column].finished = true; }

std::optional<std::size_t> TCsvMerge::Behind() const {
  std::optional<std::size_t> behind;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const Column& c = columns_[i];
    if (c.finished) continue;
    if (!c.reached) return i;  // nothing read yet: it holds every row back
    if (!behind || *c.reached < *columns_[*behind].reached) behind = i;
  }
  return behind;
}

std::optional<double> TCsvMerge::ReadUpTo() const {
  std::optional<double> upTo;
  for (const Column& c : columns_) {
    if (c.finished) continue;
    if (!c.reached) return std::nullopt;
    upTo = upTo ? std::min(*upTo, *c.reached) : *c.reached;
  }
  return upTo;
}

std::size_t TCsvMerge::Held() const {
  std::size_t held = 0;
  for (const Column& c : columns_) held += c.held.size();
  return held;
}

void TCsvMerge::TakeRows(std::string& out) {
  // An unfinished column may still add values at the time it reached, never before it.
  double horizon = std::numeric_limits<double>::infinity();
  for (const Column& c : columns_) {
    if (c.finished) continue;
    if (!c.reached) return;
    horizon = std::min(horizon, *c.reached);
  }
  const bool all = horizon == std::numeric_limits<double>::infinity();
  for (;;) {
    double t = std::numeric_limits<double>::infinity();
    for (const Column& c : columns_) {
      if (!c.held.empty()) t = std::min(t, c.held.front().time);
    }
    if (t == std::numeric_limits<double>::infinity() || (!all && !(t < horizon))) return;
    out += CsvTimeCell(t);
    for (Column& c : columns_) {
      out += ',';
      if (!c.held.empty() && c.held.front().time == t) {
        out += c.held.front().text;
        c.held.pop_front();
      }
    }
    out += "\r\n";
    ++rows_;
  }
}

std::string CsvHeaderRow(const std::vector<TString>& names) {
  std::string row = "Time";
  for (const TString& name : names) {
    row += ',';
    row += CsvTextCell(name);
  }
  row += "\r\n";
  return row;
}
