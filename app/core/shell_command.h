// What the program was started to do, read from its command line the way shell requests come:
// nothing (a new document), a file to open, "/p file" (print it on the default printer) or
// "/pt file printer driver port" (print it on that printer); "/PerUser" with any of them starts the
// program in the user's own folder (app/user_directory.h). Switches that are not ours are skipped.
#pragma once

#include <string>
#include <vector>

enum class TShellAction { NewDocument, Open, Print, PrintTo };

struct TShellCommand {
  TShellAction action = TShellAction::NewDocument;
  std::u16string file;
  // Of a print-to request.
  std::u16string printer;
  std::u16string driver;
  std::u16string port;
  bool per_user = false;
};

// `arguments` without the program's name.
TShellCommand ParseShellCommand(const std::vector<std::u16string>& arguments);
