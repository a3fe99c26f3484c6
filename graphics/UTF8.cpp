#include "UTF8.h"

namespace iplug::igraphics {

int EncodeUTF8(unsigned cp, char* out)
{
  const auto byte = [](unsigned v) { return static_cast<char>(static_cast<unsigned char>(v)); };
  if (cp > 0x10FFFF)
    cp = 0xFFFD;
  if (cp < 0x80)
  {
    out[0] = byte(cp);
    return 1;
  }
  if (cp < 0x800)
  {
    out[0] = byte(0xC0 | (cp >> 6));
    out[1] = byte(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000)
  {
    out[0] = byte(0xE0 | (cp >> 12));
    out[1] = byte(0x80 | ((cp >> 6) & 0x3F));
    out[2] = byte(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = byte(0xF0 | (cp >> 18));
  out[1] = byte(0x80 | ((cp >> 12) & 0x3F));
  out[2] = byte(0x80 | ((cp >> 6) & 0x3F));
  out[3] = byte(0x80 | (cp & 0x3F));
  return 4;
}

} // namespace iplug::igraphics
