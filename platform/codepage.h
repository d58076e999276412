// Conversions between UTF-16 and the thread's ANSI code page.
// On Windows this is the thread's code page; elsewhere Windows-1252, so that the portable core
// behaves the same in native tests and under Wine (whose default code page is 1252).
#pragma once

namespace platform {

// Both follow the Win32 conventions: a source length of -1 means "up to and including the
// terminating NUL"; a capacity of 0 asks for the number of units needed; 0 means failure.
struct CodePage {
  virtual ~CodePage() = default;
  virtual int ToWide(const char* src, int srcLen, char16_t* dst, int dstCap, bool precomposed) = 0;
  virtual int ToNarrow(const char16_t* src, int srcLen, char* dst, int dstCap) = 0;
};

int AnsiToWide(const char* src, int srcLen, char16_t* dst, int dstCap, bool precomposed);
int WideToAnsi(const char16_t* src, int srcLen, char* dst, int dstCap);

// Test seam: replaces the converter (nullptr restores the real one); returns the previous one.
CodePage* SetCodePageForTesting(CodePage* replacement);

}  // namespace platform
