// TString: the program's growable UTF-16 string, used by value everywhere.
#pragma once

#include <cstdint>

#include "text/unit_buffer.h"

namespace platform {
class File;
}

class TString {
 public:
  static constexpr std::uint32_t kMaxLength = 32000000;  // longer appends are cut silently
  static constexpr std::uint32_t kInitialCapacity = 16;

  TString();
  TString(const char16_t* text);  // NOLINT: implicit like a C string
  TString(const TString& other);  // copies the growth step too
  TString(TString&& other) noexcept;
  // Concatenation of the parts up to the first null part.
  TString(const char16_t* p1, const char16_t* p2, const char16_t* p3 = nullptr,
          const char16_t* p4 = nullptr, const char16_t* p5 = nullptr, const char16_t* p6 = nullptr);
  // Empty, with room for max(capacity, 16) units plus 2 (16 if that allocation fails).
  explicit TString(std::uint32_t initialCapacity);
  virtual ~TString();

  TString& operator=(const TString& other);
  TString& operator=(TString&& other) noexcept;
  TString& operator=(const char16_t* text);

  // Makes room for n units plus terminator. Returns true on allocation failure (string unchanged).
  bool Reserve(std::uint32_t n);

  void Append(std::uint32_t count, const char16_t* source);
  void Append(const char16_t* text);
  void Append(char16_t c);
  void Append(const TString& other) { Append(other.Length(), other.Str()); }
  // Both keep the old text when the room for the new one cannot be allocated.
  void Assign(const char16_t* text);
  void Assign(std::uint32_t count, const char16_t* source);  // stops early at a NUL
  void SetLength(std::uint32_t n);                           // pads with spaces or cuts
  void Clear() { SetLength(0); }

  int Find(const char16_t* text) const;
  int Compare(const char16_t* text) const;
  int Compare(const TString& other) const;
  bool Equals(const TString& other) const;
  // The unit at min(index, length - 1); the terminator of an empty string.
  const char16_t* CharAt(std::uint32_t index) const;

  // Copies the next token (at most maxCount units) into destination, which must hold
  // maxCount + 1 units, and moves the cursor past it. A token ended by a separator skips the whole
  // run of separators after it; a token cut by maxCount leaves the rest of its word for the next
  // call. Returns the units copied: 0 at the end of the text (or at a leading separator).
  std::uint32_t GetToken(char16_t* destination, const char16_t* separators, std::uint32_t maxCount,
                         bool fromStart);

  void FromNarrow(const char* text);
  // Converts into the thread's code page: at most 256 bytes plus NUL.
  void ToNarrow(char (&destination)[257]) const;

  // Appends with the five XML entities escaped; in name mode a space becomes '_'.
  void AddXml(const char16_t* source, bool nameMode);
  // Replaces the five XML entities by their characters, in one pass.
  void FromXml();
  // Reads the rest of an open file as UTF-16LE. Returns true when the file is then at its end.
  bool LoadFromFile(platform::File& file);
  // Makes a name that follows this one: Axis007 -> Axis008, Axis99 -> Axis100, Axis -> Axis_2.
  void NextName();

  const char16_t* Str() const { return storage_.Data(); }
  char16_t* Buffer() { return storage_.Data(); }
  std::uint32_t Length() const { return length_; }
  std::uint32_t Capacity() const { return storage_.Capacity(); }
  bool IsEmpty() const { return length_ == 0; }
  std::uint32_t GrowthStep() const { return growthStep_; }
  void SetGrowthStep(std::uint32_t step) { growthStep_ = step; }

  bool operator==(const TString& other) const { return Equals(other); }
  bool operator==(const char16_t* text) const { return Compare(text) == 0; }
  bool operator<(const TString& other) const { return Compare(other) < 0; }

 private:
  // Replaces the text by count units of source, which may point into this string.
  void Replace(std::uint32_t count, const char16_t* source);
  void Terminate() { storage_.Data()[length_] = 0; }

  text::UnitBuffer<char16_t, kInitialCapacity> storage_;
  std::uint32_t length_ = 0;
  std::uint32_t growthStep_ = 0;
  std::uint32_t cursor_ = 0;  // where the next GetToken starts
};
