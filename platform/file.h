// Binary files named by UTF-16 paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace platform {

class File {
 public:
  enum class Mode {
    Read,       // existing file, read only
    Write,      // created or truncated, write only
    ReadWrite,  // existing file, read and write
    Append,     // created if missing, writes go to the end
  };
  enum class Origin { Begin, Current, End };

  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Returns true when the file is open.
  bool Open(const char16_t* path, Mode mode);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  // Both return the number of bytes transferred.
  std::size_t Read(void* buffer, std::size_t bytes);
  std::size_t Write(const void* buffer, std::size_t bytes);
  bool Flush();

  std::int64_t Tell() const;
  bool Seek(std::int64_t offset, Origin origin);
  std::int64_t Size() const;
  // Cuts the file at the current position. Returns true on success.
  bool Truncate();

  static bool Exists(const char16_t* path);
  static bool Remove(const char16_t* path);
  // Replaces an existing target. On Windows a target another program holds open for a moment is
  // waited for, up to a second.
  static bool Rename(const char16_t* from, const char16_t* to);

 private:
  std::FILE* file_ = nullptr;
};

// A whole file mapped into memory copy-on-write: its bytes are read where the system keeps them,
// without a copy, and what is written goes to private pages, never to the file.
class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Returns true when the file is mapped. An empty file never is.
  bool Open(const char16_t* path);
  void Close();

  char* Data() const { return data_; }
  std::size_t Size() const { return size_; }
  // The bytes after the last one of the file up to the end of its page, which read as zeros.
  std::size_t ZeroTail() const;

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t page_ = 0;
};

namespace faults {
// Faults the next file operations will show, for tests of failure paths.
struct FileFaults {
  bool failOpen = false;  // every Open fails
  bool failMap = false;   // every MappedFile::Open fails, so that files are read instead
  long writeBudget = -1;  // bytes that may still be written before writes fail; -1: no limit
};
// Installs faults (nullptr removes them); the caller keeps the object alive while installed.
void SetFileFaults(FileFaults* faults);
// Faults installed for one scope.
class ScopedFileFaults {
 public:
  explicit ScopedFileFaults(FileFaults& faults) { SetFileFaults(&faults); }
  ~ScopedFileFaults() { SetFileFaults(nullptr); }
  ScopedFileFaults(const ScopedFileFaults&) = delete;
  ScopedFileFaults& operator=(const ScopedFileFaults&) = delete;
};
}  // namespace faults

}  // namespace platform
