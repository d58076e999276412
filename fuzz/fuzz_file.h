// The whole-file fuzz targets hand each input to the program as a file: written to a directory of
// the process's own under the system's temporary directory, under the name the program reads.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/tstring.h"

namespace fuzz {

// The directory, made on the first call and removed when the process ends. Kept in a string that
// is never destroyed: the removal runs at exit, after static strings may already be gone.
inline const std::string& ScratchDirectory() {
  static const std::string* directory = [] {
    const char* base = std::getenv("TMPDIR");
    auto* d = new std::string(std::string(base && *base ? base : "/tmp") + "/varnel_fuzz_" +
                              std::to_string(static_cast<long>(getpid())));
    const std::string make = "mkdir -p '" + *d + "'";
    if (std::system(make.c_str()) != 0) __builtin_trap();
    std::atexit([] {
      const std::string remove = "rm -rf '" + ScratchDirectory() + "'";
      static_cast<void>(std::system(remove.c_str()));
    });
    return d;
  }();
  return *directory;
}

// Writes the input to <scratch>/<leaf> and returns the path as the program names files.
inline TString WriteInput(const char* leaf, const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchDirectory() + "/" + leaf;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) __builtin_trap();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) __builtin_trap();
  std::fclose(file);
  TString name;
  name.FromNarrow(path.c_str());
  return name;
}

inline TString ScratchDirectoryName() {
  TString name;
  name.FromNarrow(ScratchDirectory().c_str());
  return name;
}

inline void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace fuzz
