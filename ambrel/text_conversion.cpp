#include "ambrel/text_conversion.h"

#include <cstdio>

namespace ambrel {

std::wstring WidenBytes(const char* text) {
  std::wstring wide;
  if (!text) return wide;
  for (const char* p = text; *p; ++p)
    wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
  return wide;
}

std::string NarrowAnsi(const wchar_t* text) {
  if (!text || !*text) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(size) - 1);
  return narrow;
}

void CopyToBuffer(std::string_view text, char* buffer, DWORD length) {
  if (!buffer || length == 0) return;
  const std::size_t n = text.size() < length - 1 ? text.size() : length - 1;
  text.copy(buffer, n);
  buffer[n] = '\0';
}

void CopyLow8Bits(const wchar_t* text, char* buffer, DWORD length) {
  if (!buffer || length == 0) return;
  if (text) {
    for (DWORD i = 0; i < length; ++i) {
      buffer[i] = static_cast<char>(text[i] & 0xFF);
      if (text[i] == L'\0') break;
    }
  }
  buffer[length - 1] = '\0';
}

std::string FillPattern(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string out;
  auto next = values.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const std::string_view rest = pattern.substr(i);
    if ((rest.starts_with("%ls") || rest.starts_with("%lx")) && next != values.end()) {
      out += *next++;
      i += 2;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string HexNoPad(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(hr));
  return text;
}

std::string TraceText(std::string_view step, HRESULT hr) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%08lx", static_cast<unsigned long>(hr));
  std::string text = std::string(step) + " HRESULT = 0x" + hex;
  if (text.size() > kTraceLimit) text.resize(kTraceLimit);
  return text;
}

}  // namespace ambrel
