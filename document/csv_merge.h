// The rows of an exported CSV file made from several waves' values arriving piece by piece, each
// wave in time order: one row per distinct time stamp, a cell per wave, empty where the wave has
// no value at that time. A row is written as soon as no later piece can add to it, so only the
// values not yet written are held: at most about one piece per wave, whatever the period holds.
// A wave with several values at one time stamp gives that many rows with that time stamp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "document/wave.h"

class TCsvMerge {
 public:
  explicit TCsvMerge(std::size_t columns);

  // The next values of a column, later than (or at) the ones added before: T with Y, or with S for
  // a wave of texts.
  void Add(std::size_t column, const TWave& piece);
  // The column has no more values.
  void Finish(std::size_t column);
  bool Finished(std::size_t column) const { return columns_[column].finished; }
  // The unfinished column whose values reach least far (the first of equals): the one whose next
  // piece lets rows be written. None when every column is finished.
  std::optional<std::size_t> Behind() const;
  // Appends every row no later piece can change (all the rows once every column is finished),
  // each ended by CR LF.
  void TakeRows(std::string& out);

  std::uint64_t Rows() const { return rows_; }
  std::uint64_t Values() const { return values_; }
  // The values added but not yet written.
  std::size_t Held() const;
  // The time stamp up to which every column has been read: the least time reached by an
  // unfinished column; nullopt before each unfinished column has given a value.
  std::optional<double> ReadUpTo() const;

 private:
  struct Cell {
    double time;
    std::string text;
  };
  struct Column {
    std::deque<Cell> held;
    std::optional<double> reached;  // the last time stamp added
    bool finished = false;
  };

  std::vector<Column> columns_;
  std::uint64_t rows_ = 0;
  std::uint64_t values_ = 0;
};

// The header row: the item names as fields, ended by CR LF.
std::string CsvHeaderRow(const std::vector<TString>& names);
