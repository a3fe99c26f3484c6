#include "WDL_String.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
  std::size_t LimitedLength(const char* text, int maxLength)
  {
    if (maxLength <= 0)
      return std::strlen(text);
    return strnlen(text, static_cast<std::size_t>(maxLength));
  }
}

WDL_String::WDL_String(const char* text, int maxLength)
{
  Set(text, maxLength);
}

void WDL_String::Set(const char* text, int maxLength)
{
  mText.clear();
  Append(text, maxLength);
}

void WDL_String::Append(const char* text, int maxLength)
{
  if (!text)
    return;
  mText.append(text, LimitedLength(text, maxLength));
}

void WDL_String::SetFormatted(int maxLength, const char* format, ...)
{
  mText.clear();
  va_list args;
  va_start(args, format);
  AppendFormattedArgs(maxLength, format, args);
  va_end(args);
}

void WDL_String::AppendFormatted(int maxLength, const char* format, ...)
{
  va_list args;
  va_start(args, format);
  AppendFormattedArgs(maxLength, format, args);
  va_end(args);
}

void WDL_String::AppendFormattedArgs(int maxLength, const char* format, va_list args)
{
  if (maxLength <= 0 || !format)
    return;

  va_list measure;
  va_copy(measure, args);
  const int needed = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (needed <= 0)
    return;

  // vsnprintf writes the whole output plus its terminator, which lands on the string's own.
  const std::size_t start = mText.size();
  mText.resize(start + static_cast<std::size_t>(needed));
  std::vsnprintf(mText.data() + start, static_cast<std::size_t>(needed) + 1, format, args);
  mText.resize(start + static_cast<std::size_t>(std::min(needed, maxLength)));
}

void WDL_String::Insert(const char* text, int pos)
{
  if (!text)
    return;
  const auto at = static_cast<std::size_t>(std::clamp(pos, 0, GetLength()));
  mText.insert(at, text);
}

void WDL_String::DeleteSub(int pos, int count)
{
  if (pos < 0 || pos >= GetLength() || count <= 0)
    return;
  mText.erase(static_cast<std::size_t>(pos), static_cast<std::size_t>(count));
}

void WDL_String::SetLen(int length)
{
  if (length < 0)
    length = 0;
  if (length < GetLength())
    mText.resize(static_cast<std::size_t>(length));
}
