// Reading what Varnel.exe tells: the answers of its test channel (lines, fields, the menu's
// items) and the elements of the XML files it writes.
#pragma once

#include <string>
#include <vector>

namespace gui {

std::vector<std::wstring> Lines(const std::wstring& text);
// The fields of a line, split at '|'.
std::vector<std::wstring> Fields(const std::wstring& line);
// The titles of the menu bar's pop-ups, from the answer to "menu".
std::vector<std::wstring> MenuBarTitles(const std::wstring& menu);
// The line of the menu item with that identifier ("depth|id|flags|text"), or "".
std::wstring MenuItem(const std::wstring& menu, unsigned id);
// The state letters of a menu item's line: g greyed, c checked, p pop-up, s separator.
std::wstring Flags(const std::wstring& item);
// The text of a menu item's line.
std::wstring MenuText(const std::wstring& item);

// The text between <name> and </name>, or "" when there is none.
std::wstring Element(const std::wstring& text, const std::wstring& name);
// That element as a number, -99999 when it is missing.
long Number(const std::wstring& text, const std::wstring& name);

}  // namespace gui
