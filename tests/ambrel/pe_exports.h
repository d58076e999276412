// Reads the export names of a PE file (32- or 64-bit) from its export directory.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ambrel_test {

struct PeExports {
  bool is_64_bit = false;
  std::string dll_name;
  std::vector<std::string> names;
};

std::optional<PeExports> ReadPeExports(const std::wstring& path);

}  // namespace ambrel_test
