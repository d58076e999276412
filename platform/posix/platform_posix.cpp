// POSIX side of the platform layer: used by the native build of the portable core.
#include "platform/codepage.h"
#include "platform/file.h"
#include "platform/lock.h"
#include "platform/screen.h"
#include "platform/utf8.h"

#include <clocale>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <string>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned bytes map to the C1 controls, as Windows does.
constexpr char16_t kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ByteToUnit(unsigned char b) {
  return (b >= 0x80 && b < 0xA0) ? kHigh1252[b - 0x80] : static_cast<char16_t>(b);
}

char UnitToByte(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (int i = 0; i < 32; ++i) {
    if (kHigh1252[i] == u) return static_cast<char>(0x80 + i);
  }
  return '?';
}

template <typename In>
int SourceLength(const In* src, int srcLen) {
  if (srcLen >= 0) return srcLen;
  int n = 0;
  while (src[n] != 0) ++n;
  return n + 1;  // the terminator is converted too
}

class Windows1252 final : public CodePage {
 public:
  int ToWide(const char* src, int srcLen, char16_t* dst, int dstCap, bool) override {
    if (src == nullptr || dstCap < 0) return 0;
    int n = SourceLength(src, srcLen);
    if (dstCap == 0) return n;
    if (dstCap < n) return 0;
    for (int i = 0; i < n; ++i) dst[i] = ByteToUnit(static_cast<unsigned char>(src[i]));
    return n;
  }
  int ToNarrow(const char16_t* src, int srcLen, char* dst, int dstCap) override {
    if (src == nullptr || dstCap < 0) return 0;
    int n = SourceLength(src, srcLen);
    if (dstCap == 0) return n;
    if (dstCap < n) return 0;
    for (int i = 0; i < n; ++i) dst[i] = UnitToByte(src[i]);
    return n;
  }
};

}  // namespace

namespace detail {

CodePage& SystemCodePage() {
  static Windows1252 codePage;
  return codePage;
}

double SystemNowMs() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec / 1000000);
}

long SystemMinutesWest() {
  tzset();
  return static_cast<long>(timezone / 60);
}

ScreenRect SystemWorkArea() { return ScreenRect{0, 0, 1280, 1024}; }

char16_t SystemDecimalPoint() {
  const lconv* lc = std::localeconv();
  return (lc && lc->decimal_point && lc->decimal_point[0])
             ? static_cast<char16_t>(static_cast<unsigned char>(lc->decimal_point[0]))
             : u'.';
}

std::FILE* OpenFile(const char16_t* path, const char* mode) {
  return std::fopen(ToUtf8(path).c_str(), mode);
}

bool RemoveFile(const char16_t* path) { return std::remove(ToUtf8(path).c_str()) == 0; }

bool RenameFile(const char16_t* from, const char16_t* to) {
  return std::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) == 0;
}

bool SeekFile(std::FILE* file, std::int64_t offset, int origin) {
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
}

std::int64_t TellFile(std::FILE* file) { return static_cast<std::int64_t>(ftello(file)); }

bool TruncateFile(std::FILE* file, std::int64_t size) {
  return ftruncate(fileno(file), static_cast<off_t>(size)) == 0;
}

bool MapFile(const char16_t* path, char*& data, std::size_t& size, std::size_t& page) {
  const int fd = open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  void* view = MAP_FAILED;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
    size = static_cast<std::size_t>(status.st_size);
    view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE, fd, 0);
  }
  close(fd);  // the mapping keeps the file
  if (view == MAP_FAILED) return false;
  data = static_cast<char*>(view);
  page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return true;
}

void UnmapFile(char* data, std::size_t size) { munmap(data, size); }

}  // namespace detail

struct Lock::Impl {
  std::recursive_mutex mutex;
};

Lock::Lock() : impl_(std::make_unique<Impl>()) {}
Lock::~Lock() = default;
void Lock::Acquire() { impl_->mutex.lock(); }
void Lock::Release() { impl_->mutex.unlock(); }

}  // namespace platform
