// Every item the simulator offers: its ID, data type, value function, sample period, gaps,
// quality pattern, faults and controls, and the branch tree they are browsed in.
// tools/hdasim/README.md documents the same table for the people who write tests against it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tools/hdasim/core/ticks.h"
#include "tools/hdasim/core/value.h"
#include "tools/hdasim/core/waveform.h"

namespace hdasim {

// How the value of a sample is made from its time.
enum class Generator : std::uint8_t {
  kNone,        // no generated samples at all (writable stores, controls)
  kWave,        // the wave, converted to the item's type
  kFixedText,   // the wave as text with three decimals
  kStateText,   // one of kStateTexts, by sample number modulo 5
  kClockText,   // "HH:MM:SS" of the sample time
  kMixedText,   // the clock text, but every third sample (number mod 3 == 2) is empty
  kTimeAsDate,  // the sample time as a DATE (days since 1899-12-30)
  kEmpty,       // VT_EMPTY
  kNull,        // VT_NULL
};

enum class QualityPattern : std::uint8_t {
  kGood,           // 0xC0 everywhere
  kCycle,          // kQualityCycle by sample number modulo 5
  kEveryTenthBad,  // 0x00 when sample number mod 10 == 9, else 0xC0
};

enum class Fault : std::uint8_t { kNone, kReadFails, kAccessDenied, kSlow };
// Items that act on the server instead of holding history. The diagnostics are read with
// ReadAtTime: kPrivateBytes reports the server's committed private memory, for leak checks;
// kServerObjects the number of live server objects, so a test sees clients let go of theirs.
enum class Control : std::uint8_t { kNone, kShutdown, kReset, kPrivateBytes, kServerObjects };

// Samples whose time modulo `cycle` lies in [from, to) do not exist.
struct GapRule {
  Ticks cycle = 0;
  Ticks from = 0;
  Ticks to = 0;
  bool Contains(Ticks t) const {
    if (cycle == 0) return false;
    const Ticks m = FloorMod(t, cycle);
    return m >= from && m < to;
  }
};

struct ItemDefinition {
  std::wstring id;
  ValueKind type = ValueKind::kR8;
  Generator generator = Generator::kWave;
  Wave wave;
  Ticks period = kTicksPerSecond;  // samples at whole multiples of the period
  Ticks history_start = 0;         // first possible sample time
  GapRule gap;
  QualityPattern quality = QualityPattern::kGood;
  Fault fault = Fault::kNone;
  std::uint32_t fault_delay_ms = 0;
  bool writable = false;
  Control control = Control::kNone;
  bool stepped = false;
  std::wstring description;
  std::wstring units;

  bool HasNumericRange() const { return IsNumericKind(type) && type != ValueKind::kDate; }
  std::wstring_view ShortName() const;
};

// History of the generated items starts here: 2000-01-01 00:00 UTC.
Ticks DefaultHistoryStart();

inline constexpr const wchar_t* kStateTexts[5] = {L"Stopped", L"Starting", L"Running", L"Running",
                                                  L"Stopping"};
inline constexpr std::uint32_t kQualityCycle[5] = {0xC0, 0x40, 0x00, 0x58, 0xD8};
inline constexpr wchar_t kBranchSeparator = L'/';

struct Branch {
  std::wstring name;  // short name; empty for the root
  std::wstring path;  // fully qualified; empty for the root
  int parent = -1;
  std::vector<int> branches;
  std::vector<int> items;
};

class Catalog {
 public:
  explicit Catalog(std::vector<ItemDefinition> items);

  const std::vector<ItemDefinition>& Items() const { return items_; }
  const ItemDefinition& Item(int index) const { return items_[static_cast<std::size_t>(index)]; }
  std::optional<int> FindItem(std::wstring_view id) const;
  std::optional<int> FindBranch(std::wstring_view path) const;
  const Branch& BranchAt(int index) const { return branches_[static_cast<std::size_t>(index)]; }
  static constexpr int kRoot = 0;

 private:
  int BranchFor(std::wstring_view path);

  std::vector<ItemDefinition> items_;
  std::vector<Branch> branches_;
  std::unordered_map<std::wstring, int> item_index_;
  std::unordered_map<std::wstring, int> branch_index_;
};

// An ID is well formed when it is not empty and no part between separators is empty.
bool IsWellFormedItemId(std::wstring_view id);

// The simulator's items, built once.
const Catalog& TheCatalog();
// No items and no branches but the root: the address space of the empty server class.
const Catalog& EmptyCatalog();

}  // namespace hdasim
