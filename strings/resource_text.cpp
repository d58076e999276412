#include "strings/resource_text.h"

#include <algorithm>
#include <atomic>

#include "platform/lock.h"
#include "strings/string_table.h"

namespace {

struct TextState {
  platform::Lock lock;
  int next = kResultBufferCount - 1;  // the first lookup uses buffer 0
  char16_t load[kLoadBufferUnits];
  char16_t results[kResultBufferCount][kResultBufferUnits];
};

// Never destroyed: texts may still be looked up while other static objects are torn down.
TextState& State() {
  static TextState* state = new TextState{};
  return *state;
}

std::atomic<StringLoader> g_loader{nullptr};

// Start of part `index` of the terminated entry, or nullptr when the entry has no such part.
const char16_t* FindPart(const char16_t* entry, int index) {
  if (*entry == 0) return nullptr;
  const char16_t* part = entry;
  for (int i = 0; i < index; ++i) {
    while (*part != 0 && *part != kPartSeparator) ++part;
    if (*part == 0) return nullptr;
    ++part;
  }
  return part;
}

const char16_t* ChoosePart(const char16_t* entry, int language) {
  if (const char16_t* part = FindPart(entry, language)) return part;
  for (int i = std::min(language, 2); i >= 0; --i) {
    if (const char16_t* part = FindPart(entry, i)) return part;
  }
  return nullptr;
}

}  // namespace

std::uint32_t LoadTableString(int id, char16_t* buffer, std::uint32_t bufferUnits) {
  if (buffer == nullptr || bufferUnits == 0) return 0;
  std::span<const TStringEntry> table = StringTable();
  auto found = std::lower_bound(table.begin(), table.end(), id,
                                [](const TStringEntry& e, int key) { return e.id < key; });
  std::uint32_t count = 0;
  if (found != table.end() && found->id == id) {
    for (const char16_t* t = found->text; *t != 0 && count + 1 < bufferUnits; ++t) {
      buffer[count++] = *t;
    }
  }
  buffer[count] = 0;
  return count;
}

StringLoader SetStringLoaderForTesting(StringLoader loader) { return g_loader.exchange(loader); }

const char16_t* RString(int id, int language) {
  language = std::clamp(language, 0, kMaxLanguage);
  TextState& state = State();
  platform::LockGuard guard(state.lock);
  state.next = (state.next + 1) % kResultBufferCount;
  char16_t* result = state.results[state.next];

  StringLoader loader = g_loader.load();
  std::uint32_t loaded = (loader ? loader : LoadTableString)(id, state.load, kLoadBufferUnits);
  // A loader may not be trusted to terminate or to stay inside the buffer.
  state.load[std::min(loaded, kLoadBufferUnits - 1)] = 0;

  const char16_t* part = ChoosePart(state.load, language);
  std::uint32_t count = 0;
  if (part != nullptr) {
    if (part[0] == u'\r' && part[1] == u'\n') part += 2;
    for (std::uint32_t tabs = 0; *part == u'\t' && tabs < kMaxSkippedTabs; ++tabs) ++part;
    while (count < kMaxResultUnits && part[count] != 0 && part[count] != kPartSeparator) {
      result[count] = part[count];
      ++count;
    }
  }
  result[count] = 0;
  return result;
}
