#include "app/core/shell_command.h"

namespace {

bool SameSwitch(const std::u16string& name, const char16_t* wanted) {
  std::u16string lower;
  for (char16_t c : name)
    lower += (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
  return lower == wanted;
}

}  // namespace

TShellCommand ParseShellCommand(const std::vector<std::u16string>& arguments) {
  TShellCommand command;
  bool print = false, print_to = false;
  for (const std::u16string& argument : arguments) {
    if (!argument.empty() && (argument[0] == u'/' || argument[0] == u'-')) {
      const std::u16string name = argument.substr(1);
      if (SameSwitch(name, u"p")) print = true;
      if (SameSwitch(name, u"pt")) print_to = true;
      if (SameSwitch(name, u"peruser")) command.per_user = true;
      continue;
    }
    // The first plain argument is the file; a print-to request's next three name the printer.
    if (command.file.empty()) {
      command.file = argument;
    } else if (print_to && command.printer.empty()) {
      command.printer = argument;
    } else if (print_to && command.driver.empty()) {
      command.driver = argument;
    } else if (print_to && command.port.empty()) {
      command.port = argument;
    }
  }
  if (print_to) {
    command.action = TShellAction::PrintTo;
  } else if (print) {
    command.action = TShellAction::Print;
  } else if (!command.file.empty()) {
    command.action = TShellAction::Open;
  }
  return command;
}
