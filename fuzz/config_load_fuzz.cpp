// The configuration loader over any file found in the start directory: whatever the bytes,
// loading neither traps nor reads out of bounds, and what it keeps passes its own checks.
#include <cstddef>
#include <cstdint>

#include "app_context/start_directory.h"
#include "config/config.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool pointed = [] {
    SetStartDirectory(fuzz::ScratchDirectoryName());
    return true;
  }();
  static_cast<void>(pointed);
  fuzz::WriteInput("Varnel_Config.xml", data, size);
  TConfig config;
  static_cast<void>(config.Load());
  // The record after loading is one its own checks keep as it is.
  TConfig checked = config;
  checked.Validate();
  fuzz::Check(!checked.DiffersFully(config));
  return 0;
}
