#pragma once

#include <cstdarg>
#include <string>

// A growable, heap-held, NUL-terminated byte string (UTF-8 by convention).
// Lengths are in bytes; every "maxLength" limit counts bytes without the terminator,
// and 0 means "no limit" where a limit is optional. Not thread-safe.
class WDL_String
{
public:
  // Makes a copy of text (null reads as empty), limited to maxLength bytes when maxLength > 0.
  explicit WDL_String(const char* text = "", int maxLength = 0);
  WDL_String(const WDL_String&) = default;
  WDL_String(WDL_String&&) noexcept = default;
  WDL_String& operator=(const WDL_String&) = default;
  WDL_String& operator=(WDL_String&&) noexcept = default;

  // Replaces the content with text (null reads as empty), at most maxLength bytes when maxLength > 0.
  void Set(const char* text, int maxLength = 0);
  // Appends text (null is ignored), at most maxLength bytes of it when maxLength > 0.
  void Append(const char* text, int maxLength = 0);
  // Replaces the content with printf-style output cut to at most maxLength bytes (maxLength <= 0 gives empty).
  void SetFormatted(int maxLength, const char* format, ...) __attribute__((format(printf, 3, 4)));
  // Appends printf-style output cut to at most maxLength bytes (maxLength <= 0 appends nothing).
  void AppendFormatted(int maxLength, const char* format, ...) __attribute__((format(printf, 3, 4)));
  // va_list form of AppendFormatted.
  void AppendFormattedArgs(int maxLength, const char* format, va_list args);
  // Inserts text at byte position pos (clamped to [0, length]).
  void Insert(const char* text, int pos);
  // Removes count bytes starting at pos; the range is clipped to the string.
  void DeleteSub(int pos, int count);
  // Cuts the string to at most length bytes; a longer or equal length leaves it unchanged.
  void SetLen(int length);
  // Empties the string.
  void Clear() { mText.clear(); }

  // The NUL-terminated content; valid until the next change. Never null.
  const char* Get() const { return mText.c_str(); }
  // Writable content of GetLength() bytes plus terminator; writing a NUL shortens nothing until SetLen.
  char* Get() { return mText.data(); }
  // Length in bytes, without the terminator.
  int GetLength() const { return static_cast<int>(mText.size()); }

private:
  std::string mText;
};
