#include "Base64.h"

namespace standin {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetValue(char c)
{
  if (c >= 'A' && c <= 'Z')
    return c - 'A';
  if (c >= 'a' && c <= 'z')
    return c - 'a' + 26;
  if (c >= '0' && c <= '9')
    return c - '0' + 52;
  if (c == '+')
    return 62;
  if (c == '/')
    return 63;
  return -1;
}

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}

std::string Base64Encode(const UInt8* bytes, size_t length)
{
  std::string text;
  text.reserve((length + 2) / 3 * 4);
  for (size_t i = 0; i < length; i += 3)
  {
    const size_t remaining = length - i;
    const unsigned group = (bytes[i] << 16) | (remaining > 1 ? bytes[i + 1] << 8 : 0) | (remaining > 2 ? bytes[i + 2] : 0);
    text += kAlphabet[(group >> 18) & 0x3F];
    text += kAlphabet[(group >> 12) & 0x3F];
    text += remaining > 1 ? kAlphabet[(group >> 6) & 0x3F] : '=';
    text += remaining > 2 ? kAlphabet[group & 0x3F] : '=';
  }
  return text;
}

bool Base64Decode(std::string_view text, std::vector<UInt8>& bytes)
{
  unsigned group = 0;
  int sextets = 0;
  bool padded = false;
  for (char c : text)
  {
    if (IsSpace(c))
      continue;
    if (c == '=')
    {
      padded = true;
      continue;
    }
    const int value = SextetValue(c);
    if (value < 0 || padded)
      return false;
    group = (group << 6) | static_cast<unsigned>(value);
    if (++sextets == 4)
    {
      bytes.push_back(static_cast<UInt8>(group >> 16));
      bytes.push_back(static_cast<UInt8>(group >> 8));
      bytes.push_back(static_cast<UInt8>(group));
      group = 0;
      sextets = 0;
    }
  }
  if (sextets == 1)
    return false;
  if (sextets == 2)
    bytes.push_back(static_cast<UInt8>(group >> 4));
  if (sextets == 3)
  {
    bytes.push_back(static_cast<UInt8>(group >> 10));
    bytes.push_back(static_cast<UInt8>(group >> 2));
  }
  return true;
}

}
