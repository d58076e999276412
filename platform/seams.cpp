// The test seams shared by both implementations; the real sources live in posix/ and win32/.
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/locale.h"
#include "platform/screen.h"
#include "platform/timezone.h"

#include <atomic>

namespace platform {
namespace detail {
CodePage& SystemCodePage();
double SystemNowMs();
long SystemMinutesWest();
ScreenRect SystemWorkArea();
char16_t SystemDecimalPoint();
}  // namespace detail

namespace {
CodePage* g_codePage = nullptr;
std::atomic<NowFunction> g_now{nullptr};
std::optional<long> g_minutesWest;
std::optional<ScreenRect> g_workArea;
char16_t g_decimalPoint = 0;
thread_local char16_t t_fileDecimalPoint = 0;  // set while a ScopedFileNumerics lives
}  // namespace

int AnsiToWide(const char* src, int srcLen, char16_t* dst, int dstCap, bool precomposed) {
  CodePage& cp = g_codePage ? *g_codePage : detail::SystemCodePage();
  return cp.ToWide(src, srcLen, dst, dstCap, precomposed);
}

int WideToAnsi(const char16_t* src, int srcLen, char* dst, int dstCap) {
  CodePage& cp = g_codePage ? *g_codePage : detail::SystemCodePage();
  return cp.ToNarrow(src, srcLen, dst, dstCap);
}

CodePage* SetCodePageForTesting(CodePage* replacement) {
  CodePage* previous = g_codePage;
  g_codePage = replacement;
  return previous;
}

double CrtNowMs() {
  NowFunction now = g_now.load();
  return now ? now() : detail::SystemNowMs();
}

NowFunction SetClockForTesting(NowFunction now) { return g_now.exchange(now); }

long MinutesWestOfUtc() { return g_minutesWest ? *g_minutesWest : detail::SystemMinutesWest(); }

void SetMinutesWestForTesting(std::optional<long> minutesWest) { g_minutesWest = minutesWest; }

ScreenRect WorkArea() { return g_workArea ? *g_workArea : detail::SystemWorkArea(); }

void SetWorkAreaForTesting(std::optional<ScreenRect> area) { g_workArea = area; }

char16_t DecimalPoint() {
  if (t_fileDecimalPoint) return t_fileDecimalPoint;
  return g_decimalPoint ? g_decimalPoint : detail::SystemDecimalPoint();
}

ScopedFileNumerics::ScopedFileNumerics() : previous_(t_fileDecimalPoint) {
  t_fileDecimalPoint = u'.';
}

ScopedFileNumerics::~ScopedFileNumerics() { t_fileDecimalPoint = previous_; }

char16_t SetDecimalPointForTesting(char16_t point) {
  char16_t previous = g_decimalPoint;
  g_decimalPoint = point;
  return previous;
}

}  // namespace platform
