#pragma once

#include <cstring>

namespace iplug {

// A key press in platform-independent form; shared by the editor delegate and the graphics layer.
struct IKeyPress
{
  static constexpr int kMaxUTF8 = 5; // bytes of utf8, terminator included

  int VK = 0;              // platform-independent virtual key code
  char utf8[kMaxUTF8] = {}; // the typed character as UTF-8, NUL-terminated; empty for non-character keys
  bool S = false;          // shift held
  bool C = false;          // control/command held
  bool A = false;          // alt/option held

  // A key press. At most 4 bytes of text are kept, never ending in a cut-off UTF-8 sequence; null is empty.
  IKeyPress(const char* text = nullptr, int vk = 0, bool s = false, bool c = false, bool a = false)
    : VK(vk), S(s), C(c), A(a)
  {
    if (!text)
      return;
    int length = 0;
    while (length < kMaxUTF8 - 1 && text[length] != '\0')
      ++length;
    length = CompleteLength(text, length);
    std::memcpy(utf8, text, static_cast<size_t>(length));
  }

private:
  // The longest prefix of the first length bytes that does not end inside a multi-byte sequence.
  static int CompleteLength(const char* text, int length)
  {
    int start = length;
    while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80)
      --start;
    if (start == 0)
      return length;
    const unsigned char lead = static_cast<unsigned char>(text[start - 1]);
    const int needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return length - (start - 1) >= needed ? length : start - 1;
  }
};

} // namespace iplug
