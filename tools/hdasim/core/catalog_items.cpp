// The item table. Keep tools/hdasim/README.md in step with every change here.
#include <cstdio>
#include <utility>

#include "tools/hdasim/core/catalog.h"

namespace hdasim {
namespace {

constexpr Ticks kMs = kTicksPerMillisecond;
constexpr Ticks kS = kTicksPerSecond;
constexpr Ticks kMin = kTicksPerMinute;
constexpr Ticks kH = kTicksPerHour;

ItemDefinition WaveItem(std::wstring id, Shape shape, Ticks cycle, double low, double high,
                        Ticks period, std::wstring description, std::wstring units = L"") {
  ItemDefinition item;
  item.id = std::move(id);
  item.wave.shape = shape;
  item.wave.cycle = cycle;
  item.wave.low = low;
  item.wave.high = high;
  item.period = period;
  item.history_start = DefaultHistoryStart();
  item.stepped = shape == Shape::kSquare;
  item.description = std::move(description);
  item.units = std::move(units);
  return item;
}

ItemDefinition RandomWalk(std::wstring id, std::uint64_t seed, double low, double high,
                          Ticks period, std::wstring description) {
  ItemDefinition item =
      WaveItem(std::move(id), Shape::kRandomWalk, kMin, low, high, period, std::move(description));
  item.wave.seed = seed;
  return item;
}

// Data-type items: a triangle of one minute sampled every second, scaled to the type's range.
ItemDefinition TypeItem(std::wstring id, ValueKind type, double low, double high,
                        Generator generator = Generator::kWave) {
  ItemDefinition item = WaveItem(std::move(id), Shape::kTriangle, kMin, low, high, kS,
                                 L"Triangle of one minute as this data type");
  item.type = type;
  item.generator = generator;
  return item;
}

ItemDefinition TextItem(std::wstring id, Generator generator, Ticks period,
                        std::wstring description) {
  ItemDefinition item =
      WaveItem(std::move(id), Shape::kSine, kMin, 0, 1, period, std::move(description));
  item.type = ValueKind::kText;
  item.generator = generator;
  item.stepped = true;
  return item;
}

ItemDefinition Store(std::wstring id, ValueKind type, std::wstring description) {
  ItemDefinition item;
  item.id = std::move(id);
  item.type = type;
  item.generator = Generator::kNone;
  item.period = 0;
  item.writable = true;
  item.stepped = type == ValueKind::kText;
  item.wave.low = -1000;
  item.wave.high = 1000;
  item.description = std::move(description);
  return item;
}

ItemDefinition ControlItem(std::wstring id, Control control, std::wstring description) {
  ItemDefinition item = Store(std::move(id), ValueKind::kR8, std::move(description));
  item.control = control;
  return item;
}

void AddWaves(std::vector<ItemDefinition>& items) {
  items.push_back(
      WaveItem(L"Waves/Sine 1s", Shape::kSine, kMin, -100, 100, kS, L"Sine of one minute"));
  items.push_back(WaveItem(L"Waves/Sine 100ms", Shape::kSine, 10 * kS, -1, 1, 100 * kMs,
                           L"Sine of ten seconds"));
  items.push_back(
      WaveItem(L"Waves/Sine 10s", Shape::kSine, kH, 0, 100, 10 * kS, L"Sine of one hour", L"%"));
  items.push_back(WaveItem(L"Waves/Ramp 1s", Shape::kRamp, kTicksPerDay, 0, 86400, kS,
                           L"Seconds since midnight UTC", L"s"));
  items.push_back(WaveItem(L"Waves/Ramp 1min", Shape::kRamp, kH, 0, 60, kMin,
                           L"Minutes since the full hour", L"min"));
  items.push_back(
      WaveItem(L"Waves/Saw 1s", Shape::kSaw, 30 * kS, 0, 30, kS, L"Falling saw of 30 seconds"));
  items.push_back(
      WaveItem(L"Waves/Square 1s", Shape::kSquare, 20 * kS, 0, 1, kS, L"Square of 20 seconds"));
  items.push_back(WaveItem(L"Waves/Square 10s", Shape::kSquare, 10 * kMin, -5, 5, 10 * kS,
                           L"Square of ten minutes"));
  items.push_back(
      WaveItem(L"Waves/Triangle 1s", Shape::kTriangle, kMin, 0, 60, kS, L"Triangle of one minute"));
  items.push_back(WaveItem(L"Waves/Triangle 500ms", Shape::kTriangle, 20 * kS, -10, 10, 500 * kMs,
                           L"Triangle of 20 seconds"));
  items.push_back(RandomWalk(L"Waves/Random walk 1s", 1, 0, 100, kS, L"Random walk, seed 1"));
  items.push_back(
      RandomWalk(L"Waves/Random walk 100ms", 2, 0, 10, 100 * kMs, L"Random walk, seed 2"));
  items.push_back(RandomWalk(L"Waves/Random walk 1min", 3, -50, 50, kMin, L"Random walk, seed 3"));
}

void AddDense(std::vector<ItemDefinition>& items) {
  items.push_back(
      WaveItem(L"Dense/Sine 5ms", Shape::kSine, kS, -1, 1, 5 * kMs, L"Sine of one second"));
  items.push_back(WaveItem(L"Dense/Ramp 5ms", Shape::kRamp, kMin, 0, 60000, 5 * kMs,
                           L"Milliseconds since the full minute", L"ms"));
}

void AddTypes(std::vector<ItemDefinition>& items) {
  items.push_back(TypeItem(L"Types/I1", ValueKind::kI1, -100, 100));
  items.push_back(TypeItem(L"Types/UI1", ValueKind::kUI1, 0, 200));
  items.push_back(TypeItem(L"Types/I2", ValueKind::kI2, -30000, 30000));
  items.push_back(TypeItem(L"Types/UI2", ValueKind::kUI2, 0, 60000));
  items.push_back(TypeItem(L"Types/I4", ValueKind::kI4, -2e9, 2e9));
  items.push_back(TypeItem(L"Types/UI4", ValueKind::kUI4, 0, 4e9));
  items.push_back(TypeItem(L"Types/INT", ValueKind::kInt, -1e6, 1e6));
  items.push_back(TypeItem(L"Types/UINT", ValueKind::kUInt, 0, 3e9));
  items.push_back(TypeItem(L"Types/R4", ValueKind::kR4, -1000, 1000));
  items.push_back(TypeItem(L"Types/R8", ValueKind::kR8, -1000, 1000));
  ItemDefinition boolean = TypeItem(L"Types/BOOL", ValueKind::kBool, 0, 1);
  boolean.wave.shape = Shape::kSquare;
  boolean.wave.cycle = 10 * kS;
  boolean.stepped = true;
  boolean.description = L"Square of ten seconds: true, then false";
  items.push_back(std::move(boolean));
  items.push_back(TypeItem(L"Types/BSTR", ValueKind::kText, -10, 10, Generator::kFixedText));
  items.push_back(TypeItem(L"Types/EMPTY", ValueKind::kEmpty, 0, 0, Generator::kEmpty));
  items.push_back(TypeItem(L"Types/NULL", ValueKind::kNull, 0, 0, Generator::kNull));
  items.push_back(TypeItem(L"Types/CY", ValueKind::kCy, -1000, 1000));
  ItemDefinition date = TypeItem(L"Types/DATE", ValueKind::kDate, 0, 0, Generator::kTimeAsDate);
  date.description = L"The sample time as a date";
  items.push_back(std::move(date));
  items.push_back(TypeItem(L"Types/I8", ValueKind::kI8, -1e15, 1e15));
  items.push_back(TypeItem(L"Types/UI8", ValueKind::kUI8, 0, 1e18));
  items.push_back(TypeItem(L"Types/R8 array", ValueKind::kR8Array, -1000, 1000));
}

void AddText(std::vector<ItemDefinition>& items) {
  items.push_back(
      TextItem(L"Text/States", Generator::kStateText, 10 * kS, L"Machine state every ten seconds"));
  items.push_back(
      TextItem(L"Text/Clock 1s", Generator::kClockText, kS, L"UTC time of day as text"));
  items.push_back(TextItem(L"Text/Mixed 1s", Generator::kMixedText, kS,
                           L"Time of day as text; every third sample empty"));
}

void AddQualities(std::vector<ItemDefinition>& items) {
  ItemDefinition cycling = WaveItem(L"Qualities/Cycling 1s", Shape::kSine, kMin, -100, 100, kS,
                                    L"Sine with qualities good, uncertain, bad, sub-normal, good");
  cycling.quality = QualityPattern::kCycle;
  items.push_back(std::move(cycling));
  ItemDefinition tenth = WaveItem(L"Qualities/Every 10th bad 1s", Shape::kTriangle, kMin, 0, 60, kS,
                                  L"Triangle; every tenth sample bad");
  tenth.quality = QualityPattern::kEveryTenthBad;
  items.push_back(std::move(tenth));
}

void AddGaps(std::vector<ItemDefinition>& items) {
  ItemDefinition minute = WaveItem(L"Gaps/Last 20s of each minute 1s", Shape::kSine, kMin, -100,
                                   100, kS, L"Sine; nothing in the last 20 seconds of each minute");
  minute.gap = {kMin, 40 * kS, kMin};
  items.push_back(std::move(minute));
  ItemDefinition hour = WaveItem(L"Gaps/10min of each hour 10s", Shape::kRamp, kH, 0, 60, 10 * kS,
                                 L"Ramp; nothing from minute 30 to 40 of each hour");
  hour.gap = {kH, 30 * kMin, 40 * kMin};
  items.push_back(std::move(hour));
  ItemDefinition late = WaveItem(L"Gaps/From 2020 1s", Shape::kTriangle, kMin, 0, 60, kS,
                                 L"Triangle; history starts 2020-01-01");
  late.history_start = MakeTicks(2020, 1, 1);
  items.push_back(std::move(late));
}

void AddNames(std::vector<ItemDefinition>& items) {
  const wchar_t* names[] = {
      L"Names/Flow, inlet",
      L"Names/Tank 1.Level",
      L"Names/Pump speed set point",
      L"Names/Temp\u00E9rature ext\u00E9rieure",
      L"Names/F\u00FCllstand Beh\u00E4lter",
      L"Names/D\u00E9bit, entr\u00E9e. \u00C9t\u00E9 3",
  };
  double high = 10;
  for (const wchar_t* name : names) {
    items.push_back(WaveItem(name, Shape::kSine, kMin, 0, high, kS, L"Sine of one minute"));
    high += 10;
  }
  // Exactly 256 characters: clients that cut longer names to 256 bytes reach this item.
  std::wstring longest = L"Names/Exactly 256 characters ";
  for (wchar_t digit = L'0'; longest.size() < 256; digit = digit == L'9' ? L'0' : digit + 1) {
    longest += digit;
  }
  items.push_back(WaveItem(std::move(longest), Shape::kSine, kMin, 0, 70, kS,
                           L"Sine of one minute with the longest name"));
}

void AddPlant(std::vector<ItemDefinition>& items) {
  items.push_back(WaveItem(L"Plant/Area 1/Line A/Temperature", Shape::kSine, kH, 20, 80, 10 * kS,
                           L"Line A temperature", L"\u00B0C"));
  items.push_back(WaveItem(L"Plant/Area 1/Line A/Pressure", Shape::kTriangle, 10 * kMin, 1, 5,
                           10 * kS, L"Line A pressure", L"bar"));
  items.push_back(WaveItem(L"Plant/Area 1/Line B/Temperature", Shape::kSine, 2 * kH, 15, 95,
                           10 * kS, L"Line B temperature", L"\u00B0C"));
  items.push_back(WaveItem(L"Plant/Area 2/Line C/Flow", Shape::kSaw, 5 * kMin, 0, 250, 10 * kS,
                           L"Line C flow", L"m3/h"));
  items.push_back(WaveItem(L"Plant/Area 2/Speed", Shape::kSquare, 30 * kMin, 0, 1500, 10 * kS,
                           L"Area 2 speed", L"rpm"));
}

void AddLarge(std::vector<ItemDefinition>& items) {
  constexpr int kCount = 5000;
  for (int i = 0; i < kCount; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"Large/Item %04d", i);
    ItemDefinition item =
        WaveItem(name, Shape::kSine, kH, 0, 100, 10 * kS, L"Sine of one hour, shifted");
    item.wave.phase = i * (kH / kCount);
    items.push_back(std::move(item));
  }
}

void AddWritable(std::vector<ItemDefinition>& items) {
  items.push_back(
      Store(L"Writable/Empty R8", ValueKind::kR8, L"Holds what is written; no history of its own"));
  items.push_back(Store(L"Writable/Empty text", ValueKind::kText, L"Holds texts that are written"));
  ItemDefinition sine = WaveItem(L"Writable/Sine 10s", Shape::kSine, kMin, -100, 100, 10 * kS,
                                 L"Sine of one minute that can be edited");
  sine.writable = true;
  items.push_back(std::move(sine));
}

void AddFaults(std::vector<ItemDefinition>& items) {
  ItemDefinition fails = WaveItem(L"Faults/Read fails", Shape::kSine, kMin, -100, 100, kS,
                                  L"Every read of this item fails with E_FAIL");
  fails.fault = Fault::kReadFails;
  items.push_back(std::move(fails));
  ItemDefinition denied = WaveItem(L"Faults/Access denied", Shape::kSine, kMin, -100, 100, kS,
                                   L"Reads and writes fail with OPC_E_BADRIGHTS");
  denied.fault = Fault::kAccessDenied;
  items.push_back(std::move(denied));
  ItemDefinition slow = WaveItem(L"Faults/Slow 2s", Shape::kSine, kMin, -100, 100, kS,
                                 L"Every read that includes this item takes two seconds longer");
  slow.fault = Fault::kSlow;
  slow.fault_delay_ms = 2000;
  items.push_back(std::move(slow));
}

void AddControls(std::vector<ItemDefinition>& items) {
  items.push_back(ControlItem(L"Control/Shutdown", Control::kShutdown,
                              L"Any write asks every client to disconnect and ends the server"));
  items.push_back(ControlItem(L"Control/Reset", Control::kReset,
                              L"Any write forgets every value written to any item"));
  ItemDefinition memory =
      ControlItem(L"Control/Private bytes", Control::kPrivateBytes,
                  L"ReadAtTime gives the server's committed private memory in bytes");
  memory.writable = false;
  memory.units = L"bytes";
  items.push_back(std::move(memory));
  ItemDefinition objects =
      ControlItem(L"Control/Server objects", Control::kServerObjects,
                  L"ReadAtTime gives the number of live server objects of all classes");
  objects.writable = false;
  items.push_back(std::move(objects));
}

}  // namespace

std::vector<ItemDefinition> BuildItemTable() {
  std::vector<ItemDefinition> items;
  AddWaves(items);
  AddDense(items);
  AddTypes(items);
  AddText(items);
  AddQualities(items);
  AddGaps(items);
  AddNames(items);
  AddPlant(items);
  AddWritable(items);
  AddFaults(items);
  AddControls(items);
  AddLarge(items);
  return items;
}

}  // namespace hdasim
