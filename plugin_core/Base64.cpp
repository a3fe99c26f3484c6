#include "Base64.h"

namespace iplug
{

namespace
{
  constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

  // Six-bit value of an alphabet character, or -1 for any other character.
  int SextetOf(char c)
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
}

void Base64Encode(const uint8_t* data, int size, WDL_String& out)
{
  out.Clear();
  if (!data || size <= 0)
    return;
  char quad[5] = {};
  for (int i = 0; i < size; i += 3)
  {
    const int remaining = size - i;
    uint32_t group = static_cast<uint32_t>(data[i]) << 16;
    if (remaining > 1)
      group |= static_cast<uint32_t>(data[i + 1]) << 8;
    if (remaining > 2)
      group |= data[i + 2];
    quad[0] = kAlphabet[(group >> 18) & 0x3F];
    quad[1] = kAlphabet[(group >> 12) & 0x3F];
    quad[2] = remaining > 1 ? kAlphabet[(group >> 6) & 0x3F] : '=';
    quad[3] = remaining > 2 ? kAlphabet[group & 0x3F] : '=';
    out.Append(quad);
  }
}

int Base64Decode(const char* text, uint8_t* out, int outSize)
{
  if (!text || !out || outSize <= 0)
    return 0;
  int stored = 0;
  uint32_t bits = 0;
  int bitCount = 0;
  for (const char* c = text; stored < outSize; ++c)
  {
    const int sextet = SextetOf(*c);
    if (sextet < 0)
      break;
    bits = (bits << 6) | static_cast<uint32_t>(sextet);
    bitCount += 6;
    if (bitCount >= 8)
    {
      bitCount -= 8;
      out[stored++] = static_cast<uint8_t>(bits >> bitCount);
      bits &= (1u << bitCount) - 1;
    }
  }
  return stored;
}

} // namespace iplug
