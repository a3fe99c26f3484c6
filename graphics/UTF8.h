#pragma once

namespace iplug::igraphics {

// The largest number of bytes one code point takes in UTF-8.
constexpr int kMaxUTF8Bytes = 4;

// Writes code point cp (at most U+10FFFF; larger values are written as U+FFFD) as UTF-8 into out, which has room
// for kMaxUTF8Bytes; no terminator. The number of bytes written, 1 to 4. [any-thread]
int EncodeUTF8(unsigned cp, char* out);

} // namespace iplug::igraphics
