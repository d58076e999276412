#include "platform/file.h"

#include <utility>

namespace platform {
namespace detail {
std::FILE* OpenFile(const char16_t* path, const char* mode);
bool RemoveFile(const char16_t* path);
bool RenameFile(const char16_t* from, const char16_t* to);
bool SeekFile(std::FILE* file, std::int64_t offset, int origin);
std::int64_t TellFile(std::FILE* file);
bool TruncateFile(std::FILE* file, std::int64_t size);
// The whole file mapped copy-on-write, with the system's page size; false when it cannot be.
bool MapFile(const char16_t* path, char*& data, std::size_t& size, std::size_t& page);
void UnmapFile(char* data, std::size_t size);
}  // namespace detail

namespace {
faults::FileFaults* g_faults = nullptr;

const char* ModeText(File::Mode mode) {
  switch (mode) {
    case File::Mode::Read:
      return "rb";
    case File::Mode::Write:
      return "wb";
    case File::Mode::ReadWrite:
      return "r+b";
    case File::Mode::Append:
      return "ab";
  }
  return "rb";
}
}  // namespace

File::~File() { Close(); }

File::File(File&& other) noexcept : file_(std::exchange(other.file_, nullptr)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    file_ = std::exchange(other.file_, nullptr);
  }
  return *this;
}

bool File::Open(const char16_t* path, Mode mode) {
  Close();
  if (path == nullptr || (g_faults && g_faults->failOpen)) return false;
  file_ = detail::OpenFile(path, ModeText(mode));
  return file_ != nullptr;
}

void File::Close() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
}

std::size_t File::Read(void* buffer, std::size_t bytes) {
  return file_ ? std::fread(buffer, 1, bytes, file_) : 0;
}

std::size_t File::Write(const void* buffer, std::size_t bytes) {
  if (!file_) return 0;
  if (g_faults && g_faults->writeBudget >= 0) {
    std::size_t allowed = static_cast<std::size_t>(g_faults->writeBudget);
    if (bytes > allowed) bytes = allowed;
    g_faults->writeBudget -= static_cast<long>(bytes);
  }
  return bytes ? std::fwrite(buffer, 1, bytes, file_) : 0;
}

bool File::Flush() { return file_ && std::fflush(file_) == 0; }

std::int64_t File::Tell() const { return file_ ? detail::TellFile(file_) : -1; }

bool File::Seek(std::int64_t offset, Origin origin) {
  if (!file_) return false;
  int whence = origin == Origin::Begin ? SEEK_SET : origin == Origin::Current ? SEEK_CUR : SEEK_END;
  return detail::SeekFile(file_, offset, whence);
}

std::int64_t File::Size() const {
  if (!file_) return -1;
  std::int64_t here = detail::TellFile(file_);
  if (here < 0 || !detail::SeekFile(file_, 0, SEEK_END)) return -1;
  std::int64_t size = detail::TellFile(file_);
  detail::SeekFile(file_, here, SEEK_SET);
  return size;
}

bool File::Truncate() {
  if (!file_ || std::fflush(file_) != 0) return false;
  std::int64_t here = detail::TellFile(file_);
  return here >= 0 && detail::TruncateFile(file_, here);
}

bool File::Exists(const char16_t* path) {
  std::FILE* f = path ? detail::OpenFile(path, "rb") : nullptr;
  if (!f) return false;
  std::fclose(f);
  return true;
}

bool File::Remove(const char16_t* path) { return path && detail::RemoveFile(path); }

bool File::Rename(const char16_t* from, const char16_t* to) {
  return from && to && detail::RenameFile(from, to);
}

MappedFile::~MappedFile() { Close(); }

bool MappedFile::Open(const char16_t* path) {
  Close();
  if (path == nullptr || (g_faults && (g_faults->failOpen || g_faults->failMap))) return false;
  if (detail::MapFile(path, data_, size_, page_)) return true;
  data_ = nullptr;
  size_ = 0;
  return false;
}

void MappedFile::Close() {
  if (data_) detail::UnmapFile(data_, size_);
  data_ = nullptr;
  size_ = 0;
}

std::size_t MappedFile::ZeroTail() const {
  if (data_ == nullptr || page_ == 0 || size_ % page_ == 0) return 0;
  return page_ - size_ % page_;
}

namespace faults {
void SetFileFaults(FileFaults* faults) { g_faults = faults; }
}  // namespace faults

}  // namespace platform
