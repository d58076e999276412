// The library's 8-bit text rules: what goes to a server is widened one byte per UTF-16 unit,
// what comes back is converted with the ANSI code page (or cut to its low 8 bits for the status
// texts), and every copy into a caller's buffer is cut and terminated.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ambrel {

// Each byte becomes the UTF-16 unit of the same value; null gives an empty text.
std::wstring WidenBytes(const char* text);

// UTF-16 to the system's ANSI code page; null gives an empty text.
std::string NarrowAnsi(const wchar_t* text);

// At most length-1 characters and a terminating zero at length-1 or earlier. Nothing is written
// when the buffer is null or its length 0.
void CopyToBuffer(std::string_view text, char* buffer, DWORD length);

// One UTF-16 unit per byte, keeping its low 8 bits, up to the terminator or the buffer's end;
// the buffer's last byte is always 0.
void CopyLow8Bits(const wchar_t* text, char* buffer, DWORD length);

// Fills the %ls and %lx places of a message pattern, in order, with the given texts.
std::string FillPattern(std::string_view pattern, std::initializer_list<std::string_view> values);

// The longest trace text the event callback receives.
inline constexpr std::size_t kTraceLimit = 199;

// "<step> HRESULT = 0x<8 lower-case hex digits>", cut to kTraceLimit characters.
std::string TraceText(std::string_view step, HRESULT hr);

// An HRESULT as printf's %lx shows it: lower case, no leading zeros.
std::string HexNoPad(HRESULT hr);

}  // namespace ambrel
