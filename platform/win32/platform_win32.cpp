// Win32 side of the platform layer.
#include "platform/codepage.h"
#include "platform/file.h"
#include "platform/lock.h"
#include "platform/screen.h"
#include "platform/wide.h"

#include <windows.h>

#include <io.h>
#include <sys/timeb.h>

#include <clocale>
#include <cstdio>
#include <ctime>

namespace platform {
namespace {

class ThreadAnsiCodePage final : public CodePage {
 public:
  int ToWide(const char* src, int srcLen, char16_t* dst, int dstCap, bool precomposed) override {
    return MultiByteToWideChar(CP_THREAD_ACP, precomposed ? MB_PRECOMPOSED : 0, src, srcLen, W(dst),
                               dstCap);
  }
  int ToNarrow(const char16_t* src, int srcLen, char* dst, int dstCap) override {
    return WideCharToMultiByte(CP_THREAD_ACP, 0, W(src), srcLen, dst, dstCap, nullptr, nullptr);
  }
};

// A kernel handle closed when it goes (a null or invalid one is not).
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (Valid()) CloseHandle(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

namespace detail {

CodePage& SystemCodePage() {
  static ThreadAnsiCodePage codePage;
  return codePage;
}

double SystemNowMs() {
  __timeb64 now{};
  _ftime64(&now);
  return static_cast<double>(now.time) * 1000.0 + now.millitm;
}

long SystemMinutesWest() {
  _tzset();
  return static_cast<long>(_timezone / 60);
}

ScreenRect SystemWorkArea() {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
    r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

char16_t SystemDecimalPoint() {
  const lconv* lc = std::localeconv();
  return (lc && lc->decimal_point && lc->decimal_point[0])
             ? static_cast<char16_t>(static_cast<unsigned char>(lc->decimal_point[0]))
             : u'.';
}

std::FILE* OpenFile(const char16_t* path, const char* mode) {
  wchar_t wideMode[8] = {};
  for (int i = 0; i < 7 && mode[i]; ++i) wideMode[i] = static_cast<wchar_t>(mode[i]);
  return _wfopen(W(path), wideMode);
}

bool RemoveFile(const char16_t* path) { return DeleteFileW(W(path)) != 0; }

// Another program that has the target open for a moment without letting it be deleted (a backup,
// a virus scanner, an indexer, a viewer reading it) makes the replacement fail with a sharing
// violation: a save would then be lost for a read that ends a moment later. Tried again for a
// second before the failure is given.
bool RenameFile(const char16_t* from, const char16_t* to) {
  constexpr int kTries = 20;
  constexpr DWORD kPauseMs = 50;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(W(from), W(to), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = GetLastError();
    // Wine (and Windows for a file being deleted) says "access denied" for a held target; a
    // target that is read-only costs the second before its failure.
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                      error == ERROR_ACCESS_DENIED;
    if (!held || attempt == kTries) {
      return false;
    }
    Sleep(kPauseMs);
  }
}

bool SeekFile(std::FILE* file, std::int64_t offset, int origin) {
  return _fseeki64(file, offset, origin) == 0;
}

std::int64_t TellFile(std::FILE* file) { return _ftelli64(file); }

bool TruncateFile(std::FILE* file, std::int64_t size) {
  return _chsize_s(_fileno(file), size) == 0;
}

bool MapFile(const char16_t* path, char*& data, std::size_t& size, std::size_t& page) {
  // Shared as the C library shares a file it opens for reading.
  const OwnedHandle file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER length{};
  if (!file.Valid() || !GetFileSizeEx(file.Get(), &length) || length.QuadPart <= 0 ||
      static_cast<unsigned long long>(length.QuadPart) > SIZE_MAX) {
    return false;
  }
  const OwnedHandle mapping(CreateFileMappingW(file.Get(), nullptr, PAGE_WRITECOPY, 0, 0, nullptr));
  // The view keeps the file mapped once both handles are closed.
  void* view = mapping.Valid() ? MapViewOfFile(mapping.Get(), FILE_MAP_COPY, 0, 0, 0) : nullptr;
  if (view == nullptr) return false;
  data = static_cast<char*>(view);
  size = static_cast<std::size_t>(length.QuadPart);
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  page = system.dwPageSize;
  return true;
}

void UnmapFile(char* data, std::size_t) { UnmapViewOfFile(data); }

}  // namespace detail

struct Lock::Impl {
  CRITICAL_SECTION section;
  Impl() { InitializeCriticalSection(&section); }
  ~Impl() { DeleteCriticalSection(&section); }
};

Lock::Lock() : impl_(std::make_unique<Impl>()) {}
Lock::~Lock() = default;
void Lock::Acquire() { EnterCriticalSection(&impl_->section); }
void Lock::Release() { LeaveCriticalSection(&impl_->section); }

}  // namespace platform
