#include "Utf8.h"

namespace standin {

namespace {

int SequenceLength(unsigned char lead)
{
  if (lead < 0x80)
    return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    return 2;
  if (lead >= 0xE0 && lead <= 0xEF)
    return 3;
  if (lead >= 0xF0 && lead <= 0xF4)
    return 4;
  return 0;
}

bool IsContinuation(unsigned char byte)
{
  return (byte & 0xC0) == 0x80;
}

}

bool IsValidUtf8(std::string_view text)
{
  size_t pos = 0;
  while (pos < text.size())
  {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const int length = SequenceLength(lead);
    if (length == 0 || pos + length > text.size())
      return false;
    for (int i = 1; i < length; ++i)
    {
      if (!IsContinuation(static_cast<unsigned char>(text[pos + i])))
        return false;
    }
    const auto second = static_cast<unsigned char>(length > 1 ? text[pos + 1] : 0);
    if (lead == 0xE0 && second < 0xA0)
      return false;
    if (lead == 0xED && second > 0x9F)
      return false;
    if (lead == 0xF0 && second < 0x90)
      return false;
    if (lead == 0xF4 && second > 0x8F)
      return false;
    pos += length;
  }
  return true;
}

char32_t NextCodePoint(std::string_view text, size_t& pos)
{
  const auto lead = static_cast<unsigned char>(text[pos]);
  const int length = SequenceLength(lead);
  if (length <= 1)
  {
    ++pos;
    return lead;
  }
  char32_t codePoint = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i)
    codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
  pos += length;
  return codePoint;
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
  if (codePoint < 0x80)
  {
    out += static_cast<char>(codePoint);
  }
  else if (codePoint < 0x800)
  {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  else if (codePoint < 0x10000)
  {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  else
  {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

long Utf16Length(std::string_view text)
{
  long units = 0;
  for (unsigned char byte : text)
  {
    if (!IsContinuation(byte))
      units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

}
