// Documents as the commands read them: a document that cannot be read ends the command with one
// line that says why.
#pragma once

#include <string>

#include "document/varnel_doc.h"

namespace cli {

// Loads `file` (as the user named it) into `doc`. Returns the line that ends the command when it
// cannot be read or is cut short, naming the file and the cause; empty when it was read whole.
std::string LoadDocument(const std::string& file, TVarnelDoc& doc);

}  // namespace cli
