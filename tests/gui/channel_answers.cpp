#include "tests/gui/channel_answers.h"

namespace gui {

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find(L'\n', at);
    lines.push_back(text.substr(at, end - at));
    if (end == std::wstring::npos) break;
    at = end + 1;
  }
  return lines;
}

std::vector<std::wstring> Fields(const std::wstring& line) {
  std::vector<std::wstring> fields;
  std::size_t at = 0;
  for (;;) {
    const std::size_t end = line.find(L'|', at);
    fields.push_back(line.substr(at, end - at));
    if (end == std::wstring::npos) return fields;
    at = end + 1;
  }
}

std::vector<std::wstring> MenuBarTitles(const std::wstring& menu) {
  std::vector<std::wstring> titles;
  for (const std::wstring& line : Lines(menu)) {
    if (line.rfind(L"0|", 0) == 0) titles.push_back(line.substr(line.rfind(L'|') + 1));
  }
  return titles;
}

std::wstring MenuItem(const std::wstring& menu, unsigned id) {
  const std::wstring key = std::to_wstring(id);
  for (const std::wstring& line : Lines(menu)) {
    const std::vector<std::wstring> fields = Fields(line);
    if (fields.size() >= 4 && fields[1] == key) return line;
  }
  return L"";
}

std::wstring Flags(const std::wstring& item) {
  const std::vector<std::wstring> fields = Fields(item);
  return fields.size() >= 4 ? fields[2] : L"";
}

std::wstring MenuText(const std::wstring& item) {
  const std::size_t at = item.find(L'|', item.find(L'|', item.find(L'|') + 1) + 1);
  return at == std::wstring::npos ? L"" : item.substr(at + 1);
}

std::wstring Element(const std::wstring& text, const std::wstring& name) {
  const std::size_t open = text.find(L"<" + name + L">");
  if (open == std::wstring::npos) return L"";
  const std::size_t from = open + name.size() + 2;
  const std::size_t close = text.find(L"</" + name + L">", from);
  return close == std::wstring::npos ? L"" : text.substr(from, close - from);
}

long Number(const std::wstring& text, const std::wstring& name) {
  const std::wstring value = Element(text, name);
  return value.empty() ? -99999 : std::stol(value);
}

}  // namespace gui
