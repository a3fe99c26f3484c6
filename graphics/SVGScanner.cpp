#include "SVGScanner.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace iplug::igraphics {

namespace {

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsDigit(char c)
{
  return c >= '0' && c <= '9';
}

bool IsWordChar(char c)
{
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '-' || c == '_';
}

} // namespace

void SVGScanner::SkipSpace()
{
  while (mPos < mText.size() && IsSpace(mText[mPos]))
    ++mPos;
}

void SVGScanner::SkipSeparator()
{
  SkipSpace();
  if (mPos < mText.size() && mText[mPos] == ',')
  {
    ++mPos;
    SkipSpace();
  }
}

bool SVGScanner::AtEnd()
{
  SkipSpace();
  return mPos >= mText.size();
}

char SVGScanner::Peek()
{
  SkipSpace();
  return mPos < mText.size() ? mText[mPos] : '\0';
}

bool SVGScanner::Consume(char c)
{
  if (Peek() != c)
    return false;
  ++mPos;
  return true;
}

size_t SVGScanner::NumberLength() const
{
  size_t i = mPos;
  const size_t n = mText.size();
  if (i < n && (mText[i] == '+' || mText[i] == '-'))
    ++i;
  size_t digits = 0;
  while (i < n && IsDigit(mText[i]))
    ++i, ++digits;
  if (i < n && mText[i] == '.')
  {
    ++i;
    while (i < n && IsDigit(mText[i]))
      ++i, ++digits;
  }
  if (digits == 0)
    return 0;
  // An exponent counts only when digits follow it, so "2em" keeps its unit.
  if (i < n && (mText[i] == 'e' || mText[i] == 'E'))
  {
    size_t j = i + 1;
    if (j < n && (mText[j] == '+' || mText[j] == '-'))
      ++j;
    if (j < n && IsDigit(mText[j]))
    {
      while (j < n && IsDigit(mText[j]))
        ++j;
      i = j;
    }
  }
  return i - mPos;
}

bool SVGScanner::Number(float& value)
{
  SkipSpace();
  const size_t length = NumberLength();
  if (length == 0)
    return false;
  // from_chars takes no leading '+'.
  size_t start = mPos;
  if (mText[start] == '+')
    ++start;
  double parsed = 0.0;
  const char* first = mText.data() + start;
  const char* last = mText.data() + mPos + length;
  const auto result = std::from_chars(first, last, parsed);
  if (result.ec != std::errc() || result.ptr != last)
    return false;
  if (!(std::fabs(parsed) <= std::numeric_limits<float>::max()))
    return false;
  value = static_cast<float>(parsed);
  mPos += length;
  SkipSeparator();
  return true;
}

bool SVGScanner::Flag(bool& value)
{
  SkipSpace();
  if (mPos >= mText.size() || (mText[mPos] != '0' && mText[mPos] != '1'))
    return false;
  value = mText[mPos] == '1';
  ++mPos;
  SkipSeparator();
  return true;
}

std::string_view SVGScanner::Word()
{
  SkipSpace();
  const size_t start = mPos;
  while (mPos < mText.size() && IsWordChar(mText[mPos]))
    ++mPos;
  return mText.substr(start, mPos - start);
}

bool SVGScanner::ParseNumber(std::string_view text, float& value)
{
  SVGScanner scanner(text);
  return scanner.Number(value) && scanner.AtEnd();
}

} // namespace iplug::igraphics
