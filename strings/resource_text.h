// Resource text: the part of a string-table entry that belongs to one language.
//
// Languages by index: 0 French, 1 English, 2 German, 3 Spanish, 4 Dutch; 5..9 are accepted and
// fall back as described at RString. The caller names the language (the main frame's is looked up
// by app_context/main_frame_text.h). Results live in ten rotating buffers, so a result stays valid
// until ten further lookups have been made; keep it in a TString to hold it longer.
#pragma once

#include <cstdint>

inline constexpr int kResultBufferCount = 10;
inline constexpr std::uint32_t kResultBufferUnits = 264;
inline constexpr std::uint32_t kLoadBufferUnits = 2560;
inline constexpr std::uint32_t kMaxResultUnits = 256;
inline constexpr std::uint32_t kMaxSkippedTabs = 256;
inline constexpr int kMaxLanguage = 9;
inline constexpr char16_t kPartSeparator = u'\u00B6';

// The text of entry id in the given language. Part `language` of the entry; when the entry has no
// such part, the last part it has among 0..min(language, 2). A leading CR LF and then up to 256
// leading tabs are skipped and at most 256 units are kept. A missing or empty entry gives "".
// Languages outside 0..9 are clamped into that range, as the stored setting is.
const char16_t* RString(int id, int language);

// Copies entry id into buffer (at most bufferUnits - 1 units, then a terminator) and returns the
// units copied; a missing entry gives 0.
using StringLoader = std::uint32_t (*)(int id, char16_t* buffer, std::uint32_t bufferUnits);

// The loader over the program's string table.
std::uint32_t LoadTableString(int id, char16_t* buffer, std::uint32_t bufferUnits);

// Test seam: replaces the loader (nullptr restores the table's); returns the previous one.
StringLoader SetStringLoaderForTesting(StringLoader loader);
