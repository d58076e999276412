#include "tests/ambrel/pe_exports.h"

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace ambrel_test {
namespace {

template <typename T>
bool ReadAt(const std::vector<char>& file, std::size_t offset, T* out) {
  if (offset > file.size() || file.size() - offset < sizeof(T)) return false;
  std::memcpy(out, file.data() + offset, sizeof(T));
  return true;
}

std::optional<std::string> StringAt(const std::vector<char>& file, std::size_t offset) {
  if (offset >= file.size()) return std::nullopt;
  const char* begin = file.data() + offset;
  const void* end = std::memchr(begin, 0, file.size() - offset);
  if (!end) return std::nullopt;
  return std::string(begin, static_cast<const char*>(end));
}

}  // namespace

std::optional<PeExports> ReadPeExports(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) return std::nullopt;
  const std::vector<char> file((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());

  IMAGE_DOS_HEADER dos;
  if (!ReadAt(file, 0, &dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return std::nullopt;
  const std::size_t nt = static_cast<std::size_t>(dos.e_lfanew);
  DWORD signature = 0;
  IMAGE_FILE_HEADER header;
  if (!ReadAt(file, nt, &signature) || signature != IMAGE_NT_SIGNATURE ||
      !ReadAt(file, nt + 4, &header)) {
    return std::nullopt;
  }
  const std::size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
  WORD magic = 0;
  if (!ReadAt(file, optional, &magic)) return std::nullopt;

  PeExports result;
  IMAGE_DATA_DIRECTORY exports{};
  if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
    IMAGE_OPTIONAL_HEADER64 h;
    if (!ReadAt(file, optional, &h)) return std::nullopt;
    exports = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    result.is_64_bit = true;
  } else if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
    IMAGE_OPTIONAL_HEADER32 h;
    if (!ReadAt(file, optional, &h)) return std::nullopt;
    exports = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  } else {
    return std::nullopt;
  }

  // Relative virtual addresses become file offsets through the section table.
  const std::size_t sections = optional + header.SizeOfOptionalHeader;
  auto to_offset = [&](DWORD rva) -> std::optional<std::size_t> {
    for (WORD i = 0; i < header.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER s;
      if (!ReadAt(file, sections + i * sizeof(IMAGE_SECTION_HEADER), &s)) return std::nullopt;
      const DWORD size = s.Misc.VirtualSize ? s.Misc.VirtualSize : s.SizeOfRawData;
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + size) {
        return static_cast<std::size_t>(rva - s.VirtualAddress) + s.PointerToRawData;
      }
    }
    return std::nullopt;
  };

  const auto directory_offset = to_offset(exports.VirtualAddress);
  IMAGE_EXPORT_DIRECTORY directory;
  if (!directory_offset || !ReadAt(file, *directory_offset, &directory)) return std::nullopt;
  const auto dll_name_offset = to_offset(directory.Name);
  const auto names_offset = to_offset(directory.AddressOfNames);
  if (!dll_name_offset || !names_offset) return std::nullopt;
  auto dll_name = StringAt(file, *dll_name_offset);
  if (!dll_name) return std::nullopt;
  result.dll_name = *dll_name;
  for (DWORD i = 0; i < directory.NumberOfNames; ++i) {
    DWORD name_rva = 0;
    if (!ReadAt(file, *names_offset + i * sizeof(DWORD), &name_rva)) return std::nullopt;
    const auto name_offset = to_offset(name_rva);
    if (!name_offset) return std::nullopt;
    auto name = StringAt(file, *name_offset);
    if (!name) return std::nullopt;
    result.names.push_back(*name);
  }
  return result;
}

}  // namespace ambrel_test
